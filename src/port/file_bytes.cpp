#include "port/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zv::port {
namespace {

// Appends what is left of the open file to `bytes`; the error number, or 0 when the end is reached.
int readToEnd(int descriptor, std::string& bytes, std::size_t limit) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return errno;
    }
    if (got == 0) {
      return 0;
    }
    if (static_cast<std::size_t>(got) > limit - bytes.size()) {
      return EFBIG;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path& path, int& error, std::size_t limit) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    error = errno;
    return std::nullopt;
  }
  std::string bytes;
  struct stat info {};
  if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) {
    if (static_cast<std::uint64_t>(info.st_size) > limit) {
      ::close(descriptor);
      error = EFBIG;
      return std::nullopt;
    }
    bytes.reserve(static_cast<std::size_t>(info.st_size));
  }
  const int failure = readToEnd(descriptor, bytes, limit);
  ::close(descriptor);
  if (failure != 0) {
    error = failure;
    return std::nullopt;
  }
  return bytes;
}

}  // namespace zv::port
