#include "app/project_paths.h"

#include "port/paths.h"

namespace zv {

std::string storedProjectPath(const std::filesystem::path& native,
                              const std::filesystem::path& programFolder) {
  if (native.empty()) {
    return {};
  }
  std::filesystem::path absolute = native.is_absolute() ? native : programFolder / native;
  absolute = absolute.lexically_normal();
  if (!programFolder.empty()) {
    const std::filesystem::path relative = absolute.lexically_relative(programFolder.lexically_normal());
    if (!relative.empty() && *relative.begin() != "..") {
      return port::toStoredPath(relative);
    }
  }
  return port::toStoredPath(absolute);
}

std::filesystem::path nativeProjectPath(std::string_view stored, const std::filesystem::path& programFolder) {
  if (stored.empty()) {
    return {};
  }
  const std::filesystem::path native = port::fromStoredPath(stored);
  return native.is_absolute() ? native : programFolder / native;
}

}  // namespace zv
