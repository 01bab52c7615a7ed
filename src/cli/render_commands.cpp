#include "cli/render_commands.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "app/accessory_commands.h"
#include "cli/cli_output.h"
#include "cli/headless_scene.h"
#include "cli/recording.h"
#include "cli/usage.h"
#include "files/common/atomic_write.h"
#include "port/canvas/canvas.h"
#include "port/text.h"

namespace zv::cli {
namespace {

namespace fs = std::filesystem;

// A prop to add, and the bone it follows from frame 0 as "SLOT:BONE" (empty: the ground).
struct AccessoryOption {
  std::string path;
  std::string parent;
};

struct RenderOptions {
  SceneOptions scene;
  std::vector<AccessoryOption> accessories;
  std::string out;
  std::int64_t frame = -1;
};

struct ExportOptions {
  SceneOptions scene;
  std::vector<AccessoryOption> accessories;
  std::string out;
  std::int64_t start = -1;
  std::int64_t end = -1;
  float rate = kFramesPerSecond;
  std::string wavPath;
  port::VideoCodecChoice codec;
};

int usageError(const char* text) {
  std::fprintf(stderr, "zolvanta-cli: %s\n", text);
  return kUsageError;
}

bool readFrame(std::string_view text, std::int64_t& frame) {
  return parseWhole(text, frame) && frame >= 0 && frame <= 0xFFFFFFFFll;
}

bool readRate(std::string_view text, float& rate) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rate);
  return !text.empty() && error == std::errc{} && end == text.data() + text.size();
}

// --accessory FILE, and --parent SLOT:BONE for the prop given last.
std::optional<bool> readAccessoryOption(std::string_view option, std::string_view value,
                                        std::vector<AccessoryOption>& accessories) {
  if (option == "--accessory") {
    accessories.push_back({std::string(value), {}});
    return true;
  }
  if (option == "--parent") {
    if (accessories.empty() || !accessories.back().parent.empty() || value.empty()) {
      return false;
    }
    accessories.back().parent = value;
    return true;
  }
  return std::nullopt;
}

// Reads one of the command's own options at `index` with its value; false for a usage error.
bool readRenderOption(std::span<const std::string_view> arguments, std::size_t& index,
                      RenderOptions& options) {
  const std::string_view option = arguments[index];
  if (index + 1 >= arguments.size()) {
    return false;
  }
  const std::string_view value = arguments[++index];
  if (const std::optional<bool> read = readAccessoryOption(option, value, options.accessories)) {
    return *read;
  }
  if (option == "--out") {
    options.out = value;
    return true;
  }
  return option == "--frame" && readFrame(value, options.frame);
}

bool readCodec(std::string_view name, port::VideoCodecChoice& choice) {
  std::optional<port::VideoCodecInfo> info = port::videoCodecNamed(name);
  if (info) {
    choice.codec = info->codec;
  }
  return info.has_value();
}

bool readExportOption(std::span<const std::string_view> arguments, std::size_t& index,
                      ExportOptions& options) {
  const std::string_view option = arguments[index];
  if (index + 1 >= arguments.size()) {
    return false;
  }
  const std::string_view value = arguments[++index];
  std::int64_t number = 0;
  if (const std::optional<bool> read = readAccessoryOption(option, value, options.accessories)) {
    return *read;
  }
  if (option == "--out" || option == "--wav") {
    (option == "--out" ? options.out : options.wavPath) = value;
    return true;
  }
  if (option == "--start" || option == "--end") {
    return readFrame(value, option == "--start" ? options.start : options.end);
  }
  if (option == "--rate") {
    return readRate(value, options.rate);
  }
  if (option == "--codec") {
    return readCodec(value, options.codec);
  }
  if (option == "--key-frames" || option == "--data-rate") {
    if (!parseWhole(value, number) || number < 0 || number > 0x7FFFFFFF) {
      return false;
    }
    (option == "--key-frames" ? options.codec.keyFrameInterval : options.codec.dataRate) =
        static_cast<int>(number);
    return true;
  }
  return false;
}

// Walks the arguments: scene options first, the command's own through `readOwn`.
template <typename Options, typename ReadOwn>
bool readArguments(std::span<const std::string_view> arguments, Options& options, ReadOwn readOwn) {
  for (std::size_t index = 0; index < arguments.size(); ++index) {
    const std::string_view option = arguments[index];
    const OptionRead read = readSceneOption(arguments, index, options.scene);
    if (read == OptionRead::Bad) {
      return false;
    }
    if (read == OptionRead::NotMine && !readOwn(arguments, index, options)) {
      std::fprintf(stderr, "zolvanta-cli: '%.*s' is not an option here or lacks a valid value (see --help)\n",
                   static_cast<int>(option.size()), option.data());
      return false;
    }
  }
  return sceneOptionsComplete(options.scene);
}

// The model slot and bone index that "SLOT:BONE" names, the bone name in UTF-8.
std::optional<std::pair<int, int>> parentBone(Scene& scene, std::string_view parent) {
  const std::size_t colon = parent.find(':');
  std::int64_t slot = -1;
  if (colon == std::string_view::npos || !parseWhole(parent.substr(0, colon), slot) || slot < 0 ||
      slot >= kMaxModels) {
    return std::nullopt;
  }
  const Model* model = modelInSlot(scene, static_cast<int>(slot));
  const std::string name = port::utf8ToCp932(parent.substr(colon + 1));
  for (std::size_t bone = 0; model && bone < model->bones.size(); ++bone) {
    if (model->bones[bone].name == name) {
      return std::pair{static_cast<int>(slot), static_cast<int>(bone)};
    }
  }
  return std::nullopt;
}

// Adds the props in order as the accessory panel does, each on its ground or bone from frame 0.
bool addAccessories(HeadlessScene& headless, const std::vector<AccessoryOption>& accessories) {
  Scene& scene = *headless.scene;
  for (const AccessoryOption& accessory : accessories) {
    if (!addAccessory(scene, *headless.systems, accessory.path)) {
      return false;
    }
    if (accessory.parent.empty()) {
      continue;
    }
    const std::optional<std::pair<int, int>> parent = parentBone(scene, accessory.parent);
    if (!parent) {
      refuse(accessory.parent, "no model in that slot has a bone of that name (--parent SLOT:BONE)");
      return false;
    }
    attachAccessory(scene, *headless.systems, scene.currentAccessory, parent->first, parent->second);
  }
  return true;
}

// The picture as a PNG file, replacing `out` whole or leaving it as it was. The painting
// application gives the file the same resolution as every picture the program paints.
bool writePicture(const RgbaImage& picture, const fs::path& out) {
  port::ensurePaintingApplication();
  const std::string png = port::Canvas(picture.width, picture.height, picture.pixels).pngBytes();
  return !png.empty() && writeFileAtomically(out, png);
}

}  // namespace

int runRender(std::span<const std::string_view> arguments) {
  RenderOptions options;
  if (!readArguments(arguments, options, readRenderOption)) {
    return kUsageError;
  }
  if (options.out.empty() || options.frame < 0) {
    return usageError("render needs --frame N and --out FILE.png");
  }
  HeadlessScene headless;
  if (!openHeadlessScene(options.scene, headless) || !addAccessories(headless, options.accessories)) {
    return kRefused;
  }
  const std::optional<RgbaImage> picture =
      recordedPicture(headless, static_cast<std::uint32_t>(options.frame));
  if (!picture || !writePicture(*picture, options.out)) {
    return refuse(options.out, "cannot write the picture");
  }
  JsonWriter json;
  json.beginObject();
  json.key("out").value(options.out);
  json.key("frame").value(options.frame);
  json.key("width").value(options.scene.width);
  json.key("height").value(options.scene.height);
  json.endObject();
  return printJson(json, headless.ui.shownError());
}

int runExport(std::span<const std::string_view> arguments) {
  ExportOptions options;
  if (!readArguments(arguments, options, readExportOption)) {
    return kUsageError;
  }
  if (options.out.empty() || options.start < 0 || options.end < 0) {
    return usageError("export needs --out FILE.avi, --start A and --end B");
  }
  HeadlessScene headless;
  if (!openHeadlessScene(options.scene, headless) || !addAccessories(headless, options.accessories)) {
    return kRefused;
  }
  RecordingSettings settings;
  settings.recordPath = options.out;
  settings.recordStartFrame = static_cast<std::uint32_t>(options.start);
  settings.recordEndFrame = static_cast<std::uint32_t>(options.end);
  settings.recordFrameRate = options.rate;
  settings.recordWave = !options.wavPath.empty();
  settings.codec = options.codec;
  if (!recordAvi(headless, settings, options.wavPath)) {
    return kRefused;
  }
  JsonWriter json;
  json.beginObject();
  json.key("out").value(options.out);
  json.key("framesWritten").value(headless.systems->aviExport.framesWritten);
  json.key("width").value(options.scene.width);
  json.key("height").value(options.scene.height);
  json.endObject();
  return printJson(json, headless.ui.shownError());
}

}  // namespace zv::cli
