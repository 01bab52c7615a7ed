#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "app/project_file.h"
#include "app/project_paths.h"
#include "app/startup.h"
#include "files/common/atomic_write.h"
#include "files/project/project_reader.h"
#include "files/project/project_scene.h"
#include "files/project/project_writer.h"
#include "port/text.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

constexpr std::size_t kPlayBoxCharacters = 7;  // the play-range boxes are read this far

// The list rows after `skip` leading ones, as the file stores them.
std::vector<std::string> storedRows(const port::Ui& ui, int id, std::size_t skip) {
  const std::vector<std::string> rows = ui.control(id).rows;
  std::vector<std::string> stored;
  for (std::size_t row = skip; row < rows.size(); ++row) {
    stored.push_back(port::utf8ToCp932(rows[row]));
  }
  return stored;
}

// The standard decimal conversion of a box's first characters: leading blanks and a sign, digits
// up to the first other character, 0 without digits.
std::int32_t playBoxNumber(const port::Ui& ui, int id) {
  const std::string text = ui.control(id).text.substr(0, kPlayBoxCharacters);
  return static_cast<std::int32_t>(std::strtol(text.c_str(), nullptr, 10));
}

// A picture still fitted as it was loaded is stored with scale 0, which every reader fits again
// to its own view: the placement is in back-buffer pixels, and a window on another screen or the
// command-line renderer would otherwise show the picture enlarged or shrunk.
ProjectBackground storedBackground(const BackgroundPlacement& placement, int width, int height,
                                   const Backgrounds& backgrounds, std::string storedPath) {
  if (width > 0 && height > 0) {
    const BackgroundPlacement fitted =
        fitToWidth(width, height, backgrounds.width, backgrounds.height, backgrounds.aspectCorrection);
    if (placement.offsetX == fitted.offsetX && placement.offsetY == fitted.offsetY &&
        placement.zoom == fitted.zoom) {
      return {0, 0, 0.0f, std::move(storedPath)};
    }
  }
  return {placement.offsetX, placement.offsetY, placement.zoom, std::move(storedPath)};
}

ProjectTrailer trailerOf(Scene& scene, FrameSystems& systems, const port::Ui& ui) {
  const std::filesystem::path& folder = scene.exeDirectory;
  Backgrounds& backgrounds = systems.backgrounds;
  if (!videoLoaded(backgrounds)) {
    backgrounds.video.path.clear();
  }
  if (!imageLoaded(backgrounds)) {
    backgrounds.image.path.clear();
  }
  ProjectTrailer trailer;
  trailer.currentFrame = static_cast<std::int32_t>(scene.currentFrame);
  trailer.firstShownFrame = ui.control(kFrameScrollBar).position;
  trailer.lastFrame = static_cast<std::int32_t>(scene.lastFrame);
  trailer.editMode = static_cast<std::int32_t>(scene.editMode);
  trailer.followModelCentre = scene.followModelCentre;
  trailer.repeatPlayback = scene.repeatPlayback;
  trailer.stopFrameOption = scene.stopFrameOption;
  trailer.playFromCurrentFrame = scene.playFromCurrentFrame;
  trailer.playStart = playBoxNumber(ui, kStartFrameBox);
  trailer.playStop = playBoxNumber(ui, kStopFrameBox);
  trailer.wavLoaded = wavLoaded(systems);
  trailer.wavStoredPath = trailer.wavLoaded ? storedProjectPath(systems.wav.path, folder) : std::string();
  trailer.video = storedBackground(backgrounds.video.placement, backgrounds.video.frameWidth,
                                   backgrounds.video.frameHeight, backgrounds,
                                   storedProjectPath(backgrounds.video.path, folder));
  trailer.videoShown = scene.backgroundVideoShown;
  trailer.image = storedBackground(backgrounds.image.placement, backgrounds.image.bitmap.width,
                                   backgrounds.image.bitmap.height, backgrounds,
                                   storedProjectPath(backgrounds.image.path, folder));
  trailer.imageShown = scene.backgroundImageShown;
  trailer.showInfo = scene.showInfo;
  trailer.showAxes = scene.showAxes;
  trailer.showGroundShadow = scene.showGroundShadow;
  trailer.frameRateLimit = scene.frameRateLimit;
  trailer.captureMode = static_cast<std::int32_t>(scene.captureMode);
  return trailer;
}

void collectAccessories(ProjectFile& project, const Scene& scene, const FrameSystems& systems) {
  for (std::size_t slot = 0; slot < kMaxAccessories; ++slot) {
    const Accessory* prop = systems.accessories[slot].get();
    if (!prop) {
      continue;
    }
    ProjectAccessoryBlock block;
    block.slot = static_cast<std::uint8_t>(slot);
    block.name = prop->name;
    block.storedPath = storedProjectPath(prop->path, scene.exeDirectory);
    block.listRow = static_cast<std::uint8_t>(prop->listIndex);
    block.head = scene.accessoryKeyPools[slot][0];
    block.keys = storedKeys(scene.accessoryKeyPools[slot]);
    block.current = scene.accessories[slot];
    project.accessories.push_back(std::move(block));
  }
}

// The first stored path that does not fit its field, as the user knows it; empty when all fit.
std::string overlongPath(const ProjectFile& project) {
  std::vector<const std::string*> paths = {&project.trailer.wavStoredPath, &project.trailer.video.storedPath,
                                           &project.trailer.image.storedPath};
  for (const ProjectModelBlock& model : project.models) {
    paths.push_back(&model.storedPath);
  }
  for (const ProjectAccessoryBlock& accessory : project.accessories) {
    paths.push_back(&accessory.storedPath);
  }
  for (const std::string* path : paths) {
    if (!projectTextFits(*path, kProjectPathBytes)) {
      return port::cp932ToUtf8(*path);
    }
  }
  return {};
}

std::string numbered(std::string_view message, int number) {
  std::string text(message);
  text.replace(text.find("%d"), 2, std::to_string(number));
  return text;
}

port::FileDialogRequest projectDialog(std::string_view title) {
  port::FileDialogRequest request;
  request.title = std::string(title);
  request.filters = {{std::string(kProjectFilterDescription), "*.tsf"}};
  request.initialDirectory = "UserFile";
  request.defaultExtension = "tsf";
  return request;
}

}  // namespace

ProjectFile collectProject(Scene& scene, FrameSystems& systems) {
  const port::Ui& ui = *systems.ui;
  ProjectFile project;
  project.outputWidth = scene.outputWidth;
  project.outputHeight = scene.outputHeight;
  project.panelWidth = scene.panelWidth;
  project.fieldOfView = scene.camera.fieldOfView;
  project.cameraMode = scene.cameraMode;
  project.panelOpen = scene.panelOpen;
  project.currentModel = scene.currentModel;
  project.modelRows = storedRows(ui, kModelList, 1);
  for (int slot = 0; slot < kMaxModels; ++slot) {
    if (const Model* model = modelInSlot(scene, slot)) {
      project.models.push_back(
          projectModelBlock(*model, slot, storedProjectPath(model->filePath, scene.exeDirectory)));
    }
  }
  project.camera = projectCamera(scene);
  project.light = projectLight(scene);
  project.currentAccessory = scene.currentAccessory;
  project.cameraRowScroll = scene.cameraRowScroll;
  project.accessoryRows = storedRows(ui, kAccessoryList, 0);
  collectAccessories(project, scene, systems);
  project.trailer = trailerOf(scene, systems, ui);
  return project;
}

bool saveProject(Scene& scene, FrameSystems& systems) {
  port::Ui& ui = *systems.ui;
  const ProjectFile project = collectProject(scene, systems);
  if (const std::string path = overlongPath(project); !path.empty()) {
    port::showMessage(ui, "ファイル名が長すぎるため保存できません(255バイトまで):" + path, kProjectCaption);
    return false;
  }
  errno = 0;
  if (!writeFileAtomically(scene.projectPath, projectBytes(project))) {
    port::showMessage(ui, numbered(kProjectUnsavableMessage, errno), kProjectCaption);
    return false;
  }
  scene.modified = false;
  ui.setWindowTitle(std::string(kWindowTitle) + " [" + scene.projectPath + "]");
  return true;
}

bool openProjectFromDialog(Scene& scene, FrameSystems& systems) {
  std::error_code ignored;
  std::filesystem::current_path(scene.exeDirectory, ignored);
  const std::optional<std::filesystem::path> path =
      systems.ui->openFileDialog(projectDialog("ファイルを開く"));
  if (!path) {
    return false;
  }
  scene.projectPath = path->string();
  return loadProject(scene, systems);
}

bool openProjectCommand(Scene& scene, FrameSystems& systems) {
  if (scene.modified &&
      systems.ui->messageBox(port::MessageOwner::MainWindow,
                             "保存していない変更点があります\n\nこのままロードしてよろしいですか？",
                             "ファイルを開く", port::MessageButtons::OkCancel) != port::MessageAnswer::Ok) {
    return false;
  }
  return openProjectFromDialog(scene, systems);
}

bool saveProjectCommand(Scene& scene, FrameSystems& systems) {
  return scene.projectPath.empty() ? saveProjectAs(scene, systems) : saveProject(scene, systems);
}

bool saveProjectAs(Scene& scene, FrameSystems& systems) {
  std::error_code ignored;
  std::filesystem::current_path(scene.exeDirectory, ignored);
  const std::optional<std::filesystem::path> path =
      systems.ui->saveFileDialog(projectDialog("ファイルを保存する"));
  if (!path) {
    return false;
  }
  scene.projectPath = path->string();
  return saveProject(scene, systems);
}

}  // namespace zv
