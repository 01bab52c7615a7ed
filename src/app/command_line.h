// The command line names a project file to open at start.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv {

// Longest project path the command line may carry, as project files keep it.
inline constexpr std::size_t kMaxProjectPathBytes = 255;

struct CommandLineProject {
  std::string path;      // empty: no project named
  bool tooLong = false;  // the path exceeded kMaxProjectPathBytes and was refused, not cut
};

// `text` is the whole command line after the program name. When it begins with a double quote,
// only the text up to the next double quote counts (to the end when none follows). A path longer
// than kMaxProjectPathBytes is refused rather than cut.
CommandLineProject projectFromCommandLine(std::string_view text);

// The arguments joined with single spaces: the command line as one text.
std::string joinArguments(int argc, char** argv);

}  // namespace zv
