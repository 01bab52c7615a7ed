// The window, its controls, menus, message boxes and file dialogs, as the program uses them.
// QtUi (port/qt) implements it with Qt Widgets; HeadlessUi keeps the same state in memory for
// tests and the command-line tool. Every text crossing this interface is UTF-8: callers convert
// CP932 names from files with cp932ToUtf8 before they show them.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "port/control_spec.h"
#include "port/rect.h"

namespace zv::port {

enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };
// A box owned by the main window is modal to it; one without owner stands alone; a dialog's own box
// is modal to the dialog, which stays open behind it.
enum class MessageOwner { MainWindow, None, Dialog };

struct FileFilter {
  std::string description;  // "Vocaloid Pose Data files(*.vpd)"
  std::string pattern;      // "*.vpd"; several patterns separated by ';'
};

// An open or save dialog as the commands describe it. Every filter list ends with "All Files(*.*)".
struct FileDialogRequest {
  std::string title;
  std::vector<FileFilter> filters;
  std::filesystem::path initialDirectory;  // relative to the executable's folder
  std::string defaultExtension;            // appended when the user types a name without one
};

enum class FormFieldKind { Edit, CheckBox, Choice };

// One line of a form dialog, addressed by its number; on OK it comes back as the user left it.
struct FormField {
  int id = 0;
  FormFieldKind kind = FormFieldKind::Edit;
  std::string label;  // before an edit or list; the check box's own text
  std::string unit;   // after an edit: "Pixel", "fps"
  std::string text;   // an edit's text
  bool checked = false;
  bool enabled = true;
  std::vector<std::string> rows;  // a choice's rows
  int selection = 0;
};

// What keeps a form dialog open: the box to show over it, or nothing to let OK close it.
struct FormRefusal {
  std::string text;
  std::string caption;
};
using FormCheck = std::function<std::optional<FormRefusal>(const std::vector<FormField>& fields)>;

// A modal dialog of labelled fields with OK and "ｷｬﾝｾﾙ".
struct FormRequest {
  std::string caption;
  MessageOwner owner = MessageOwner::None;  // MainWindow or None
  std::vector<FormField> fields;
  FormCheck refuse;  // run on OK; may be empty
};

// The field numbered `id` of a form; a form without it has a mistake in it (std::logic_error).
const FormField& formField(const std::vector<FormField>& fields, int id);

// A modeless dialog with a track bar and an edit showing the same value, owned by the main window.
// The program answers each change with what the other control is to show.
struct SliderDialogRequest {
  std::string caption;
  std::string label;       // before the track bar
  std::string scaleLabel;  // under the track bar
  int minimum = 0;
  int maximum = 0;
  int tickInterval = 0;
  int position = 0;
  std::string text;
  std::function<std::string(int position)> moved;     // the edit's new text
  std::function<int(std::string_view text)> entered;  // Enter in the edit: the track bar's position
  std::function<void()> closed;                       // Escape or the close box: the dialog is gone
};

// What a control shows, addressed by its numeric id (menu items 200-268, controls 300-418).
struct ControlState {
  std::string text;
  bool enabled = true;
  bool visible = true;
  bool checked = false;
  std::vector<std::string> rows;  // combo-box or list rows
  int selection = -1;             // selected row, -1 for none
  int rangeMin = 0;               // track and scroll bars
  int rangeMax = 0;
  int position = 0;
  int page = 0;  // scroll bars: rows or columns one page shows
  Rect area;     // place in the main window's client area, client pixels
};

// Notification codes a control sends with its id, as the window system numbers them.
inline constexpr int kNotifyClicked = 0;            // button or check box pressed
inline constexpr int kNotifySelectionChanged = 1;   // drop-down list: the user chose a row
inline constexpr int kNotifyFocusGained = 0x100;    // edit box received the keyboard focus
inline constexpr int kNotifyFocusLost = 0x200;      // edit box lost the keyboard focus
inline constexpr int kNotifyEnterPressed = 0x1000;  // Enter typed in a committing edit box

// What moved a track bar or scroll bar, with the window system's numbers.
enum class ScrollCode {
  LineUp = 0,
  LineDown = 1,
  PageUp = 2,
  PageDown = 3,
  ThumbPosition = 4,
  ThumbTrack = 5,
  Top = 6,
  Bottom = 7,
  EndScroll = 8,
};

// The pointer's shape over the client area.
enum class CursorShape { Arrow, ResizeLeftRight };

class Ui {
 public:
  virtual ~Ui() = default;

  virtual MessageAnswer messageBox(MessageOwner owner, std::string_view text, std::string_view caption,
                                   MessageButtons buttons) = 0;
  // The chosen path, or nothing when the dialog was cancelled.
  virtual std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest& request) = 0;
  // The fields as the user left them on OK, or nothing on Cancel. A refusal shows its box owned by
  // the dialog and leaves the dialog open.
  virtual std::optional<std::vector<FormField>> formDialog(const FormRequest& request) = 0;
  // Shows the dialog and returns at once; its callbacks run while it is open.
  virtual void openSliderDialog(SliderDialogRequest request) = 0;

  virtual void setWindowTitle(std::string_view title) = 0;
  virtual Rect clientRect() const = 0;
  // The window's normal position and size on the screen, also while it is maximised.
  virtual Rect restoredRect() const = 0;
  virtual bool maximised() const = 0;

  // Creates a control or menu item from its row, in its state at start.
  virtual void createControl(const ControlSpec& spec) = 0;
  virtual void createMenuItem(const MenuItemSpec& spec) = 0;

  // Controls and menu items by id; an id that was never created is an error naming it.
  virtual ControlState control(int id) const = 0;
  virtual void setControlText(int id, std::string_view text) = 0;
  virtual void enableControl(int id, bool enabled) = 0;
  virtual void showControl(int id, bool visible) = 0;
  virtual void checkControl(int id, bool checked) = 0;
  virtual void setControlRows(int id, std::vector<std::string> rows) = 0;
  virtual void selectControlRow(int id, int row) = 0;
  virtual void setControlRange(int id, int minimum, int maximum) = 0;
  virtual void setControlPosition(int id, int position) = 0;
  virtual void setControlPage(int id, int page) = 0;
  // Moves and sizes a control (client pixels of the main window).
  virtual void placeControl(int id, Rect area) = 0;
  // Gives the keyboard focus back to the main window, whose keys the program polls.
  virtual void focusMainWindow() = 0;
  // The control holding the keyboard focus; 0 when it is the main window or none of its controls.
  virtual int keyboardFocus() const = 0;
  // The mouse cursor over the main window: hidden while a view icon holds it, moved by the program
  // (client pixels). Hides and shows nest: each hide needs its show.
  virtual void hideCursor() = 0;
  virtual void showCursor() = 0;
  virtual void moveCursor(int x, int y) = 0;
  // Closes the main window as its close box does: the shell is asked first and may keep it open.
  virtual void closeMainWindow() = 0;
  // Asks for the client area to be painted again (WindowEvents::paint) once events are handled.
  virtual void repaint() = 0;
  virtual void setCursorShape(CursorShape shape) = 0;
};

// Shows `text` in an OK box owned by the main window: the common failure report.
inline void showMessage(Ui& ui, std::string_view text, std::string_view caption) {
  ui.messageBox(MessageOwner::MainWindow, text, caption, MessageButtons::Ok);
}

}  // namespace zv::port
