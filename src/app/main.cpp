// The window front end: one Scene for the whole run, the Qt window host, the paced main loop.
#include "app/command_line.h"
#include "app/frame_step.h"
#include "app/startup.h"
#include "port/clock.h"
#include "port/qt/qt_window_host.h"

namespace {
zv::Scene theScene;
}

int main(int argc, char** argv) {
  zv::port::QtWindowHost host(argc, argv);
  if (!zv::initialise(theScene, host, zv::joinArguments(argc, argv))) {
    return 0;
  }
  zv::port::SteadyClock clock;
  return zv::runMainLoop(theScene, host, clock, zv::frameStep);
}
