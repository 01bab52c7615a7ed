#include "app/window_program.h"

#include "app/command_handler.h"
#include "app/file_drop.h"
#include "app/new_scene.h"
#include "app/project_file.h"
#include "app/window_mouse.h"
#include "app/window_panels.h"

namespace zv {

WindowContents windowContents(Scene& scene, FrameSystems& systems, port::WindowHost& host) {
  WindowContents contents;
  contents.create = [&scene, &systems, &host] {
    if (!createFrameSystems(systems, scene, host.ui(), host.screenSize(), host.viewSurface(),
                            scene.exeDirectory)) {
      return false;
    }
    createPanels(scene, systems);
    newScene(scene, systems);
    return true;
  };
  contents.layout = [&scene, &systems] { layoutWindow(scene, systems); };
  contents.paint = [&scene, &systems](port::Canvas& canvas) { paintWindow(canvas, scene, systems); };
  contents.command = [&scene, &systems](int id, int notification) {
    handleCommand(scene, systems, id, notification);
  };
  contents.scrolled = [&scene, &systems](int id, port::ScrollCode code, int position) {
    handleScroll(scene, systems, id, code, position);
  };
  contents.fileDropped = [&scene, &systems](const std::filesystem::path& file) {
    openDroppedFile(scene, systems, file);
  };
  contents.mouse = [&scene, &systems](const port::MouseEvent& event) { handleMouse(scene, systems, event); };
  contents.key = [&systems](const port::KeyEvent& event) { handleKey(systems, event); };
  contents.openProject = [&scene, &systems] { loadProject(scene, systems); };
  return contents;
}

}  // namespace zv
