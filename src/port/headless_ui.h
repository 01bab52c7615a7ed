// A Ui without a display: message boxes and dialogs answer from queues the caller fills, every
// message shown is recorded, and the controls are the shared control model. click, select, type,
// pressEnter and scroll act as the user would and reach the program through the same callbacks
// the window gives its shell.
#pragma once

#include <deque>
#include <functional>
#include <initializer_list>
#include <map>

#include "port/control_model.h"
#include "port/ui.h"

namespace zv::port {

struct ShownMessage {
  MessageOwner owner;
  std::string text;
  std::string caption;
  MessageButtons buttons;
};

struct ShownDialog {
  bool save;
  FileDialogRequest request;
};

// What the user does in a form dialog: types into edits, sets check boxes and chooses rows (only
// enabled fields take it), then presses OK, or presses Cancel.
struct FormAnswer {
  std::map<int, std::string> texts;
  std::map<int, bool> checks;
  std::map<int, int> selections;
  bool ok = true;
};

// The open slider dialog as the user sees it.
struct ShownSliderDialog {
  SliderDialogRequest request;
  int position = 0;
  std::string text;
};

class HeadlessUi : public Ui {
 public:
  // Answers to questions (OK/Cancel boxes) and dialogs, taken in order; when a queue is empty a
  // question answers OK and a dialog is cancelled.
  std::deque<MessageAnswer> messageAnswers;
  std::deque<std::optional<std::filesystem::path>> dialogAnswers;
  std::vector<ShownMessage> messages;
  std::vector<ShownDialog> dialogs;
  // Form dialogs: each answer is one press of OK or Cancel. A refused OK takes the next answer
  // with the fields as they stood; an empty queue cancels.
  std::deque<FormAnswer> formAnswers;
  std::vector<FormRequest> forms;                 // every form shown, with its fields as they started
  std::optional<ShownSliderDialog> sliderDialog;  // while one is open
  std::string windowTitle;
  Rect client{0, 0, 1280, 720};
  Rect restored{0, 0, 1280, 720};
  bool isMaximised = false;
  int focusedControl = 0;  // the edit holding the keyboard focus; 0 for the main window
  int cursorHides = 0;     // hides not yet shown again: the cursor shows at 0
  int cursorX = 0;         // where the program last moved the cursor, client pixels
  int cursorY = 0;
  int repaintRequests = 0;
  CursorShape cursorShape = CursorShape::Arrow;
  // Where the user's actions are reported: the shell's command and scroll handlers.
  std::function<void(int id, int notification)> command;
  std::function<void(int id, ScrollCode code, int position)> scrolled;
  // What closing the main window does: the host's close.
  std::function<void()> closeWindow;

  MessageAnswer messageBox(MessageOwner owner, std::string_view text, std::string_view caption,
                           MessageButtons buttons) override;
  std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest& request) override;
  std::optional<std::vector<FormField>> formDialog(const FormRequest& request) override;
  void openSliderDialog(SliderDialogRequest request) override;

  void setWindowTitle(std::string_view title) override { windowTitle = title; }
  Rect clientRect() const override { return client; }
  Rect restoredRect() const override { return restored; }
  bool maximised() const override { return isMaximised; }

  void createControl(const ControlSpec& spec) override { model_.add(spec); }
  void createMenuItem(const MenuItemSpec& spec) override { model_.add(spec); }
  ControlState control(int id) const override { return model_.state(id); }
  void setControlText(int id, std::string_view text) override { model_.state(id).text = text; }
  void enableControl(int id, bool enabled) override { model_.state(id).enabled = enabled; }
  void showControl(int id, bool visible) override { model_.state(id).visible = visible; }
  void checkControl(int id, bool checked) override { model_.state(id).checked = checked; }
  void setControlRows(int id, std::vector<std::string> rows) override { model_.setRows(id, std::move(rows)); }
  void selectControlRow(int id, int row) override { model_.state(id).selection = row; }
  void setControlRange(int id, int minimum, int maximum) override { model_.setRange(id, minimum, maximum); }
  void setControlPosition(int id, int position) override { model_.state(id).position = position; }
  void setControlPage(int id, int page) override { model_.state(id).page = page; }
  void placeControl(int id, Rect area) override { model_.state(id).area = area; }
  void focusMainWindow() override { moveFocus(0); }
  int keyboardFocus() const override { return focusedControl; }
  void hideCursor() override { ++cursorHides; }
  void showCursor() override { --cursorHides; }
  void moveCursor(int x, int y) override {
    cursorX = x;
    cursorY = y;
  }
  void closeMainWindow() override {
    if (closeWindow) {
      closeWindow();
    }
  }
  void repaint() override { ++repaintRequests; }
  void setCursorShape(CursorShape shape) override { cursorShape = shape; }

  const ControlModel& model() const { return model_; }

  // A click on a button, check box, radio button or menu item: nothing when it is disabled or
  // hidden; otherwise its check state changes as the control's class does, then (id, clicked).
  void click(int id);
  // The user chooses `row` of a drop-down list: the selection changes, then (id, selection changed).
  // Nothing for a disabled or hidden list or a row it does not have.
  void select(int id, int row);
  // The user focuses the edit `id` and types `text` over its contents.
  void type(int id, std::string_view text);
  // Enter in the focused edit: a committing edit reports it and hands the focus back to the window.
  void pressEnter();
  // The user moves a track bar or scroll bar. A track bar moves itself to `position` (within its
  // range) before it reports; a scroll bar only reports, and the program places its thumb.
  // Each helper throws std::logic_error when `id` is not a control of the kind it acts on.
  void scroll(int id, ScrollCode code, int position);
  // The user drags the slider dialog's track bar to `position` (kept within its range), types
  // `text` over its edit, presses Enter in the edit, or closes the dialog. Each throws
  // std::logic_error when no slider dialog is open.
  void slideDialog(int position);
  void typeInSliderDialog(std::string_view text);
  void pressEnterInSliderDialog();
  void closeSliderDialog();

 private:
  std::optional<std::filesystem::path> answerDialog(bool save, const FileDialogRequest& request);
  void expectKind(int id, std::initializer_list<ControlKind> kinds, const char* action) const;
  void notify(int id, int notification);
  void moveFocus(int id);
  ShownSliderDialog& openSlider();
  ControlModel model_;
};

}  // namespace zv::port
