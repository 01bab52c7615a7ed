#include "cli/morph_key_commands.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/file_commands.h"
#include "cli/cli_output.h"
#include "cli/cli_ui.h"
#include "cli/json_writer.h"
#include "cli/usage.h"
#include "files/common/atomic_write.h"
#include "files/key_generation/blink.h"
#include "files/key_generation/lip_sync.h"
#include "files/motion/motion_file.h"
#include "files/motion/motion_format.h"
#include "files/sequence/sequence_reading.h"
#include "port/file_bytes.h"
#include "port/paths.h"
#include "scene/document/model_reader.h"
#include "scene/document/scene.h"

namespace zv::cli {
namespace {

constexpr std::string_view kOutOption = "--out";

// The value of each `--name VALUE` option named in `values` (`--out` may be left out, the others
// are required); false (reported) for anything else.
bool readOptions(std::span<const std::string_view> arguments,
                 std::map<std::string_view, std::string_view>& values) {
  values.emplace(kOutOption, "");
  for (std::size_t i = 0; i < arguments.size(); i += 2) {
    if (i + 1 >= arguments.size() || !values.contains(arguments[i]) || arguments[i + 1].empty()) {
      std::fprintf(stderr, "zolvanta-cli: unexpected '%.*s'\n\n%s", static_cast<int>(arguments[i].size()),
                   arguments[i].data(), kUsage.data());
      return false;
    }
    values[arguments[i]] = arguments[i + 1];
  }
  for (const auto& [name, value] : values) {
    if (value.empty() && name != kOutOption) {
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
std::vector<MotionMorphRecord> registeredMorphKeys(const Model& model) {
  std::vector<MotionMorphRecord> keys;
  for (std::uint32_t head = 0; head < model.morphs.size(); ++head) {
    for (std::uint32_t key = head;; key = model.morphKeyPool[key].next) {
      const MorphKey& record = model.morphKeyPool[key];
      if (record.selected) {
        keys.push_back({model.morphs[head].name, record.frame, record.weight});
      }
      if (record.next == 0) {
        break;
      }
    }
  }
  return keys;
}

// The keys at the frames they were made at (not moved to start at 0 as a selection is saved), so
// loading the file at frame 0 puts them back in time with the song or range they came from.
bool writeMotion(const Model& model, const std::vector<MotionMorphRecord>& keys, std::string_view out) {
  MotionFile motion;
  motion.name = model.name;
  motion.morphs = keys;
  std::filesystem::path path(out);
  errno = 0;
  if (!writeFileAtomically(path, motionBytes(motion))) {
    std::string message(kMotionUnsavableMessage);
    message.replace(message.find("%d"), 2, std::to_string(errno != 0 ? errno : EIO));
    refuse(path.string(), message);
    return false;
  }
  return true;
}

// The notes of the sequence file the import just read.
std::int64_t noteCount(std::string_view sequencePath) {
  int error = 0;
  const std::optional<std::string> bytes = port::readWholeFile(std::filesystem::path(sequencePath), error);
  return bytes ? static_cast<std::int64_t>(readSequence(*bytes).notes.size()) : 0;
}

// Writes the motion file when `out` names one, then prints the keys and the frame the operation
// left the scene at, with the number of notes read when `notes` is given. Fails after the JSON
// when the operation showed an error beyond its `informationBoxes`.
int finish(const Scene& scene, std::string_view out, const CliUi& ui, std::size_t informationBoxes,
           std::optional<std::int64_t> notes = std::nullopt) {
  const Model& model = *scene.modelSlots[0];
  std::vector<MotionMorphRecord> keys = registeredMorphKeys(model);
  if (!out.empty() && !writeMotion(model, keys, out)) {
    return kRefused;
  }
  JsonWriter json;
  json.beginObject();
  if (notes) {
    json.key("notes").value(*notes);
  }
  json.key("currentFrame").value(static_cast<std::int64_t>(scene.currentFrame));
  json.key("morphs").beginArray();
  for (const MotionMorphRecord& key : keys) {
    json.beginObject();
    json.key("name").cp932(key.name);
    json.key("frame").value(static_cast<std::int64_t>(key.frame));
    json.key("weight").value(key.weight);
    json.endObject();
  }
  json.endArray();
  json.endObject();
  return printJson(json, ui.shownError(informationBoxes));
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
  if (!scene || !importSequence(*scene, std::filesystem::path(options["--vsq"]), ui)) {
    return kRefused;
  }
  return finish(*scene, options[kOutOption], ui, 0, noteCount(options["--vsq"]));
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
  if (!scene || !insertBlinks(*scene, range, ui)) {
    return kRefused;
  }
  // The count of blinks added is the one box that reports no error.
  return finish(*scene, options[kOutOption], ui, 1);
}

}  // namespace zv::cli
