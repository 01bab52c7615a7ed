// The camera and light panels, and the collapse and expand buttons of every panel section.
#include "app/command_table.h"
#include "app/window_panels.h"
#include "scene/keys/key_registration.h"
#include "ui/camera_panel.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

bool switchPerspective(Scene& scene, FrameSystems& systems, int) {
  scene.camera.orthographic = !scene.camera.orthographic;
  systems.ui->checkControl(kPerspectiveButton, scene.camera.orthographic);
  if (!scene.camera.orthographic) {
    layoutView(scene, systems);
  }
  return true;
}

bool resetCamera(Scene& scene, FrameSystems& systems, int) {
  scene.camera.cameraCentre = {0, 10, 0};
  scene.camera.cameraAngles = {0, 0, 0};
  scene.camera.cameraDistance = -35.0f;
  refreshCameraPanel(scene, *systems.ui, systems.device);
  return false;
}

bool registerCameraOrLight(Scene& scene, FrameSystems& systems, int id) {
  const KeyWrite write = id == kRegisterCameraButton ? registerCameraKey(scene, scene.currentFrame)
                                                     : registerLightKey(scene, scene.currentFrame);
  std::vector<Message> messages;
  const bool written = noteRefusal(write, messages);
  showMessages(*systems.ui, messages);
  return written;
}

bool collapseOrExpand(Scene& scene, FrameSystems& systems, int id) {
  collapseOrExpandPanel(scene, systems, id);
  return false;
}

constexpr int kClick = port::kNotifyClicked;
constexpr CommandMode kCamera = CommandMode::CameraMode;

const CommandRow kRows[] = {
    {kPerspectiveButton, kClick, switchPerspective, kCamera},
    {kCameraResetButton, kClick, resetCamera, kCamera},
    {kRegisterCameraButton, kClick, registerCameraOrLight, kCamera, false, false, true, true},
    {kRegisterLightButton, kClick, registerCameraOrLight, kCamera, false, false, true, true},
    {kCameraCollapseButton, kClick, collapseOrExpand},
    {kCameraExpandButton, kClick, collapseOrExpand},
    {kLightCollapseButton, kClick, collapseOrExpand},
    {kLightExpandButton, kClick, collapseOrExpand},
    {kAccessoryCollapseButton, kClick, collapseOrExpand},
    {kAccessoryExpandButton, kClick, collapseOrExpand},
    {kBoneCollapseButton, kClick, collapseOrExpand},
    {kBoneExpandButton, kClick, collapseOrExpand},
    {kFaceCollapseButton, kClick, collapseOrExpand},
    {kFaceExpandButton, kClick, collapseOrExpand},
};

}  // namespace

std::span<const CommandRow> cameraPanelCommands() {
  return kRows;
}

}  // namespace zv
