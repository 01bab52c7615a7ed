#include "ui/camera_panel.h"

#include <cstdio>

#include "anim/sampling.h"
#include "ui/control_ids.h"

namespace zv {

std::string viewAngleText(float degrees) {
  char text[16];
  std::snprintf(text, sizeof text, "%3d", static_cast<int>(degrees));
  return text;
}

void refreshCameraPanel(Scene& scene, port::Ui& ui, DisplayDevice& device) {
  sampleCameraAtFrame(scene, scene.currentFrame);
  const LiveCamera& camera = scene.camera;
  if (scene.outputWidth > 0 && scene.outputHeight > 0) {
    const float aspect = static_cast<float>(scene.outputHeight) / static_cast<float>(scene.outputWidth);
    perspective(device.state.projection, camera.fieldOfView / 180.0f * 3.141592f, aspect, 1.0f, 1500.0f);
  }
  ui.setControlPosition(kViewAngleBar, static_cast<int>(camera.fieldOfView));
  ui.setControlText(kViewAngleBox, viewAngleText(camera.fieldOfView));
  ui.checkControl(kPerspectiveButton, !camera.orthographic);
}

}  // namespace zv
