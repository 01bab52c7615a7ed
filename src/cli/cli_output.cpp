#include "cli/cli_output.h"

#include <cstdio>

#include "cli/usage.h"

namespace zv::cli {

int refuse(std::string_view caption, std::string_view message) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(message.size()), message.data());
  return kRefused;
}

int printJson(const JsonWriter& json, bool inputsReportedErrors) {
  std::fputs(json.text().c_str(), stdout);
  std::fputc('\n', stdout);
  return inputsReportedErrors ? kRefused : 0;
}

}  // namespace zv::cli
