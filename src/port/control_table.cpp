#include "port/control_table.h"

namespace zv::port {

ControlState ControlTable::get(int id) const {
  auto found = controls_.find(id);
  return found == controls_.end() ? ControlState{} : found->second;
}

}  // namespace zv::port
