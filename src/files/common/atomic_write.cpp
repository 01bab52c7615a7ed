#include "files/common/atomic_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace zv {
namespace {

bool writeAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
  std::string temporary = file.string() + ".XXXXXX";
  int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0) {
    return false;
  }
  ::fchmod(descriptor, 0644);
  bool ok = writeAll(descriptor, bytes) && ::fsync(descriptor) == 0;
  ok = ::close(descriptor) == 0 && ok;
  ok = ok && std::rename(temporary.c_str(), file.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
  }
  return ok;
}

}  // namespace zv
