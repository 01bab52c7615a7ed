#include "files/wav_location.h"

#include <string>

#include "port/paths.h"

namespace zv {
namespace {

constexpr std::size_t kStoredPathCapacity = 255;

}  // namespace

std::optional<std::filesystem::path> wavFallbackPath(const std::filesystem::path& path,
                                                     const std::filesystem::path& executableDirectory) {
  const std::string text = path.string();
  std::size_t extension = text.find(".wav");
  if (extension == std::string::npos) {
    extension = text.find(".WAV");
  }
  if (extension == std::string::npos) {
    return std::nullopt;
  }
  std::size_t slash = text.rfind('/', extension);
  if (slash == std::string::npos) {
    return std::nullopt;
  }
  std::string name = text.substr(slash + 1);
  if (name.find('/') != std::string::npos) {
    return std::nullopt;
  }
  std::filesystem::path fallback = executableDirectory / "UserFile" / "Wave" / name;
  if (port::toStoredPath(fallback).size() > kStoredPathCapacity) {
    return std::nullopt;
  }
  return fallback;
}

}  // namespace zv
