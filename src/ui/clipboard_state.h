// Whether the key and pose clipboards hold anything: the paste buttons follow it. The clipboard
// operations keep it current; the panels only read it.
#pragma once

#include <array>

namespace zv {

struct ClipboardState {
  bool poseHeld = false;                   // the pose clipboard holds bones (buttons 391, 392)
  std::array<bool, 3> modelKeyBuffers{};   // model-track key buffers; [0] feeds mirrored paste
  std::array<bool, 2> cameraKeyBuffers{};  // camera-mode key buffers
};

}  // namespace zv
