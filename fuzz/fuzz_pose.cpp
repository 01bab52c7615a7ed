// Hostile text into the pose file parser. Whatever it accepts must fit a bone name field and carry
// numbers that read back, since loading applies them to bones without further checks.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/motion/pose_file.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<zv::PoseFileEntry> entries = zv::parsePoseFile(text);
  require(entries.size() <= size / 3);
  for (const zv::PoseFileEntry& entry : entries) {
    require(entry.boneName.size() <= 20);
    require(entry.boneName.find('\n') == std::string::npos);
    const zv::Vec3& t = entry.translation;
    const zv::Quat& q = entry.rotation;
    for (float number : {t.x, t.y, t.z, q.x, q.y, q.z, q.w}) {
      require(std::isfinite(number));
    }
  }
  return 0;
}
