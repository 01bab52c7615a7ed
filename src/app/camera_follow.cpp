#include "app/camera_follow.h"

#include "anim/sampling.h"
#include "app/view_transforms.h"

namespace zv {

void setCameraLightFollowing(Scene& scene, bool on) {
  scene.followCameraLight = on;
  if (!on) {
    return;
  }
  scene.viewOffsetX = 0.0f;
  scene.viewOffsetY = 0.0f;
  sampleCameraAtFrame(scene, scene.currentFrame);
  sampleLightAtFrame(scene, scene.currentFrame);
  for (int slot = 0; slot < kMaxAccessories; ++slot) {
    sampleAccessoryAtFrame(scene, slot, scene.currentFrame);
  }
}

void continueViewFromCamera(Scene& scene) {
  if (scene.cameraMode) {
    return;
  }
  // Both views turn by the same angles and look along +Z from the view offset and distance, so
  // they agree once the eye moves by the two centres' difference turned into view space.
  const Vec3 centreShift = scene.camera.cameraCentre - worldCentre(scene);
  const Vec3 eyeShift = transformDirection(centreShift, viewRotation(scene.camera.cameraAngles));
  scene.viewOffsetX += eyeShift.x;
  scene.viewOffsetY += eyeShift.y;
  scene.camera.cameraDistance += eyeShift.z;
}

}  // namespace zv
