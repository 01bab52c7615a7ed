// Writes our demo motions: "tessera_wave.vmd", the demo character waving her right arm with a nod
// and a smile, and "demo_camera.vmd", a slow orbit of the camera with a light change.
//
// Usage: gen_demo_motion [output folder, default UserFile/Motion] [--corpus folder]
// With --corpus it also writes small fuzzing seeds, an old-style camera file among them.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <string_view>

#include "files/common/atomic_write.h"
#include "files/motion/motion_format.h"
#include "port/text.h"

namespace {

using zv::MotionBoneRecord;
using zv::MotionFile;
using zv::Quat;
using zv::Vec3;

constexpr float kDegree = std::numbers::pi_v<float> / 180.0f;

Quat aroundX(float degrees) {
  return {std::sin(degrees * kDegree / 2), 0, 0, std::cos(degrees * kDegree / 2)};
}

Quat aroundZ(float degrees) {
  return {0, 0, std::sin(degrees * kDegree / 2), std::cos(degrees * kDegree / 2)};
}

// A key eased in and out on every channel.
MotionBoneRecord boneKey(std::string_view utf8Name, std::uint32_t frame, Quat rotation,
                         Vec3 translation = {}) {
  MotionBoneRecord key;
  key.name = zv::port::utf8ToCp932(utf8Name);
  key.frame = frame;
  key.rotation = rotation;
  key.translation = translation;
  for (int channel = 0; channel < zv::kBoneChannelCount; ++channel) {
    key.curves.setCurve(channel, {64, 0, 64, 127});
  }
  return key;
}

void addMorph(MotionFile& motion, std::string_view utf8Name, std::uint32_t frame, float weight) {
  motion.morphs.push_back({zv::port::utf8ToCp932(utf8Name), frame, weight});
}

// Two seconds: the right arm rises, the forearm waves three times, the head nods once, and she
// smiles and blinks on the way.
MotionFile waveMotion() {
  MotionFile motion;
  motion.name = zv::port::utf8ToCp932("テセラ");
  motion.bones.push_back(boneKey("右腕", 0, {}));
  motion.bones.push_back(boneKey("右腕", 10, aroundZ(-75)));
  motion.bones.push_back(boneKey("右腕", 50, aroundZ(-75)));
  motion.bones.push_back(boneKey("右腕", 60, {}));
  motion.bones.push_back(boneKey("右ひじ", 0, {}));
  for (std::uint32_t swing = 0; swing < 6; ++swing) {
    motion.bones.push_back(boneKey("右ひじ", 12 + swing * 6, aroundZ(swing % 2 == 0 ? -40.0f : -10.0f)));
  }
  motion.bones.push_back(boneKey("右ひじ", 60, {}));
  motion.bones.push_back(boneKey("頭", 0, {}));
  motion.bones.push_back(boneKey("頭", 20, aroundX(15)));
  motion.bones.push_back(boneKey("頭", 30, {}));
  motion.bones.push_back(boneKey("センター", 0, {}));
  motion.bones.push_back(boneKey("センター", 30, {}, {0, -0.3f, 0}));
  motion.bones.push_back(boneKey("センター", 60, {}));
  addMorph(motion, "笑い", 0, 0);
  addMorph(motion, "笑い", 15, 1);
  addMorph(motion, "笑い", 55, 0);
  addMorph(motion, "まばたき", 36, 0);
  addMorph(motion, "まばたき", 39, 1);
  addMorph(motion, "まばたき", 42, 0);
  return motion;
}

// Three seconds around the character, closing in, then a warmer light.
MotionFile cameraMotion() {
  MotionFile motion;
  motion.name = std::string(zv::cameraMotionName());
  const float turns[] = {0, 30, 60, 90};
  for (int step = 0; step < 4; ++step) {
    zv::MotionCameraRecord key;
    key.frame = static_cast<std::uint32_t>(step * 30);
    key.distance = -40.0f + 5.0f * step;
    key.centre = {0, 11, 0};
    key.rotation = {5 * kDegree, turns[step] * kDegree, 0};
    key.viewAngle = 40;
    motion.cameras.push_back(key);
  }
  motion.lights.push_back({0, {0.6f, 0.6f, 0.6f}, {-0.5f, -1.0f, 0.5f}});
  motion.lights.push_back({60, {0.8f, 0.65f, 0.5f}, {0.5f, -1.0f, 0.5f}});
  return motion;
}

// The camera's first key as an old-style file: a 10-byte name and 36-byte camera records.
std::string versionOneSeed() {
  std::string bytes = zv::motionBytes(cameraMotion());
  std::string old("Vocaloid Motion Data file", 25);
  old.append(5, '\0');
  old += std::string("camera", 6) + std::string(4, '\0');
  const std::uint32_t noKeys = 0;
  const std::uint32_t cameraCount = 1;
  old.append(reinterpret_cast<const char*>(&noKeys), 4).append(reinterpret_cast<const char*>(&noKeys), 4);
  old.append(reinterpret_cast<const char*>(&cameraCount), 4);
  old += bytes.substr(62, 32);                // frame, distance, centre, rotation of the first key
  old += std::string("\x14\x6B\x14\x6B", 4);  // one straight curve, x1, x2, y1, y2
  return old;
}

bool write(const std::filesystem::path& file, const std::string& bytes) {
  if (zv::writeFileAtomically(file, bytes)) {
    return true;
  }
  std::fprintf(stderr, "gen_demo_motion: cannot write %s\n", file.string().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path output = "UserFile/Motion";
  std::filesystem::path corpus;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--corpus" && i + 1 < argc) {
      corpus = argv[++i];
    } else {
      output = argument;
    }
  }
  std::filesystem::create_directories(output);
  bool ok = write(output / "tessera_wave.vmd", zv::motionBytes(waveMotion())) &&
            write(output / "demo_camera.vmd", zv::motionBytes(cameraMotion()));
  if (ok && !corpus.empty()) {
    std::filesystem::create_directories(corpus);
    MotionFile shortWave = waveMotion();
    shortWave.bones.resize(3);
    shortWave.morphs.resize(2);
    ok = write(corpus / "wave-short.vmd", zv::motionBytes(shortWave)) &&
         write(corpus / "camera.vmd", zv::motionBytes(cameraMotion())) &&
         write(corpus / "camera-v1.vmd", versionOneSeed());
  }
  return ok ? 0 : 1;
}
