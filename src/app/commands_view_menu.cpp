// The display menu: view switches with their check marks, backgrounds, frame-rate limits and the
// screen-capture modes.
#include "app/camera_take_over.h"
#include "app/command_files.h"
#include "app/command_table.h"
#include "media/background_image.h"
#include "media/background_video.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

constexpr CommandDialog kVideoDialog{"AVIデータ読込", "avi files(*.avi)", "*.avi", "UserFile/BackGround",
                                     "avi"};
constexpr CommandDialog kImageDialog{"背景BMPデータ読込", "Bmp files(*.bmp)", "*.bmp", "UserFile/BackGround",
                                     "bmp"};

bool toggleInfo(Scene& scene, FrameSystems& systems, int) {
  scene.showInfo = !scene.showInfo;
  if (scene.showInfo) {
    scene.fpsAccumulator = 0.0f;
    scene.fpsFrameCount = 0;
  }
  systems.ui->checkControl(kMenuShowInfo, scene.showInfo);
  return true;
}

bool toggleTranslucent(Scene& scene, FrameSystems& systems, int) {
  scene.translucent = !scene.translucent;
  for (std::unique_ptr<Model>& model : scene.modelSlots) {
    if (model) {
      model->semiTransparent = scene.translucent;
    }
  }
  systems.ui->checkControl(kMenuTranslucent, scene.translucent);
  return true;
}

bool toggleAxes(Scene& scene, FrameSystems& systems, int) {
  scene.showAxes = !scene.showAxes;
  systems.ui->checkControl(kMenuShowAxes, scene.showAxes);
  return true;
}

bool toggleGroundShadow(Scene& scene, FrameSystems& systems, int) {
  scene.showGroundShadow = !scene.showGroundShadow;
  systems.ui->checkControl(kMenuShowGroundShadow, scene.showGroundShadow);
  return true;
}

bool toggleFollowCameraLight(Scene& scene, FrameSystems& systems, int) {
  scene.followCameraLight = !scene.followCameraLight;
  systems.ui->checkControl(kMenuFollowCameraLight, scene.followCameraLight);
  if (scene.followCameraLight) {
    takeOverCameraView(scene, systems);
  }
  return true;
}

bool loadVideoCommand(Scene& scene, FrameSystems& systems, int) {
  const auto path = askOpenPath(scene, systems, kVideoDialog);
  return path && loadBackgroundVideoFile(scene, systems, *path);
}

bool loadImageCommand(Scene& scene, FrameSystems& systems, int) {
  const auto path = askOpenPath(scene, systems, kImageDialog);
  return path && loadBackgroundImageFile(scene, systems, *path);
}

bool toggleVideoShown(Scene& scene, FrameSystems& systems, int) {
  scene.backgroundVideoShown = scene.backgroundVideoShown == 0 && videoLoaded(systems.backgrounds) ? 1 : 0;
  if (scene.backgroundVideoShown == 1) {
    showMessages(*systems.ui, composeVideo(scene, systems.backgrounds).messages);
  }
  systems.ui->checkControl(kVideoShownMenuItem, scene.backgroundVideoShown == 1);
  return true;
}

bool toggleImageShown(Scene& scene, FrameSystems& systems, int) {
  scene.backgroundImageShown = !scene.backgroundImageShown && imageLoaded(systems.backgrounds);
  if (scene.backgroundImageShown) {
    showMessages(*systems.ui, composeImage(scene, systems.backgrounds));
  }
  if (scene.backgroundVideoShown == 1) {
    showMessages(*systems.ui, composeVideo(scene, systems.backgrounds).messages);
  }
  systems.ui->checkControl(kImageShownMenuItem, scene.backgroundImageShown);
  return true;
}

bool limitFrameRate(Scene& scene, FrameSystems& systems, int id) {
  scene.frameRateLimit = id == kMenuUnlimitedFps ? 1000.0f : id == kMenu30Fps ? 30.0f : 60.0f;
  for (const int item : {kMenuUnlimitedFps, kMenu30Fps, kMenu60Fps}) {
    systems.ui->checkControl(item, item == id);
  }
  return true;
}

bool chooseCaptureMode(Scene& scene, FrameSystems& systems, int id) {
  scene.captureMode = static_cast<CaptureMode>(id - kMenuCaptureOff);
  for (const int item : {kMenuCaptureOff, kMenuCaptureModes[0], kMenuCaptureModes[1], kMenuCaptureModes[2]}) {
    systems.ui->checkControl(item, item == id);
  }
  return true;
}

constexpr int kClick = port::kNotifyClicked;
constexpr CommandMode kAny = CommandMode::Any;

const CommandRow kRows[] = {
    {kMenuShowInfo, kClick, toggleInfo},
    {kMenuLoadBackgroundVideo, kClick, loadVideoCommand, kAny, false, true, true},
    {kMenuTranslucent, kClick, toggleTranslucent},
    {kMenuShowAxes, kClick, toggleAxes},
    {kVideoShownMenuItem, kClick, toggleVideoShown},
    {kMenuShowGroundShadow, kClick, toggleGroundShadow},
    {kMenuLoadBackgroundImage, kClick, loadImageCommand, kAny, false, true, true},
    {kImageShownMenuItem, kClick, toggleImageShown},
    {kMenuUnlimitedFps, kClick, limitFrameRate},
    {kMenu30Fps, kClick, limitFrameRate},
    {kMenu60Fps, kClick, limitFrameRate},
    {kMenuCaptureOff, kClick, chooseCaptureMode},
    {kMenuCaptureModes[0], kClick, chooseCaptureMode},
    {kMenuCaptureModes[1], kClick, chooseCaptureMode},
    {kMenuCaptureModes[2], kClick, chooseCaptureMode},
    {kMenuFollowCameraLight, kClick, toggleFollowCameraLight},
};

}  // namespace

bool loadBackgroundVideoFile(Scene& scene, FrameSystems& systems, const std::filesystem::path& path) {
  const Outcome loaded = loadVideo(scene, systems.backgrounds, path);
  showMessages(*systems.ui, loaded.messages);
  systems.ui->checkControl(kVideoShownMenuItem, scene.backgroundVideoShown == 1);
  return loaded.done;
}

bool loadBackgroundImageFile(Scene& scene, FrameSystems& systems, const std::filesystem::path& path) {
  const Outcome loaded = loadImage(scene, systems.backgrounds, path);
  showMessages(*systems.ui, loaded.messages);
  systems.ui->checkControl(kImageShownMenuItem, scene.backgroundImageShown);
  return loaded.done;
}

std::span<const CommandRow> viewMenuCommands() {
  return kRows;
}

}  // namespace zv
