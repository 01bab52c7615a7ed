// Pieces the small dialogs are built from: their fields and the text of a field on OK.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "port/ui.h"

namespace zv {

inline port::FormField editField(int id, std::string_view label, std::string_view text) {
  port::FormField field;
  field.id = id;
  field.label = label;
  field.text = text;
  return field;
}

inline const std::string& fieldText(const std::vector<port::FormField>& fields, int id) {
  return port::formField(fields, id).text;
}

// One number printed as the dialogs show it ("%3d", "%5d", "%3.2f").
template <typename Number>
std::string printedNumber(const char* format, Number value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace zv
