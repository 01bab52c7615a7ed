// The one entry point of the main window's menu items and controls: the window reports every click,
// choice, Enter and focus change as (id, notification), and every track-bar or scroll-bar move as
// (id, what moved it, position). Commands read the controls' state from the frame systems' Ui.
#pragma once

#include "app/frame_systems.h"
#include "port/ui.h"
#include "scene/document/scene.h"

namespace zv {

void handleCommand(Scene& scene, FrameSystems& systems, int id, int notification);
void handleScroll(Scene& scene, FrameSystems& systems, int id, port::ScrollCode code, int position);

}  // namespace zv
