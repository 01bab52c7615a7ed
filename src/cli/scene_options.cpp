#include "cli/scene_options.h"

#include <charconv>
#include <cstdio>

#include "port/video/picture.h"
#include "scene/document/scene.h"

namespace zv::cli {
namespace {

bool reportBad(std::string_view option, const char* expected) {
  std::fprintf(stderr, "zolvanta-cli: %.*s takes %s\n", static_cast<int>(option.size()), option.data(),
               expected);
  return false;
}

bool readSide(std::string_view option, std::string_view text, int& side) {
  std::int64_t value = 0;
  if (!parseWhole(text, value) || value < 1 || value > port::kMaxPictureSide) {
    return reportBad(option, "a size in pixels from 1 to 8192");
  }
  side = static_cast<int>(value);
  return true;
}

// The scene has one background of each kind: a second one of the same kind would silently win.
bool readBackground(std::string_view option, std::string_view value, std::string& path) {
  if (!path.empty()) {
    return reportBad(option, "one file; it was given twice");
  }
  if (value.empty()) {
    return reportBad(option, "a file name");
  }
  path = value;
  return true;
}

}  // namespace

bool parseWhole(std::string_view text, std::int64_t& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc{} && end == text.data() + text.size();
}

OptionRead readSceneOption(std::span<const std::string_view> arguments, std::size_t& index,
                           SceneOptions& options) {
  const std::string_view option = arguments[index];
  if (option == "--camera-mode") {
    options.cameraMode = true;
    return OptionRead::Taken;
  }
  if (option != "--model" && option != "--motion" && option != "--camera" && option != "--width" &&
      option != "--height" && option != "--project" && option != "--background-video" &&
      option != "--background-image") {
    return OptionRead::NotMine;
  }
  if (index + 1 >= arguments.size()) {
    reportBad(option, "a value");
    return OptionRead::Bad;
  }
  const std::string_view value = arguments[++index];
  if (option == "--project") {
    options.projectPath = value;
  } else if (option == "--model") {
    options.models.push_back({std::string(value), {}});
  } else if (option == "--motion") {
    if (options.models.empty()) {
      reportBad(option, "a motion for the --model before it");
      return OptionRead::Bad;
    }
    options.models.back().motionPaths.emplace_back(value);
  } else if (option == "--camera") {
    options.cameraPaths.emplace_back(value);
  } else if (option == "--background-video" || option == "--background-image") {
    if (!readBackground(
            option, value,
            option == "--background-video" ? options.backgroundVideoPath : options.backgroundImagePath)) {
      return OptionRead::Bad;
    }
  } else if (!readSide(option, value, option == "--width" ? options.width : options.height)) {
    return OptionRead::Bad;
  }
  return OptionRead::Taken;
}

bool sceneOptionsComplete(const SceneOptions& options) {
  if (!options.projectPath.empty()) {
    if (options.models.empty() && options.cameraPaths.empty()) {
      return true;
    }
    std::fprintf(stderr, "zolvanta-cli: --project takes the place of --model and --camera\n");
    return false;
  }
  if (options.models.empty() || options.models.size() > static_cast<std::size_t>(kMaxModels)) {
    std::fprintf(stderr, "zolvanta-cli: give 1 to %d models with --model\n", kMaxModels);
    return false;
  }
  return true;
}

}  // namespace zv::cli
