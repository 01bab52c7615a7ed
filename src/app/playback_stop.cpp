#include "app/playback_stop.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "anim/sampling.h"
#include "app/accessory_commands.h"
#include "app/camera_take_over.h"
#include "app/frame_navigation.h"
#include "media/background_video.h"
#include "scene/document/frame_time.h"
#include "scene/undo/undo.h"
#include "ui/camera_panel.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"
#include "ui/model_panel.h"
#include "ui/timeline_drawing.h"

namespace zv {
namespace {

constexpr std::uint32_t kFramesBeforeStop = 6;  // columns left of the stop frame in the grid

std::uint32_t reachedFrame(float seconds) {
  const double frame = std::trunc(static_cast<double>(seconds) * kFramesPerSecond);
  if (!(frame > 0.0)) {
    return 0;  // also a clock that is not a number
  }
  return static_cast<std::uint32_t>(std::min(frame, static_cast<double>(kLastEditableFrame)));
}

void stayAtReachedFrame(Scene& scene, FrameSystems& systems) {
  Model* model = currentModel(scene);
  if (model && std::ranges::any_of(model->boneMoved, [](auto moved) { return moved != 0; })) {
    recordPoseAtFrame(scene, *model, scene.currentFrame);
    std::fill(model->boneMoved.begin(), model->boneMoved.end(), 0);
    if (!scene.cameraMode) {
      // The buttons were remembered before this step existed.
      systems.ui->enableControl(kUndoButton, model->undoHistory.undoAvailable);
      systems.ui->enableControl(kRedoButton, model->undoHistory.redoAvailable);
    }
  }
  scene.currentFrame = reachedFrame(scene.currentTime);
  systems.panels.timeline.firstVisibleFrame =
      scene.currentFrame > kFramesBeforeStop ? scene.currentFrame - kFramesBeforeStop : 0;
  systems.ui->setControlText(kCurrentFrameBox, std::to_string(scene.currentFrame));
  if (wavLoaded(systems)) {
    drawWaveform(systems.wav, systems.panels.timeline.firstVisibleFrame, scene.panelWidth);
  }
}

void sampleCurrentFrame(Scene& scene, FrameSystems& systems) {
  for (auto& slot : scene.modelSlots) {
    if (slot) {
      sampleModelAtFrame(*slot, scene.currentFrame);
    }
  }
  if (scene.cameraMode) {
    takeOverCameraView(scene, systems);
    refreshAccessoryPanel(scene, systems);
    return;
  }
  if (Model* model = currentModel(scene)) {
    fillModelPanel(*systems.ui, *model);
  }
  if (scene.followCameraLight) {
    takeOverCameraView(scene, systems);
  }
}

}  // namespace

void stopPlayback(Scene& scene, FrameSystems& systems) {
  port::Ui& ui = *systems.ui;
  scene.playing = false;
  unlockAfterPlayback(ui, systems.panels.playbackLock);
  ui.checkControl(kPlayButton, false);
  if (scene.stopFrameOption) {
    stayAtReachedFrame(scene, systems);
  }
  sampleCurrentFrame(scene, systems);
  if (scene.backgroundVideoShown && videoLoaded(systems.backgrounds)) {
    showMessages(ui, composeVideo(scene, systems.backgrounds).messages);
  }
  drawTimeline(scene, systems.panels, ui);
}

}  // namespace zv
