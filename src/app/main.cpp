// The window front end: one Scene for the whole run, the Qt window host with the 3D view, and the
// paced main loop running one frame step per idle turn.
#include <memory>

#include "app/command_handler.h"
#include "app/command_line.h"
#include "app/frame_step.h"
#include "app/frame_systems.h"
#include "app/new_scene.h"
#include "app/project_file.h"
#include "app/startup.h"
#include "app/window_panels.h"
#include "port/clock.h"
#include "port/qt/qt_window_host.h"
#include "ui/control_ids.h"

namespace {
zv::Scene theScene;
}

int main(int argc, char** argv) {
  zv::port::QtWindowHost host(argc, argv);
  auto systems = std::make_unique<zv::FrameSystems>();
  zv::WindowContents contents;
  contents.create = [&] {
    if (!zv::createFrameSystems(*systems, theScene, host.ui(), host.screenSize(), host.viewSurface(),
                                theScene.exeDirectory)) {
      return false;
    }
    zv::createPanels(theScene, *systems);
    zv::newScene(theScene, *systems);
    return true;
  };
  contents.layout = [&] { zv::layoutWindow(theScene, *systems); };
  contents.paint = [&](zv::port::Canvas& canvas) { zv::paintWindow(canvas, theScene, *systems); };
  contents.command = [&](int id, int notification) {
    zv::handleCommand(theScene, *systems, id, notification);
  };
  contents.scrolled = [&](int id, zv::port::ScrollCode code, int position) {
    zv::handleScroll(theScene, *systems, id, code, position);
  };
  contents.openProject = [&] { zv::loadProject(theScene, *systems); };
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
