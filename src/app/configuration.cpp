#include "app/configuration.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "files/common/atomic_write.h"
#include "port/file_bytes.h"

namespace zv {

Configuration defaultConfiguration(int screenWidth, int screenHeight) {
  Configuration configuration;
  configuration.window = {0, 0, screenWidth, screenHeight - 30};
  return configuration;
}

namespace {

// The numbers at the start of successive lines, stopping at the first line that holds none.
std::vector<int> leadingNumbers(std::string_view text, std::size_t wanted) {
  std::vector<int> numbers;
  while (numbers.size() < wanted && !text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
      break;
    }
    int value = 0;
    auto [rest, error] =
        std::from_chars(line.data() + start + (line[start] == '+'), line.data() + line.size(), value);
    if (error != std::errc{}) {
      break;
    }
    numbers.push_back(value);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  return numbers;
}

}  // namespace

Configuration parseConfiguration(std::string_view text, int screenWidth, int screenHeight) {
  Configuration c = defaultConfiguration(screenWidth, screenHeight);
  std::vector<int> n = leadingNumbers(text, 8);
  auto has = [&](std::size_t line) { return n.size() > line; };
  int width = has(2) ? n[2] : c.window.width();
  int height = has(3) ? n[3] : c.window.height();
  if (has(0))
    c.window.left = n[0];
  if (has(1))
    c.window.top = n[1];
  c.window.right = c.window.left + (width <= 0 ? screenWidth : width);
  c.window.bottom = c.window.top + (height <= 0 ? screenHeight - 30 : height);
  if (has(4))
    c.maximised = n[4] != 0;
  if (has(5))
    c.outputWidth = n[5] == 0 ? 512 : std::max(1, n[5]);
  if (has(6))
    c.outputHeight = n[6] == 0 ? 384 : std::max(1, n[6]);
  if (has(7))
    c.panelWidth = std::clamp(n[7], 250, 1000);
  return c;
}

std::string formatConfiguration(const Configuration& c) {
  // Text files end their lines with CR LF, so a folder moved between systems keeps the same bytes.
  std::string out;
  for (int value : {c.window.left, c.window.top, c.window.width(), c.window.height(), c.maximised ? 1 : 0,
                    c.outputWidth, c.outputHeight, c.panelWidth}) {
    out += std::to_string(value) + "\r\n";
  }
  return out;
}

Configuration readConfiguration(const std::filesystem::path& file, int screenWidth, int screenHeight) {
  int error = 0;
  const std::optional<std::string> text = port::readWholeFile(file, error);
  if (!text) {
    return defaultConfiguration(screenWidth, screenHeight);
  }
  return parseConfiguration(*text, screenWidth, screenHeight);
}

bool writeConfiguration(const std::filesystem::path& file, const Configuration& configuration) {
  return writeFileAtomically(file, formatConfiguration(configuration));
}

}  // namespace zv
