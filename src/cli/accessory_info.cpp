#include "cli/accessory_info.h"

#include <cstdio>
#include <optional>
#include <string>
#include <system_error>

#include "cli/cli_output.h"
#include "cli/json_writer.h"
#include "cli/usage.h"
#include "files/x/x_accessory_import.h"
#include "port/file_bytes.h"
#include "port/paths.h"

namespace zv::cli {
namespace {

namespace fs = std::filesystem;

void writeColour(std::string_view name, const XColour& colour, JsonWriter& json) {
  const float channels[] = {colour.r, colour.g, colour.b, colour.a};
  json.key(name).floats(channels);
}

void writeMaterials(const XFrameNode& node, JsonWriter& json) {
  json.key("materials").beginArray();
  for (const XMaterialSlot& material : node.materials) {
    json.beginObject();
    writeColour("diffuse", material.diffuse, json);
    writeColour("ambient", material.ambient, json);
    writeColour("specular", material.specular, json);
    writeColour("emissive", material.emissive, json);
    json.key("power").value(material.power);
    json.key("texture").cp932(material.textureName);
    json.key("firstIndex").value(material.firstIndex);
    json.key("indexCount").value(material.indexCount);
    json.endObject();
  }
  json.endArray();
}

// The reader bounds the nesting depth, so recursing per level is safe.
void writeNode(const XFrameNode& node, JsonWriter& json) {
  json.beginObject();
  json.key("name").cp932(node.name);
  json.key("mesh").value(node.isMesh);
  json.key("matrix").floats({&node.localMatrix.m[0][0], 16});
  if (node.isMesh) {
    json.key("vertexCount").value(static_cast<std::int64_t>(node.vertices.size()));
    json.key("indexCount").value(static_cast<std::int64_t>(node.indices.size()));
    json.key("translucent").value(node.translucent);
    writeMaterials(node, json);
  }
  json.key("children").beginArray();
  for (const XFrameNode& child : node.children) {
    writeNode(child, json);
  }
  json.endArray();
  json.endObject();
}

// Boxes the reader asks to show (too many materials, not found) go to stderr as the window would
// show them.
void showMessages(const AccessoryImportResult& result) {
  for (const XMessage& message : result.messages) {
    std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
  }
}

int refuseImport(const AccessoryImportResult& result) {
  showMessages(result);
  return result.messages.empty() ? refuse(kAccessoryLoadCaption, result.failure) : kRefused;
}

std::optional<fs::path> findDescriptor(const fs::path& path) {
  const fs::path fallback = port::underFolder(port::executableDirectory() / "UserFile" / "Accessory", path);
  for (const fs::path& candidate : {path, fallback}) {
    fs::path resolved = port::resolveCaseInsensitive(candidate);
    std::error_code error;
    if (!candidate.filename().empty() && fs::is_regular_file(resolved, error)) {
      return resolved;
    }
  }
  return std::nullopt;
}

}  // namespace

int infoXFile(const fs::path& path) {
  AccessoryImportResult result = importAccessory(path, port::executableDirectory());
  if (!result.accessory) {
    return refuseImport(result);
  }
  showMessages(result);
  JsonWriter json;
  json.beginObject();
  json.key("kind").value("x");
  json.key("name").cp932(result.accessory->name);
  json.key("root");
  writeNode(result.accessory->tree, json);
  json.endObject();
  return printJson(json);
}

int infoDescriptor(const fs::path& path) {
  std::optional<fs::path> file = findDescriptor(path);
  if (!file) {
    return refuse(kAccessoryLoadCaption, kVacFileNotFoundText);
  }
  int error = 0;
  std::optional<std::string> text = port::readWholeFile(*file, error, kMaxAccessoryFileBytes);
  if (!text) {
    return refuse(kAccessoryLoadCaption, "cannot read " + file->string());
  }
  VacParseResult parsed = parseVacDescriptor(*text);
  if (!parsed.descriptor) {
    return refuse(kAccessoryLoadCaption, parsed.failure);
  }
  const VacDescriptor& descriptor = *parsed.descriptor;
  JsonWriter json;
  json.beginObject();
  json.key("kind").value("descriptor");
  json.key("xFile").cp932(descriptor.xFileName);
  json.key("scale").value(descriptor.scale);
  json.key("position").value(descriptor.position);
  json.key("rotation").value(descriptor.rotation);
  json.key("shadow").value(descriptor.shadow);
  AccessoryImportResult result = importAccessory(*file, port::executableDirectory());
  showMessages(result);
  json.key("x");
  if (result.accessory) {
    writeNode(result.accessory->tree, json);
  } else {
    json.null();
    json.key("xFailure").value(result.failure);
  }
  json.endObject();
  return printJson(json);
}

}  // namespace zv::cli
