#include "port/paths.h"

#include <algorithm>
#include <system_error>

#include "port/text.h"

namespace zv::port {
namespace fs = std::filesystem;

fs::path executableDirectory() {
  std::error_code error;
  fs::path exe = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::current_path() : exe.parent_path();
}

std::string toStoredPath(const fs::path& native) {
  std::string text = native.generic_string();
  std::replace(text.begin(), text.end(), '/', '\\');
  return utf8ToCp932(text);
}

fs::path fromStoredPath(std::string_view stored) {
  std::string text = cp932ToUtf8(stored);
  std::replace(text.begin(), text.end(), '\\', '/');
  return fs::path(text);
}

namespace {

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

// The entry of `folder` whose name matches `name` without regard to case, or empty.
fs::path findEntryIgnoringCase(const fs::path& folder, const std::string& name) {
  std::error_code error;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end; !error && it != end;
       it.increment(error)) {
    std::string candidate = it->path().filename().string();
    if (equalsIgnoringAsciiCase(candidate, name)) {
      return folder / candidate;
    }
  }
  return {};
}

}  // namespace

fs::path resolveCaseInsensitive(const fs::path& path) {
  std::error_code error;
  if (path.empty() || fs::exists(path, error)) {
    return path;
  }
  fs::path resolved = path.root_path();
  for (const fs::path& part : path.relative_path()) {
    fs::path next = resolved / part;
    if (part == "." || part == ".." || fs::exists(next, error)) {
      resolved = next;
      continue;
    }
    fs::path match = findEntryIgnoringCase(resolved, part.string());
    if (match.empty()) {
      return path;
    }
    resolved = match;
  }
  return resolved;
}

fs::path underFolder(const fs::path& folder, const fs::path& path) {
  return folder / path.filename();
}

std::optional<fs::path> userFileFallback(const fs::path& path, const fs::path& executableDirectory,
                                         std::string_view folder, std::string_view extension) {
  const std::string text = path.string();
  std::size_t found = text.find(extension);
  if (found == std::string::npos) {
    std::string upper(extension);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    found = text.find(upper);
  }
  if (found == std::string::npos) {
    return std::nullopt;
  }
  const std::size_t slash = text.rfind('/', found);
  if (slash == std::string::npos) {
    return std::nullopt;
  }
  const std::string name = text.substr(slash + 1);
  if (name.find('/') != std::string::npos) {
    return std::nullopt;
  }
  const fs::path candidate = executableDirectory / "UserFile" / folder / name;
  if (toStoredPath(candidate).size() > kMaxStoredPathBytes) {
    return std::nullopt;
  }
  return resolveCaseInsensitive(candidate);
}

}  // namespace zv::port
