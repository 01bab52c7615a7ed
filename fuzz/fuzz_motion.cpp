// Hostile bytes into the motion file reader. Whatever it accepts must hold no more records than
// the bytes could carry, keep its names within their fields, and write back to bytes that read
// as the same records.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/motion/motion_format.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

std::size_t recordBytes(const zv::MotionFile& motion) {
  const std::size_t cameraSize =
      motion.version == 1 ? zv::kMotionCameraRecordSizeV1 : zv::kMotionCameraRecordSizeV2;
  return motion.bones.size() * zv::kMotionBoneRecordSize + motion.morphs.size() * zv::kMotionMorphRecordSize +
         motion.cameras.size() * cameraSize + motion.lights.size() * zv::kMotionLightRecordSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  zv::MotionFile motion;
  if (!zv::parseMotion(bytes, motion)) {
    return 0;
  }
  require(recordBytes(motion) <= size);
  require(motion.name.size() <= zv::kMotionNameSizeV2);
  for (const zv::MotionBoneRecord& bone : motion.bones) {
    require(bone.name.size() <= zv::kMotionKeyNameSize);
  }
  for (const zv::MotionMorphRecord& morph : motion.morphs) {
    require(morph.name.size() <= zv::kMotionKeyNameSize);
  }
  zv::MotionFile again;
  require(zv::parseMotion(zv::motionBytes(motion), again));
  require(again.end == zv::MotionEnd::Complete);
  require(again.bones.size() == motion.bones.size() && again.morphs.size() == motion.morphs.size());
  require(again.cameras.size() == motion.cameras.size() && again.lights.size() == motion.lights.size());
  require(again.name == motion.name);
  return 0;
}
