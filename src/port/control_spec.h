// A control or menu item of the main window described as data. The program keeps one table of
// these rows; every Ui creates its controls and menus from them, so a control's class, caption and
// state at start are written down once.
#pragma once

#include <span>
#include <string_view>

namespace zv::port {

enum class ControlKind {
  Button,
  PushLikeCheckBox,  // a checkable push button that stays down while it is on
  CheckBox,
  RadioButton,  // checks itself and unchecks the others of its group when clicked
  Edit,         // single line, text centred
  DropDownList,
  TrackBar,
  VerticalScrollBar,
  HorizontalScrollBar,
  MenuItem,
};

struct ControlSpec {
  int id = 0;
  ControlKind kind = ControlKind::Button;
  std::string_view panel;       // the panel that holds it, as the table groups them
  std::string_view caption;     // UTF-8; empty for none
  bool enabled = true;          // at start
  bool visible = true;          // at start
  bool systemFont = false;      // keeps the window system's font instead of the control font
  int radioGroup = 0;           // radio buttons of one non-zero group exclude each other
  bool ticks = false;           // track bar drawn with tick marks
  bool commitsOnEnter = false;  // edit: Enter reports kNotifyEnterPressed, then focus returns to the window
  std::span<const std::string_view> rows;  // list rows at start
  int selection = -1;                      // selected list row at start, -1 for none
};

struct MenuItemSpec {
  int id = 0;
  std::string_view menu;         // caption of the menu-bar entry that holds it, with its mnemonic
  std::string_view caption;      // with its mnemonic ("&N"), as Qt reads it too
  bool enabled = true;           // at start
  bool checked = false;          // at start
  bool checkMark = false;        // the item shows a check mark (on or off)
  bool separatorBefore = false;  // a line parts it from the items above
};

}  // namespace zv::port
