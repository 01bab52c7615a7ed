// The window front end: one Scene for the whole run, the Qt window host with the 3D view and the
// panels, and the paced main loop running one frame step per idle turn.
#include <memory>

#include "app/command_line.h"
#include "app/frame_step.h"
#include "app/frame_systems.h"
#include "app/startup.h"
#include "app/window_program.h"
#include "port/clock.h"
#include "port/qt/qt_window_host.h"

namespace {
zv::Scene theScene;
}

int main(int argc, char** argv) {
  zv::port::QtWindowHost host(argc, argv);
  auto systems = std::make_unique<zv::FrameSystems>();
  const zv::WindowContents contents = zv::windowContents(theScene, *systems, host);
  const zv::StartOutcome outcome = zv::startUp(theScene, host, zv::joinArguments(argc, argv), contents);
  if (outcome != zv::StartOutcome::Running) {
    return zv::exitCode(outcome);
  }
  zv::port::SteadyClock clock;
  const int code =
      zv::runMainLoop(theScene, host, clock, [&](zv::Scene& scene) { zv::frameStep(scene, *systems); });
  zv::releaseFrameSystems(*systems, theScene);
  return code;
}
