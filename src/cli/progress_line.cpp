#include "cli/progress_line.h"

#include <unistd.h>

#include <cstdio>

namespace zv::cli {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

void printDuration(const char* label, double duration) {
  const auto seconds = static_cast<std::int64_t>(duration);
  std::fprintf(stderr, ", %s %lld:%02lld", label, static_cast<long long>(seconds / 60),
               static_cast<long long>(seconds % 60));
}

}  // namespace

ProgressLine startProgress(std::int64_t total) {
  ProgressLine line;
  line.terminal = ::isatty(STDERR_FILENO) == 1;
  line.total = total;
  line.start = Clock::now();
  return line;
}

void showProgress(ProgressLine& line, std::int64_t written) {
  const Clock::time_point now = Clock::now();
  const bool throttled = written < line.total && line.shown && now - line.lastShown < kRedrawInterval;
  if (!line.terminal || throttled || written == line.lastWritten) {
    return;
  }
  const double elapsed = std::chrono::duration<double>(now - line.start).count();
  // "\033[K" clears what a longer earlier line left to the right.
  std::fprintf(stderr, "\r%lld/%lld pictures", static_cast<long long>(written),
               static_cast<long long>(line.total));
  printDuration("elapsed", elapsed);
  if (written > 0) {
    printDuration("left", elapsed * static_cast<double>(line.total - written) / static_cast<double>(written));
  }
  std::fputs("\033[K", stderr);
  std::fflush(stderr);
  line.shown = true;
  line.lastShown = now;
  line.lastWritten = written;
}

void endProgress(ProgressLine& line) {
  if (line.shown) {
    std::fputc('\n', stderr);
    line.shown = false;
  }
}

}  // namespace zv::cli
