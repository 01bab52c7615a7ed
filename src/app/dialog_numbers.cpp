#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

#include "app/small_dialogs.h"

namespace zv {
namespace {

constexpr std::size_t kDialogTextChars = 19;

// The text the dialog reads, from its first character that is not a blank, without a leading '+'
// (which the number readers below do not take).
std::string_view numberStart(std::string_view text) {
  text = text.substr(0, kDialogTextChars);
  const std::size_t first = text.find_first_not_of(" \t\r\n\v\f");
  text = first == std::string_view::npos ? std::string_view() : text.substr(first);
  if (text.starts_with('+') && !text.substr(1).starts_with('-')) {
    text.remove_prefix(1);
  }
  return text;
}

}  // namespace

std::int32_t dialogInteger(std::string_view text) {
  text = numberStart(text);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    return text.starts_with('-') ? std::numeric_limits<std::int32_t>::min()
                                 : std::numeric_limits<std::int32_t>::max();
  }
  if (error != std::errc()) {
    return 0;
  }
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// Read without the C locale, which may name another decimal mark; through a double so that numbers
// beyond a float's range become infinities and tiny ones 0 as a float conversion makes them.
float dialogFloat(std::string_view text) {
  text = numberStart(text);
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() ? static_cast<float>(value) : 0.0f;
}

}  // namespace zv
