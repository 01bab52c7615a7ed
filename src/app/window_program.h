// What the window front end puts inside its main window: the frame systems and panels made with
// it, the new scene it starts with, and where its layout, painting, commands and scrolls go.
#pragma once

#include "app/frame_systems.h"
#include "app/startup.h"
#include "port/window_host.h"
#include "scene/document/scene.h"

namespace zv {

// The contents of the program's main window on `host`, working on `scene` and `systems`, which
// must outlive the window.
WindowContents windowContents(Scene& scene, FrameSystems& systems, port::WindowHost& host);

}  // namespace zv
