#include "port/control_model.h"

#include <stdexcept>
#include <string>

namespace zv::port {
namespace {

bool isCheckBox(ControlKind kind) {
  return kind == ControlKind::CheckBox || kind == ControlKind::PushLikeCheckBox;
}

}  // namespace

ControlModel::Entry& ControlModel::insert(int id, ControlKind kind) {
  auto [place, added] = entries_.try_emplace(id);
  if (!added) {
    throw std::logic_error("control id " + std::to_string(id) + " is created twice");
  }
  place->second.kind = kind;
  return place->second;
}

void ControlModel::add(const ControlSpec& spec) {
  Entry& entry = insert(spec.id, spec.kind);
  entry.radioGroup = spec.radioGroup;
  entry.commitsOnEnter = spec.commitsOnEnter;
  entry.state.text = spec.caption;
  entry.state.enabled = spec.enabled;
  entry.state.visible = spec.visible;
  entry.state.rows.assign(spec.rows.begin(), spec.rows.end());
  entry.state.selection = spec.selection;
  // A new track bar ranges over 0..100, as the window system makes it.
  if (spec.kind == ControlKind::TrackBar) {
    entry.state.rangeMax = 100;
  }
}

void ControlModel::add(const MenuItemSpec& spec) {
  Entry& entry = insert(spec.id, ControlKind::MenuItem);
  entry.state.text = spec.caption;
  entry.state.enabled = spec.enabled;
  entry.state.checked = spec.checked;
}

const ControlModel::Entry& ControlModel::entry(int id) const {
  auto found = entries_.find(id);
  if (found == entries_.end()) {
    throw std::out_of_range("no control or menu item has the id " + std::to_string(id));
  }
  return found->second;
}

const ControlState& ControlModel::state(int id) const {
  return entry(id).state;
}

ControlState& ControlModel::state(int id) {
  return const_cast<Entry&>(entry(id)).state;
}

ControlKind ControlModel::kind(int id) const {
  return entry(id).kind;
}

bool ControlModel::commitsOnEnter(int id) const {
  return entry(id).commitsOnEnter;
}

std::vector<int> ControlModel::radioPartners(int id) const {
  std::vector<int> partners;
  const Entry& pressed = entry(id);
  if (pressed.kind != ControlKind::RadioButton || pressed.radioGroup == 0) {
    return partners;
  }
  for (const auto& [otherId, other] : entries_) {
    if (otherId != id && other.kind == ControlKind::RadioButton && other.radioGroup == pressed.radioGroup) {
      partners.push_back(otherId);
    }
  }
  return partners;
}

std::vector<int> ControlModel::ids() const {
  std::vector<int> all;
  for (const auto& [id, entry] : entries_) {
    all.push_back(id);
  }
  return all;
}

bool ControlModel::acceptsInput(int id) const {
  const Entry& control = entry(id);
  return control.state.enabled && (control.state.visible || control.kind == ControlKind::MenuItem);
}

std::vector<int> ControlModel::press(int id) {
  ControlState& pressed = state(id);
  const ControlKind pressedKind = kind(id);
  if (isCheckBox(pressedKind)) {
    pressed.checked = !pressed.checked;
    return {id};
  }
  if (pressedKind != ControlKind::RadioButton) {
    return {};
  }
  std::vector<int> changed = radioPartners(id);
  for (int partner : changed) {
    state(partner).checked = false;
  }
  pressed.checked = true;
  changed.push_back(id);
  return changed;
}

void ControlModel::setRows(int id, std::vector<std::string> rows) {
  ControlState& list = state(id);
  list.rows = std::move(rows);
  list.selection = -1;
}

void ControlModel::setRange(int id, int minimum, int maximum) {
  ControlState& bar = state(id);
  bar.rangeMin = minimum;
  bar.rangeMax = maximum;
}

}  // namespace zv::port
