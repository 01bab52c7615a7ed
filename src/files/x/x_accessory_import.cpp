#include "files/x/x_accessory_import.h"

#include <cerrno>
#include <system_error>

#include "port/file_bytes.h"
#include "port/paths.h"
#include "port/text.h"

namespace zv {
namespace {

namespace fs = std::filesystem;

std::string lowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

// The first of `candidates` that is a regular file, each also matched without regard to case.
std::optional<fs::path> firstFile(std::initializer_list<fs::path> candidates) {
  for (const fs::path& candidate : candidates) {
    if (candidate.filename().empty()) {
      continue;
    }
    fs::path resolved = port::resolveCaseInsensitive(candidate);
    std::error_code error;
    if (fs::is_regular_file(resolved, error)) {
      return resolved;
    }
  }
  return std::nullopt;
}

bool readAccessoryFile(const fs::path& file, std::string& bytes, std::string& failure) {
  int error = 0;
  std::optional<std::string> read = port::readWholeFile(file, error, kMaxAccessoryFileBytes);
  if (!read) {
    failure = error == EFBIG ? file.string() + " is too large for a prop" : "cannot read " + file.string();
    return false;
  }
  bytes = std::move(*read);
  return true;
}

// The last component of a CP932 name that may use either separator.
std::string lastComponent(std::string_view cp932) {
  std::size_t backslash = port::findLastCp932Char(cp932, '\\');
  std::size_t slash = port::findLastCp932Char(cp932, '/');
  std::size_t cut = backslash == std::string_view::npos ? slash
                    : slash == std::string_view::npos   ? backslash
                                                        : std::max(backslash, slash);
  return std::string(cut == std::string_view::npos ? cp932 : cp932.substr(cut + 1));
}

XMessage notFound(AccessoryFileKind kind) {
  return XMessage{
      std::string(kind == AccessoryFileKind::Descriptor ? kVacFileNotFoundText : kXFileNotFoundText),
      std::string(kAccessoryLoadCaption)};
}

bool readTree(const fs::path& file, AccessoryImportResult& result, XFrameNode& tree) {
  std::string bytes;
  if (!readAccessoryFile(file, bytes, result.failure)) {
    return false;
  }
  XTreeResult built = readXFrameTree(bytes);
  result.messages.insert(result.messages.end(), built.messages.begin(), built.messages.end());
  if (!built.root) {
    result.failure = built.failure;
    return false;
  }
  tree = std::move(*built.root);
  return true;
}

}  // namespace

AccessoryFileKind accessoryFileKind(const fs::path& path) {
  std::string extension = lowerAscii(path.filename().extension().string());
  return extension == ".x"     ? AccessoryFileKind::XFile
         : extension == ".vac" ? AccessoryFileKind::Descriptor
                               : AccessoryFileKind::Other;
}

AccessoryImportResult importAccessory(const fs::path& path, const fs::path& programFolder) {
  AccessoryImportResult result;
  AccessoryFileKind kind = accessoryFileKind(path);
  fs::path accessoryFolder = programFolder / "UserFile" / "Accessory";
  std::optional<fs::path> opened = kind == AccessoryFileKind::Other
                                       ? firstFile({path})
                                       : firstFile({path, port::underFolder(accessoryFolder, path)});
  if (!opened) {
    result.messages.push_back(notFound(kind));
    result.failure = "cannot find " + path.string();
    return result;
  }
  AccessoryImport accessory;
  accessory.path = path;
  accessory.textureFolder = opened->parent_path();
  fs::path xFile = *opened;
  accessory.name = port::utf8ToCp932(opened->filename().string());
  if (kind == AccessoryFileKind::Descriptor) {
    std::string text;
    if (!readAccessoryFile(*opened, text, result.failure)) {
      return result;
    }
    VacParseResult parsed = parseVacDescriptor(text);
    if (!parsed.descriptor) {
      result.failure = parsed.failure;
      return result;
    }
    fs::path named = port::fromStoredPath(parsed.descriptor->xFileName);
    std::optional<fs::path> found =
        firstFile({accessory.textureFolder / named, port::underFolder(accessory.textureFolder, named),
                   port::underFolder(accessoryFolder, named)});
    if (!found) {
      result.messages.push_back(notFound(AccessoryFileKind::XFile));
      result.failure = "cannot find the X file " + named.string() + " named by " + path.string();
      return result;
    }
    xFile = *found;
    accessory.name = lastComponent(parsed.descriptor->xFileName);
    accessory.descriptor = std::move(parsed.descriptor);
  }
  if (!readTree(xFile, result, accessory.tree)) {
    return result;
  }
  result.accessory = std::move(accessory);
  return result;
}

}  // namespace zv
