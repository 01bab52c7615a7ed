// The real window system: a QApplication, the main window and the Ui over Qt Widgets.
// No Qt header leaks from here, so the shell that includes it stays free of Qt.
#pragma once

#include <memory>

#include "port/window_host.h"

namespace zv::port {

class QtWindowHost : public WindowHost {
 public:
  // Creates the QApplication; the OpenGL format of every context is set to 3.3 core first.
  QtWindowHost(int& argc, char** argv);
  ~QtWindowHost() override;

  Size screenSize() const override;
  bool createMainWindow(const std::string& title, Rect geometry, WindowEvents events) override;
  void showMainWindow(bool maximised) override;
  bool processEvents() override;
  Ui& ui() override;
  // Made on the first call, after the main window exists.
  ViewSurface* viewSurface() override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Makes OpenGL 3.3 core the default format of every Qt context; call before the QApplication exists.
void useOpenGl33CoreByDefault();

}  // namespace zv::port
