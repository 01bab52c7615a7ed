#include "app/camera_take_over.h"

#include "anim/sampling.h"
#include "app/view_transforms.h"
#include "ui/camera_panel.h"

namespace zv {

void takeOverCameraView(Scene& scene, FrameSystems& systems) {
  scene.viewOffsetX = 0.0f;
  scene.viewOffsetY = 0.0f;
  refreshCameraPanel(scene, *systems.ui, systems.device);
  sampleLightAtFrame(scene, scene.currentFrame);
  for (int slot = 0; slot < kMaxAccessories; ++slot) {
    sampleAccessoryAtFrame(scene, slot, scene.currentFrame);
  }
  if (scene.cameraMode) {
    return;
  }
  // The camera turns the world about its centre, the editing view about the model's: moving the
  // eye by the rotated gap between the two centres shows the same picture.
  const Vec3 gap = scene.camera.cameraCentre - worldCentre(scene);
  const Vec3 shift = transformDirection(gap, viewRotation(scene.camera.cameraAngles));
  scene.viewOffsetX = shift.x;
  scene.viewOffsetY = shift.y;
  scene.camera.cameraDistance += shift.z;
}

}  // namespace zv
