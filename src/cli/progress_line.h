// The progress of a long recording as one line on stderr, rewritten in place: pictures written of
// the total, time elapsed and time left. Only a terminal gets it; a script reading stderr sees the
// tool's own messages and nothing else.
#pragma once

#include <chrono>
#include <cstdint>

namespace zv::cli {

struct ProgressLine {
  bool terminal = false;
  std::int64_t total = 0;
  std::chrono::steady_clock::time_point start;
  std::chrono::steady_clock::time_point lastShown;
  std::int64_t lastWritten = -1;  // the count the line shows
  bool shown = false;
};

// A line for `total` pictures, shown only when stderr is a terminal.
ProgressLine startProgress(std::int64_t total);

// Rewrites the line for `written` pictures; at most ten times a second, except for the last.
void showProgress(ProgressLine& line, std::int64_t written);

// Ends the line so the next output starts on its own.
void endProgress(ProgressLine& line);

}  // namespace zv::cli
