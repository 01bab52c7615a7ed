// The demo character on a headless EGL context, with the drawing systems made as window
// creation makes them, for benchmarks of the frame step.
#pragma once

#include <memory>

#include "app/frame_systems.h"
#include "port/gl/headless_gl_context.h"
#include "port/headless_ui.h"
#include "scene/document/scene.h"

namespace zv::bench {

struct DemoFrame {
  std::unique_ptr<port::HeadlessGlContext> context;
  port::HeadlessUi ui;
  Scene scene;
  std::unique_ptr<FrameSystems> systems = std::make_unique<FrameSystems>();

  DemoFrame() = default;
  DemoFrame(const DemoFrame&) = delete;
  DemoFrame& operator=(const DemoFrame&) = delete;
  ~DemoFrame();

  // A back buffer for a screen of `screen` pixels with the demo character in slot 0, current, in
  // model mode; false when there is no GL context or the character cannot be read.
  bool set(port::Size screen);
  // Loads the demo character's motion into the current model; false when it cannot be read.
  bool loadDemoMotion();
  // Fills slots 1 to count - 1 with further demo characters playing the demo motion, each stood
  // `spacing` units to the right of the one before, and moves the first one as far left that the
  // row stays centred; false when a character or the motion cannot be read.
  bool addDemoCharacters(int count, float spacing);
};

}  // namespace zv::bench
