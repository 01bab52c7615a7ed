// The options `render` and `export` share: which models with which motions, which camera motions,
// whose view, the picture size and the backgrounds behind the scene.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zv::cli {

struct ModelOption {
  std::string modelPath;
  std::vector<std::string> motionPaths;  // loaded at frame 0 into this model, in order
};

struct SceneOptions {
  std::string projectPath;               // a project file as the scene instead of --model and --camera
  bool projectOutputSize = false;        // keep the project's output size instead of width x height
  std::vector<ModelOption> models;       // slot 0, 1, ... in the order given
  std::vector<std::string> cameraPaths;  // camera and light motions, loaded at frame 0
  bool cameraMode = false;               // the camera row is selected, as in the window
  int width = 512;                       // picture size in pixels
  int height = 384;
  std::string backgroundVideoPath;  // loaded after the scene as the view menu loads it
  std::string backgroundImagePath;
};

enum class OptionRead { Taken, NotMine, Bad };

// Reads the scene option at arguments[index] (and its value, advancing `index` past it). Bad
// input has been reported on stderr.
OptionRead readSceneOption(std::span<const std::string_view> arguments, std::size_t& index,
                           SceneOptions& options);

// After all options: at least one model, at most the program's model slots. Reports and returns
// false otherwise.
bool sceneOptionsComplete(const SceneOptions& options);

// A whole number from `text`, all of it.
bool parseWhole(std::string_view text, std::int64_t& value);

}  // namespace zv::cli
