// The state of every control and menu item by id, kept in memory: HeadlessUi's whole control
// model, and the mirror QtUi keeps beside its widgets.
#pragma once

#include <map>

#include "port/ui.h"

namespace zv::port {

class ControlTable {
 public:
  ControlState get(int id) const;
  ControlState& at(int id) { return controls_[id]; }

 private:
  std::map<int, ControlState> controls_;
};

}  // namespace zv::port
