#include "app/command_line.h"

namespace zv {

CommandLineProject projectFromCommandLine(std::string_view text) {
  if (!text.empty() && text.front() == '"') {
    text.remove_prefix(1);
    text = text.substr(0, text.find('"'));
  }
  if (text.size() > kMaxProjectPathBytes) {
    return {"", true};
  }
  return {std::string(text), false};
}

std::string joinArguments(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) {
      text += ' ';
    }
    text += argv[i];
  }
  return text;
}

}  // namespace zv
