// The viewpoint and playback panels: view presets, play and stop, and the play options.
#include "anim/sampling.h"
#include "app/camera_take_over.h"
#include "app/command_table.h"
#include "app/playback_clock.h"
#include "app/playback_stop.h"
#include "port/text.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

constexpr float kPi = 3.14159274f;

struct ViewPreset {
  int id;
  Vec3 angles;
};

constexpr ViewPreset kViewPresets[] = {
    {kFrontViewButton, {0, 0, 0}},        {kBackViewButton, {0, kPi, 0}},
    {kTopViewButton, {-kPi / 2, 0, 0}},   {kLeftViewButton, {0, kPi / 2, 0}},
    {kRightViewButton, {0, -kPi / 2, 0}}, {kBottomViewButton, {kPi / 2, 0, 0}},
};

bool namedDummyBones(const Model* model) {
  static const std::string dummyBoneModel = port::utf8ToCp932("ダミーボーン");
  return model && model->name == dummyBoneModel;
}

bool showViewPreset(Scene& scene, FrameSystems& systems, int id) {
  if (id == kBottomViewButton && !scene.cameraMode) {
    takeOverCameraView(scene, systems);
    systems.ui->repaint();
    return false;
  }
  for (const ViewPreset& preset : kViewPresets) {
    if (preset.id == id) {
      scene.camera.cameraAngles = preset.angles;
    }
  }
  if (!scene.cameraMode) {
    scene.camera.cameraDistance = -35.0f;
    scene.viewOffsetX = 0.0f;
    scene.viewOffsetY = namedDummyBones(currentModel(scene)) ? 0.0f : 10.0f;
  }
  systems.ui->repaint();
  return false;
}

void startPlayback(Scene& scene, FrameSystems& systems) {
  port::Ui& ui = *systems.ui;
  const std::uint32_t startFrame = leadingFrameNumber(ui.control(kStartFrameBox).text);
  const std::uint32_t endFrame = leadingFrameNumber(ui.control(kStopFrameBox).text);
  const std::uint32_t firstFrame = scene.playFromCurrentFrame ? scene.currentFrame : startFrame;
  scene.playRangeStartTime = static_cast<float>(firstFrame) / kFramesPerSecond;
  scene.playRangeEndTime = static_cast<float>(endFrame == 0 ? scene.lastFrame : endFrame) / kFramesPerSecond;
  scene.currentTime = scene.playRangeStartTime;
  seekScene(scene);
  lockForPlayback(ui, systems.panels.playbackLock);
  scene.playing = true;
  ui.checkControl(kPlayButton, true);
  if (wavLoaded(systems)) {
    playFrom(systems.wav, scene.currentTime);
  }
}

void stopPlaying(Scene& scene, FrameSystems& systems) {
  stopPlayback(scene, systems);
  if (wavLoaded(systems)) {
    stop(systems.wav);
    prepare(systems.wav);
  }
}

bool playOrStop(Scene& scene, FrameSystems& systems, int) {
  if (scene.playing) {
    stopPlaying(scene, systems);
  } else {
    startPlayback(scene, systems);
  }
  return false;
}

bool& playOption(Scene& scene, int id) {
  switch (id) {
    case kRepeatCheck:
      return scene.repeatPlayback;
    case kFollowModelCentreCheck:
      return scene.followModelCentre;
    case kStopFrameCheck:
      return scene.stopFrameOption;
    default:
      return scene.playFromCurrentFrame;
  }
}

bool switchPlayOption(Scene& scene, FrameSystems& systems, int id) {
  bool& option = playOption(scene, id);
  option = !option;
  systems.ui->checkControl(id, option);
  return false;
}

constexpr int kClick = port::kNotifyClicked;

const CommandRow kRows[] = {
    {kFrontViewButton, kClick, showViewPreset},
    {kBackViewButton, kClick, showViewPreset},
    {kTopViewButton, kClick, showViewPreset},
    {kLeftViewButton, kClick, showViewPreset},
    {kRightViewButton, kClick, showViewPreset},
    {kBottomViewButton, kClick, showViewPreset},
    {kPlayButton, kClick, playOrStop},
    {kRepeatCheck, kClick, switchPlayOption},
    {kFollowModelCentreCheck, kClick, switchPlayOption},
    {kStopFrameCheck, kClick, switchPlayOption},
    {kPlayFromCurrentFrameCheck, kClick, switchPlayOption},
};

}  // namespace

std::span<const CommandRow> playbackCommands() {
  return kRows;
}

}  // namespace zv
