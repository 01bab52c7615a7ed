#include "port/ui.h"

#include <algorithm>
#include <stdexcept>

namespace zv::port {

const FormField& formField(const std::vector<FormField>& fields, int id) {
  const auto found = std::ranges::find(fields, id, &FormField::id);
  if (found == fields.end()) {
    throw std::logic_error("the form has no field " + std::to_string(id));
  }
  return *found;
}

}  // namespace zv::port
