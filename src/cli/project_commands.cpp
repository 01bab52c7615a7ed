#include "cli/project_commands.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/project_file.h"
#include "cli/headless_scene.h"
#include "cli/json_writer.h"
#include "cli/usage.h"
#include "media/background_state.h"
#include "ui/control_ids.h"

namespace zv::cli {
namespace {

// Records in use, the heads included: a record above the heads is in use while its frame is not 0.
template <typename Record>
std::int64_t keysInUse(const KeyPool<Record>& pool) {
  std::int64_t count = pool.headCount();
  for (std::uint32_t index = pool.headCount(); index < pool.extent(); ++index) {
    count += pool[index].frame != 0 ? 1 : 0;
  }
  return count;
}

std::int64_t boxNumber(const port::Ui& ui, int id) {
  return std::strtol(ui.control(id).text.c_str(), nullptr, 10);
}

void writeModels(Scene& scene, JsonWriter& json) {
  json.key("models").beginArray();
  for (int slot = 0; slot < kMaxModels; ++slot) {
    const Model* model = modelInSlot(scene, slot);
    if (!model) {
      continue;
    }
    json.beginObject();
    json.key("slot").value(slot);
    json.key("path").value(model->filePath.string());
    json.key("name").cp932(model->name);
    json.key("listIndex").value(model->listIndex);
    json.key("boneKeys").value(keysInUse(model->boneKeyPool));
    json.key("morphKeys").value(keysInUse(model->morphKeyPool));
    json.key("displayIkKeys").value(keysInUse(model->displayIkKeyPool));
    json.endObject();
  }
  json.endArray();
}

void writeAccessories(Scene& scene, FrameSystems& systems, JsonWriter& json) {
  json.key("accessories").beginArray();
  for (std::size_t slot = 0; slot < kMaxAccessories; ++slot) {
    const Accessory* prop = systems.accessories[slot].get();
    if (!prop) {
      continue;
    }
    const AccessoryState& state = scene.accessories[slot];
    json.beginObject();
    json.key("slot").value(static_cast<int>(slot));
    json.key("path").value(prop->path.string());
    json.key("name").cp932(prop->name);
    json.key("listIndex").value(prop->listIndex);
    json.key("parentModel").value(state.parentModel);
    json.key("parentBone").value(state.parentBone);
    json.key("keys").value(keysInUse(scene.accessoryKeyPools[slot]));
    json.endObject();
  }
  json.endArray();
}

std::string projectJson(Scene& scene, FrameSystems& systems) {
  const port::Ui& ui = *systems.ui;
  JsonWriter json;
  json.beginObject();
  json.key("kind").value("project");
  json.key("currentFrame").value(static_cast<std::int64_t>(scene.currentFrame));
  writeModels(scene, json);
  writeAccessories(scene, systems, json);
  json.key("cameraKeys").value(keysInUse(scene.cameraKeyPool));
  json.key("lightKeys").value(keysInUse(scene.lightKeyPool));
  json.key("outputWidth").value(scene.outputWidth);
  json.key("outputHeight").value(scene.outputHeight);
  json.key("playStart").value(boxNumber(ui, kStartFrameBox));
  json.key("playEnd").value(boxNumber(ui, kStopFrameBox));
  json.key("wav").value(wavLoaded(systems) ? systems.wav.path.string() : std::string());
  const Backgrounds& backgrounds = systems.backgrounds;
  json.key("backgroundVideo")
      .value(videoLoaded(backgrounds) ? backgrounds.video.path.string() : std::string());
  json.key("backgroundImage")
      .value(imageLoaded(backgrounds) ? backgrounds.image.path.string() : std::string());
  json.endObject();
  return json.text();
}

SceneOptions projectScene(std::string_view path) {
  SceneOptions options;
  options.projectPath = path;
  options.projectOutputSize = true;
  return options;
}

}  // namespace

int infoProject(const std::filesystem::path& path) {
  HeadlessScene headless;
  if (!openHeadlessScene(projectScene(path.string()), headless)) {
    return kRefused;
  }
  std::fputs(projectJson(*headless.scene, *headless.systems).c_str(), stdout);
  std::fputc('\n', stdout);
  return 0;
}

int runResave(std::span<const std::string_view> arguments) {
  if (arguments.size() != 2) {
    std::fputs(kUsage.data(), stderr);
    return kUsageError;
  }
  HeadlessScene headless;
  if (!openHeadlessScene(projectScene(arguments[0]), headless)) {
    return kRefused;
  }
  headless.scene->projectPath = arguments[1];
  if (!saveProject(*headless.scene, *headless.systems)) {
    return kRefused;
  }
  std::printf("{\"kind\":\"project\",\"saved\":true}\n");
  return 0;
}

}  // namespace zv::cli
