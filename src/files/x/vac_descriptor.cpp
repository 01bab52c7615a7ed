#include "files/x/vac_descriptor.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace zv {
namespace {

constexpr std::size_t kDescriptorLines = 7;

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty() && lines.size() < kDescriptorLines) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    lines.push_back(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

void skipBlanks(std::string_view& text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' ||
                           text.front() == '\f' || text.front() == '\v')) {
    text.remove_prefix(1);
  }
}

template <class Number>
bool scanNumber(std::string_view& text, Number& out) {
  skipBlanks(text);
  bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '+' || negative)) {
    text.remove_prefix(1);
  }
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  if (end == text.data() || error != std::errc()) {
    return false;
  }
  out = negative ? -out : out;
  text.remove_prefix(end - text.data());
  return true;
}

bool scanComma(std::string_view& text) {
  if (!text.starts_with(',')) {
    return false;
  }
  text.remove_prefix(1);
  return true;
}

bool scanTriple(std::string_view text, Vec3& out) {
  return scanNumber(text, out.x) && scanComma(text) && scanNumber(text, out.y) && scanComma(text) &&
         scanNumber(text, out.z);
}

}  // namespace

VacParseResult parseVacDescriptor(std::string_view text) {
  std::vector<std::string_view> lines = splitLines(text);
  if (lines.size() < kDescriptorLines) {
    return VacParseResult{std::nullopt, "the descriptor has fewer than 7 lines"};
  }
  VacDescriptor descriptor;
  descriptor.xFileName = lines[1];
  std::string_view scale = lines[2];
  std::string_view shadowLine = lines[6];
  int shadowValue = 0;
  if (descriptor.xFileName.empty()) {
    return VacParseResult{std::nullopt, "line 2 of the descriptor names no X file"};
  }
  if (!scanNumber(scale, descriptor.scale)) {
    return VacParseResult{std::nullopt, "line 3 of the descriptor is not a scale"};
  }
  if (!scanTriple(lines[3], descriptor.position)) {
    return VacParseResult{std::nullopt, "line 4 of the descriptor is not a position \"x,y,z\""};
  }
  if (!scanTriple(lines[4], descriptor.rotation)) {
    return VacParseResult{std::nullopt, "line 5 of the descriptor is not a rotation \"x,y,z\""};
  }
  if (!scanNumber(shadowLine, shadowValue)) {
    return VacParseResult{std::nullopt, "line 7 of the descriptor is not a whole number"};
  }
  descriptor.shadow = shadowValue == 0;
  return VacParseResult{std::move(descriptor), {}};
}

std::string formatVacDescriptor(const VacDescriptor& descriptor, std::string_view title) {
  char numbers[512];  // seven "%f" numbers of at most 48 characters each
  std::snprintf(numbers, sizeof numbers, "%f\r\n%f,%f,%f\r\n%f,%f,%f\r\n\r\n%d\r\n", descriptor.scale,
                descriptor.position.x, descriptor.position.y, descriptor.position.z, descriptor.rotation.x,
                descriptor.rotation.y, descriptor.rotation.z, descriptor.shadow ? 0 : 1);
  return std::string(title) + "\r\n" + descriptor.xFileName + "\r\n" + numbers;
}

}  // namespace zv
