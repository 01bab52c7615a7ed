// The state of every control and menu item of the main window, by id: the one source of truth that
// both Uis keep. QtUi mirrors it into widgets and writes what the user changes back into it before
// it notifies; HeadlessUi is this model plus its test helpers. A control exists only once it has
// been added from its row; any other id is a programming error reported with the id.
#pragma once

#include <map>
#include <vector>

#include "port/control_spec.h"
#include "port/ui.h"

namespace zv::port {

class ControlModel {
 public:
  // Adds a control in its state at start; throws std::logic_error when the id is already used.
  void add(const ControlSpec& spec);
  void add(const MenuItemSpec& spec);

  bool contains(int id) const { return entries_.contains(id); }
  // Throw std::out_of_range naming the id when no control or menu item has it.
  const ControlState& state(int id) const;
  ControlState& state(int id);
  ControlKind kind(int id) const;
  bool commitsOnEnter(int id) const;
  // The other members of the radio group of `id` (empty unless it is a grouped radio button).
  std::vector<int> radioPartners(int id) const;
  // Ids of every control and menu item, ascending.
  std::vector<int> ids() const;

  // Whether the user can reach the control: enabled, and shown unless it is a menu item.
  bool acceptsInput(int id) const;
  // What a click does to the control's own state before it notifies: check boxes toggle, a radio
  // button checks itself and unchecks its partners. Returns the ids whose state changed.
  std::vector<int> press(int id);

  // The list's rows; the selection is cleared as a list's reset clears it.
  void setRows(int id, std::vector<std::string> rows);
  void setRange(int id, int minimum, int maximum);

 private:
  struct Entry {
    ControlKind kind = ControlKind::Button;
    int radioGroup = 0;
    bool commitsOnEnter = false;
    ControlState state;
  };
  const Entry& entry(int id) const;
  Entry& insert(int id, ControlKind kind);
  std::map<int, Entry> entries_;
};

}  // namespace zv::port
