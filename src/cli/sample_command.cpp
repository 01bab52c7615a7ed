#include "cli/sample_command.h"

#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "anim/pose_model.h"
#include "anim/sampling.h"
#include "cli/cli_output.h"
#include "cli/headless_scene.h"
#include "cli/json_writer.h"
#include "cli/sample_motions.h"
#include "cli/usage.h"
#include "files/motion/pose_file.h"
#include "port/paths.h"
#include "scene/document/model_reader.h"
#include "scene/document/scene.h"

namespace zv::cli {
namespace {

struct SampleOptions {
  std::string projectPath;            // instead of the model and its motions
  std::optional<std::uint32_t> slot;  // of the project's model; its current model when not given
  std::string modelPath;
  std::string posePath;
  std::vector<std::string> motionPaths;
  std::optional<std::uint32_t> frame;
  std::optional<float> time;
  bool vertices = false;
};

template <typename Number>
bool parseNumber(std::string_view text, Number& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size();
}

// Reads the options; false for a usage error (already reported).
bool parseOptions(std::span<const std::string_view> arguments, SampleOptions& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view option = arguments[i];
    bool hasValue = i + 1 < arguments.size();
    if (option == "--vertices") {
      options.vertices = true;
    } else if (option == "--project" && hasValue) {
      options.projectPath = arguments[++i];
    } else if (option == "--slot" && hasValue) {
      std::uint32_t slot = 0;
      if (!parseNumber(arguments[++i], slot) || slot >= static_cast<std::uint32_t>(kMaxModels)) {
        std::fprintf(stderr, "zolvanta-cli: --slot takes a model slot from 0 to 99\n");
        return false;
      }
      options.slot = slot;
    } else if (option == "--model" && hasValue) {
      options.modelPath = arguments[++i];
    } else if (option == "--motion" && hasValue) {
      options.motionPaths.emplace_back(arguments[++i]);
    } else if (option == "--pose" && hasValue) {
      options.posePath = arguments[++i];
    } else if (option == "--frame" && hasValue) {
      std::uint32_t frame = 0;
      if (!parseNumber(arguments[++i], frame)) {
        std::fprintf(stderr, "zolvanta-cli: --frame takes a whole frame number\n");
        return false;
      }
      options.frame = frame;
    } else if (option == "--time" && hasValue) {
      float time = 0;
      if (!parseNumber(arguments[++i], time) || !(time >= 0.0f)) {
        std::fprintf(stderr, "zolvanta-cli: --time takes seconds (0 or more)\n");
        return false;
      }
      options.time = time;
    } else {
      std::fprintf(stderr, "zolvanta-cli: sample does not understand '%.*s'\n",
                   static_cast<int>(option.size()), option.data());
      return false;
    }
  }
  if (options.modelPath.empty() == options.projectPath.empty() ||
      options.frame.has_value() == options.time.has_value() ||
      (!options.projectPath.empty() && !options.motionPaths.empty())) {
    std::fprintf(stderr,
                 "zolvanta-cli: sample needs --model (with its motions) or --project, and one of --frame or "
                 "--time\n");
    return false;
  }
  return true;
}

void writeBones(const Model& model, JsonWriter& json) {
  json.key("bones").beginArray();
  for (const Bone& bone : model.bones) {
    json.beginObject();
    json.key("name").cp932(bone.name);
    json.key("translation").value(bone.keyTranslation);
    json.key("rotation").value(bone.keyRotation);
    json.key("position").value(transformPoint(bone.head, bone.globalTransform));
    json.key("global").floats({&bone.globalTransform.m[0][0], 16});
    json.endObject();
  }
  json.endArray();
}

void writeVertices(const Model& model, JsonWriter& json) {
  json.key("vertices").beginArray();
  for (std::size_t i = 0; i < model.modelVertices.size(); ++i) {
    json.beginObject();
    json.key("position").value(model.modelVertices[i].position);
    json.key("normal").value(model.modelVertices[i].normal);
    json.key("edge").value(model.edgeVertices[i].position);
    json.endObject();
  }
  json.endArray();
}

void writePose(const Model& model, bool vertices, JsonWriter& json) {
  json.beginObject();
  json.key("visible").value(model.visible);
  json.key("ik").beginArray();
  for (const IkChain& chain : model.ikChains) {
    json.value(chain.enabled);
  }
  json.endArray();
  writeBones(model, json);
  json.key("morphs").beginArray();
  for (const Morph& morph : model.morphs) {
    json.beginObject();
    json.key("name").cp932(morph.name);
    json.key("weight").value(morph.weight);
    json.endObject();
  }
  json.endArray();
  if (vertices) {
    writeVertices(model, json);
  }
  json.endObject();
}

// Samples and poses `model` as the options ask and prints it.
// `inputsReportedErrors`: an input was read only in part, so the command fails after printing.
int samplePose(Scene& scene, Model& model, const SampleOptions& options, bool inputsReportedErrors) {
  if (options.frame) {
    sampleModelAtFrame(model, *options.frame);
  } else {
    seekModel(model, *options.time);
    advanceModel(model, *options.time);
  }
  if (!options.posePath.empty() && !loadPose(scene, options.posePath)) {
    std::fprintf(stderr, "ポーズデータ読込: ファイルを開けません: %s\n", options.posePath.c_str());
    return kRefused;
  }
  poseModel(model, Mat4{}, {0, 0, -35});
  JsonWriter json;
  writePose(model, options.vertices, json);
  return printJson(json, inputsReportedErrors);
}

// The model of a project, with the project's keys, opened as the window opens it.
int sampleProject(const SampleOptions& options) {
  SceneOptions sceneOptions;
  sceneOptions.projectPath = options.projectPath;
  sceneOptions.projectOutputSize = true;
  HeadlessScene headless;
  if (!openHeadlessScene(sceneOptions, headless)) {
    return kRefused;
  }
  Scene& scene = *headless.scene;
  const int slot = options.slot ? static_cast<int>(*options.slot) : scene.currentModel;
  Model* model = modelInSlot(scene, slot);
  if (!model) {
    std::fprintf(stderr, "zolvanta-cli: the project has no model in slot %d\n", slot);
    return kRefused;
  }
  scene.currentModel = static_cast<std::uint8_t>(slot);
  scene.cameraMode = false;
  return samplePose(scene, *model, options, false);
}

}  // namespace

int runSample(std::span<const std::string_view> arguments) {
  SampleOptions options;
  if (!parseOptions(arguments, options)) {
    return kUsageError;
  }
  if (!options.projectPath.empty()) {
    return sampleProject(options);
  }
  auto scene = std::make_unique<Scene>();
  scene->exeDirectory = port::executableDirectory();
  auto model = std::make_unique<Model>();
  std::filesystem::path path(options.modelPath);
  if (auto failure = readModelFile(path, scene->exeDirectory, *model)) {
    std::fprintf(stderr, "%s: %s\n", failure->caption.c_str(), failure->message.c_str());
    return kRefused;
  }
  scene->modelSlots[0] = std::move(model);
  scene->currentModel = 0;
  scene->cameraMode = false;
  Model& loaded = *scene->modelSlots[0];
  const Outcome motions = loadSampleMotions(*scene, options.motionPaths);
  if (!motions) {
    return kRefused;
  }
  return samplePose(*scene, loaded, options, !motions.messages.empty());
}

}  // namespace zv::cli
