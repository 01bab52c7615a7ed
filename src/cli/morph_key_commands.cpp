#include "cli/morph_key_commands.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "cli/cli_ui.h"
#include "cli/json_writer.h"
#include "cli/usage.h"
#include "files/blink.h"
#include "files/lip_sync.h"
#include "port/paths.h"
#include "scene/model_reader.h"
#include "scene/scene.h"

namespace zv::cli {
namespace {

// The value of each `--name VALUE` option; false (reported) for anything else.
bool readOptions(std::span<const std::string_view> arguments,
                 std::map<std::string_view, std::string_view>& values) {
  for (std::size_t i = 0; i < arguments.size(); i += 2) {
    if (i + 1 >= arguments.size() || !values.contains(arguments[i])) {
      std::fprintf(stderr, "zolvanta-cli: unexpected '%.*s'\n\n%s", static_cast<int>(arguments[i].size()),
                   arguments[i].data(), kUsage.data());
      return false;
    }
    values[arguments[i]] = arguments[i + 1];
  }
  for (const auto& [name, value] : values) {
    if (value.empty()) {
      std::fprintf(stderr, "zolvanta-cli: %.*s is required\n\n%s", static_cast<int>(name.size()), name.data(),
                   kUsage.data());
      return false;
    }
  }
  return true;
}

// A scene with the model in slot 0 as the current model, in model mode; null when it is refused.
std::unique_ptr<Scene> sceneWithModel(std::string_view modelPath, CliUi& ui) {
  auto scene = std::make_unique<Scene>();
  scene->ui = &ui;
  scene->exeDirectory = port::executableDirectory();
  auto model = std::make_unique<Model>();
  std::filesystem::path path(modelPath);
  if (auto failure = readModelFile(path, scene->exeDirectory, *model)) {
    ui.messageBox(port::MessageOwner::MainWindow, failure->message, failure->caption,
                  port::MessageButtons::Ok);
    return nullptr;
  }
  scene->modelSlots[0] = std::move(model);
  scene->cameraMode = false;
  return scene;
}

// The selected morph keys of the model: exactly the keys the operation registered.
int printRegisteredMorphKeys(const Scene& scene) {
  const Model& model = *scene.modelSlots[0];
  JsonWriter json;
  json.beginObject();
  json.key("currentFrame").value(static_cast<std::int64_t>(scene.currentFrame));
  json.key("morphs").beginArray();
  for (std::uint32_t head = 0; head < model.morphs.size(); ++head) {
    for (std::uint32_t key = head;; key = model.morphKeyPool[key].next) {
      const MorphKey& record = model.morphKeyPool[key];
      if (record.selected) {
        json.beginObject();
        json.key("name").cp932(model.morphs[head].name);
        json.key("frame").value(static_cast<std::int64_t>(record.frame));
        json.key("weight").value(record.weight);
        json.endObject();
      }
      if (record.next == 0) {
        break;
      }
    }
  }
  json.endArray();
  json.endObject();
  std::fputs(json.text().c_str(), stdout);
  std::fputc('\n', stdout);
  return 0;
}

bool parseFrame(std::string_view text, std::int32_t& frame) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), frame);
  return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

int runLipSync(std::span<const std::string_view> arguments) {
  std::map<std::string_view, std::string_view> options{{"--model", ""}, {"--vsq", ""}};
  if (!readOptions(arguments, options)) {
    return kUsageError;
  }
  CliUi ui;
  auto scene = sceneWithModel(options["--model"], ui);
  if (!scene || !importSequence(*scene, std::filesystem::path(options["--vsq"]))) {
    return kRefused;
  }
  return printRegisteredMorphKeys(*scene);
}

int runBlink(std::span<const std::string_view> arguments) {
  std::map<std::string_view, std::string_view> options{{"--model", ""}, {"--from", ""}, {"--to", ""}};
  if (!readOptions(arguments, options)) {
    return kUsageError;
  }
  BlinkRange range;
  if (!parseFrame(options["--from"], range.start) || !parseFrame(options["--to"], range.end)) {
    std::fprintf(stderr, "zolvanta-cli: --from and --to take whole frame numbers\n");
    return kUsageError;
  }
  CliUi ui;
  auto scene = sceneWithModel(options["--model"], ui);
  if (!scene || !insertBlinks(*scene, range)) {
    return kRefused;
  }
  return printRegisteredMorphKeys(*scene);
}

}  // namespace zv::cli
