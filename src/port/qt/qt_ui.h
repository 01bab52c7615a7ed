// Ui over Qt Widgets. The control model is the source of truth: every change the program makes is
// written into it and mirrored into the control's widget without notifying anyone; what the user
// types, clicks or chooses is written back into it before the window's command or scroll callback
// hears of it.
#pragma once

#include <functional>

#include <map>
#include <memory>
#include <string>

#include "port/control_model.h"
#include "port/ui.h"
#include "port/window_host.h"

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

namespace zv::port {

class QtUi : public Ui {
 public:
  // Controls are children of `client`, the main window's client area; `events` are the window's
  // callbacks, read at every notification.
  QtUi(QMainWindow& window, QWidget& client, const WindowEvents& events);
  ~QtUi() override;

  // Test hooks: when set, they answer message boxes and file dialogs in place of a person, and no
  // box or dialog is shown.
  std::function<MessageAnswer(std::string_view text, std::string_view caption, MessageButtons buttons)>
      answerMessage;
  std::function<std::optional<std::filesystem::path>(bool save, const FileDialogRequest& request)>
      answerFileDialog;

  MessageAnswer messageBox(MessageOwner owner, std::string_view text, std::string_view caption,
                           MessageButtons buttons) override;
  std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest& request) override;
  std::optional<std::vector<FormField>> formDialog(const FormRequest& request) override;
  void openSliderDialog(SliderDialogRequest request) override;

  void setWindowTitle(std::string_view title) override;
  // The area below the menu bar, origin at its top-left corner.
  Rect clientRect() const override;
  Rect restoredRect() const override;
  bool maximised() const override;

  void createControl(const ControlSpec& spec) override;
  void createMenuItem(const MenuItemSpec& spec) override;
  ControlState control(int id) const override { return model_.state(id); }
  void setControlText(int id, std::string_view text) override;
  void enableControl(int id, bool enabled) override;
  void showControl(int id, bool visible) override;
  void checkControl(int id, bool checked) override;
  void setControlRows(int id, std::vector<std::string> rows) override;
  void selectControlRow(int id, int row) override;
  void setControlRange(int id, int minimum, int maximum) override;
  void setControlPosition(int id, int position) override;
  void setControlPage(int id, int page) override;
  void placeControl(int id, Rect area) override;
  void focusMainWindow() override;
  int keyboardFocus() const override;
  void hideCursor() override;
  void showCursor() override;
  void moveCursor(int x, int y) override;
  void closeMainWindow() override;
  void repaint() override;
  void setCursorShape(CursorShape shape) override;

  // The widget of a control or the action of a menu item; null for any other id.
  QWidget* widget(int id) const;
  QAction* action(int id) const;

 private:
  struct Widgets;
  std::optional<std::filesystem::path> runFileDialog(bool save, const FileDialogRequest& request);
  void mirror(int id);
  void notify(int id, int notification);
  void sendScroll(int id, ScrollCode code, int position);
  void reportScroll(int id, ScrollCode code);
  void finishThumbDrag(int id);
  void connectControl(int id, QWidget& widget);
  QMainWindow& window_;
  QWidget& client_;
  const WindowEvents& events_;
  ControlModel model_;
  std::unique_ptr<Widgets> widgets_;
};

}  // namespace zv::port
