#include "app/frame_step.h"

namespace zv {

// The view has nothing to draw until the display device and the scene passes exist.
void frameStep(Scene&) {}

}  // namespace zv
