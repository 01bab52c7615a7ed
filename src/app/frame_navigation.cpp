#include "app/frame_navigation.h"

#include <algorithm>
#include <string>

#include "anim/sampling.h"
#include "media/background_video.h"
#include "scene/undo/undo.h"
#include "ui/camera_panel.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"
#include "ui/model_panel.h"
#include "ui/timeline_drawing.h"

namespace zv {
namespace {

void recordHandPosedBones(Scene& scene) {
  for (auto& slot : scene.modelSlots) {
    if (slot) {
      recordPoseAtFrame(scene, *slot, scene.currentFrame);
      std::fill(slot->boneMoved.begin(), slot->boneMoved.end(), 0);
    }
  }
}

void sampleEverything(Scene& scene, FrameSystems& systems) {
  port::Ui& ui = *systems.ui;
  for (auto& slot : scene.modelSlots) {
    if (slot) {
      sampleModelAtFrame(*slot, scene.currentFrame);
    }
  }
  Model* model = currentModel(scene);
  if (model && !scene.cameraMode) {
    fillModelPanel(ui, *model);
  }
  if (scene.cameraMode || scene.followCameraLight) {
    refreshCameraPanel(scene, ui, systems.device);
    sampleLightAtFrame(scene, scene.currentFrame);
    for (int slot = 0; slot < kMaxAccessories; ++slot) {
      sampleAccessoryAtFrame(scene, slot, scene.currentFrame);
    }
  } else if (model) {
    // The buttons follow the history, which the pose step may just have filled.
    ui.enableControl(kUndoButton, model->undoHistory.undoAvailable);
    ui.enableControl(kRedoButton, model->undoHistory.redoAvailable);
  }
}

void followWithMedia(Scene& scene, FrameSystems& systems) {
  if (wavLoaded(systems)) {
    drawWaveform(systems.wav, systems.panels.timeline.firstVisibleFrame, scene.panelWidth);
  }
  if (scene.backgroundVideoShown && videoLoaded(systems.backgrounds)) {
    showMessages(*systems.ui, composeVideo(scene, systems.backgrounds).messages);
  }
}

}  // namespace

std::uint32_t centredFirstFrame(std::uint32_t frame, int panelWidth) {
  const std::int64_t first = static_cast<std::int64_t>(frame) - (panelWidth - 84) / 26;
  return first > 0 ? static_cast<std::uint32_t>(first) : 0;
}

void goToFrame(Scene& scene, FrameSystems& systems, std::int64_t frame) {
  recordHandPosedBones(scene);
  scene.currentFrame = static_cast<std::uint32_t>(std::clamp<std::int64_t>(frame, 0, kLastEditableFrame));
  systems.ui->setControlText(kCurrentFrameBox, std::to_string(scene.currentFrame));
  sampleEverything(scene, systems);
  systems.panels.timeline.firstVisibleFrame = centredFirstFrame(scene.currentFrame, scene.panelWidth);
  drawTimeline(scene, systems.panels, *systems.ui);
  followWithMedia(scene, systems);
}

void nextFrame(Scene& scene, FrameSystems& systems) {
  goToFrame(scene, systems, static_cast<std::int64_t>(scene.currentFrame) + 1);
}

void previousFrame(Scene& scene, FrameSystems& systems) {
  goToFrame(scene, systems, std::max<std::int64_t>(0, static_cast<std::int64_t>(scene.currentFrame) - 1));
}

void showCurrentFrame(Scene& scene, FrameSystems& systems) {
  systems.panels.timeline.firstVisibleFrame = centredFirstFrame(scene.currentFrame, scene.panelWidth);
  drawTimeline(scene, systems.panels, *systems.ui);
  if (wavLoaded(systems)) {
    drawWaveform(systems.wav, systems.panels.timeline.firstVisibleFrame, scene.panelWidth);
  }
}

std::uint32_t scrolledFirstFrame(std::uint32_t first, port::ScrollCode code, int thumb, int page) {
  std::int64_t frame = first;
  switch (code) {
    case port::ScrollCode::LineUp:
      frame -= 1;
      break;
    case port::ScrollCode::LineDown:
      frame += 1;
      break;
    case port::ScrollCode::PageUp:
      frame -= page;
      break;
    case port::ScrollCode::PageDown:
      frame += page;
      break;
    case port::ScrollCode::ThumbTrack:
      frame = thumb;
      break;
    default:
      return first;
  }
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(frame, 0, kLastEditableFrame));
}

void timelineScroll(Scene& scene, FrameSystems& systems, port::ScrollCode code, int thumb) {
  const bool line = code == port::ScrollCode::LineUp || code == port::ScrollCode::LineDown;
  if (line && scene.mouseX > systems.viewRectangle.left) {
    // Arrow steps that come while the pointer is over the 3D view move the eye instead.
    scene.camera.cameraDistance += code == port::ScrollCode::LineUp ? 1.0f : -1.0f;
    return;
  }
  TimelineState& timeline = systems.panels.timeline;
  timeline.firstVisibleFrame =
      scrolledFirstFrame(timeline.firstVisibleFrame, code, thumb, timelineColumns(scene.panelWidth));
  drawTimeline(scene, systems.panels, *systems.ui);
  if (wavLoaded(systems)) {
    drawWaveform(systems.wav, timeline.firstVisibleFrame, scene.panelWidth);
  }
}

}  // namespace zv
