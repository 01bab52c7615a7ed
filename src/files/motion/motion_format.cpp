#include "files/motion/motion_format.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "port/byte_cursor.h"

namespace zv {
namespace {

static_assert(std::endian::native == std::endian::little, "records are copied as little-endian bytes");

constexpr std::string_view kMagicV1("Vocaloid Motion Data file\0", 26);
constexpr std::string_view kMagicV2("Vocaloid Motion Data 0002\0", 26);
constexpr char kCameraName[] = "\x83\x4A\x83\x81\x83\x89\x81\x45\x8F\xC6\x96\xBE";  // カメラ・照明

using port::ByteCursor;

// A fixed-width name up to its first NUL; key names are also cut at their first newline.
std::string fieldText(std::string_view field) {
  return std::string(field.substr(0, field.find('\0')));
}

std::string keyName(std::string_view field) {
  std::string name = fieldText(field);
  return name.substr(0, name.find('\n'));
}

// How many records of `recordSize` the section may hold: the count, but never more than the
// bytes left could carry, so a hostile count allocates nothing.
std::size_t reservable(const ByteCursor& in, std::uint32_t count, std::size_t recordSize) {
  return static_cast<std::size_t>(std::min<std::uint64_t>(count, in.remaining() / recordSize));
}

MotionBoneRecord readBone(ByteCursor& in) {
  MotionBoneRecord bone;
  bone.name = keyName(in.take(kMotionKeyNameSize));
  bone.frame = in.u32();
  bone.translation = in.read<Vec3>();
  bone.rotation = in.read<Quat>();
  std::string_view block = in.take(64);
  for (int channel = 0; channel < kBoneChannelCount; ++channel) {
    auto byteAt = [&](int offset) { return static_cast<std::uint8_t>(block[16 * channel + offset]); };
    bone.curves.setCurve(channel, {byteAt(0), byteAt(4), byteAt(8), byteAt(12)});
  }
  return bone;
}

MotionMorphRecord readMorph(ByteCursor& in) {
  MotionMorphRecord morph;
  morph.name = keyName(in.take(kMotionKeyNameSize));
  morph.frame = in.u32();
  morph.weight = in.f32();
  return morph;
}

// Camera curves are stored x1, x2, y1, y2 per channel.
InterpolationCurve cameraCurve(std::string_view bytes) {
  auto byteAt = [&](int offset) { return static_cast<std::uint8_t>(bytes[offset]); };
  return {byteAt(0), byteAt(2), byteAt(1), byteAt(3)};
}

MotionCameraRecord readCamera(ByteCursor& in, int version) {
  MotionCameraRecord camera;
  camera.frame = in.u32();
  camera.distance = in.f32();
  camera.centre = in.read<Vec3>();
  camera.rotation = in.read<Vec3>();
  if (version == 1) {
    const InterpolationCurve shared = cameraCurve(in.take(4));
    for (int channel = 0; channel < kCameraChannelCount; ++channel) {
      camera.curves.setCurve(channel, shared);
    }
    return camera;
  }
  std::string_view curves = in.take(4 * kCameraChannelCount);
  for (int channel = 0; channel < kCameraChannelCount; ++channel) {
    camera.curves.setCurve(channel, cameraCurve(curves.substr(4 * channel)));
  }
  camera.viewAngle = in.read<std::int32_t>();
  camera.orthographic = in.u8() != 0;
  return camera;
}

MotionLightRecord readLight(ByteCursor& in) {
  MotionLightRecord light;
  light.frame = in.u32();
  light.colour = in.read<Vec3>();
  light.direction = in.read<Vec3>();
  return light;
}

// Reads a counted section; false when its count or one of its records is cut.
template <typename Record, typename ReadOne>
bool readSection(ByteCursor& in, std::size_t recordSize, std::vector<Record>& records, ReadOne readOne) {
  const std::uint32_t count = in.u32();
  if (in.truncated()) {
    return false;
  }
  records.reserve(reservable(in, count, recordSize));
  for (std::uint32_t i = 0; i < count; ++i) {
    if (!in.has(recordSize)) {
      return false;
    }
    records.push_back(readOne(in));
  }
  return true;
}

MotionEnd readSections(ByteCursor& in, MotionFile& motion) {
  const std::size_t nameSize = motion.version == 1 ? kMotionNameSizeV1 : kMotionNameSizeV2;
  if (!in.has(nameSize)) {
    return MotionEnd::InHeader;
  }
  motion.name = fieldText(in.take(nameSize));
  if (!readSection(in, kMotionBoneRecordSize, motion.bones, readBone)) {
    return MotionEnd::InBones;
  }
  if (!readSection(in, kMotionMorphRecordSize, motion.morphs, readMorph)) {
    return MotionEnd::InMorphs;
  }
  if (!in.has(sizeof(std::uint32_t))) {
    return MotionEnd::BeforeCameras;
  }
  const std::size_t cameraSize = motion.version == 1 ? kMotionCameraRecordSizeV1 : kMotionCameraRecordSizeV2;
  auto readOneCamera = [&](ByteCursor& cursor) { return readCamera(cursor, motion.version); };
  if (!readSection(in, cameraSize, motion.cameras, readOneCamera)) {
    return MotionEnd::InCameras;
  }
  if (!in.has(sizeof(std::uint32_t))) {
    return MotionEnd::BeforeLights;
  }
  if (!readSection(in, kMotionLightRecordSize, motion.lights, readLight)) {
    return MotionEnd::InLights;
  }
  return MotionEnd::Complete;
}

class RecordWriter {
 public:
  template <typename Value>
  void write(Value value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out_.append(bytes, sizeof value);
  }
  void write(Vec3 v) {
    write(v.x);
    write(v.y);
    write(v.z);
  }
  void write(Quat q) {
    write(q.x);
    write(q.y);
    write(q.z);
    write(q.w);
  }
  // Zero-padded; a name that fills the field has no terminator.
  void field(std::string_view text, std::size_t size) {
    text = text.substr(0, std::min(text.size(), size));
    out_.append(text);
    out_.append(size - text.size(), '\0');
  }
  void byte(std::uint8_t value) { out_.push_back(static_cast<char>(value)); }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

// Four rows of 16 bytes, each the next window over every x1, y1, x2, y2 and a trailing 1, 0, 0.
void writeBoneCurves(RecordWriter& out, const ChannelCurves<kBoneChannelCount>& curves) {
  std::uint8_t sequence[19] = {};
  for (int channel = 0; channel < kBoneChannelCount; ++channel) {
    sequence[channel] = curves.x1[channel];
    sequence[4 + channel] = curves.y1[channel];
    sequence[8 + channel] = curves.x2[channel];
    sequence[12 + channel] = curves.y2[channel];
  }
  sequence[16] = 1;
  for (int row = 0; row < 4; ++row) {
    for (int i = 0; i < 16; ++i) {
      out.byte(sequence[row + i]);
    }
  }
}

void writeBone(RecordWriter& out, const MotionBoneRecord& bone) {
  out.field(bone.name, kMotionKeyNameSize);
  out.write(bone.frame);
  out.write(bone.translation);
  out.write(bone.rotation);
  writeBoneCurves(out, bone.curves);
}

void writeCamera(RecordWriter& out, const MotionCameraRecord& camera) {
  out.write(camera.frame);
  out.write(camera.distance);
  out.write(camera.centre);
  out.write(camera.rotation);
  for (int channel = 0; channel < kCameraChannelCount; ++channel) {
    const InterpolationCurve curve = camera.curves.curve(channel);
    out.byte(curve.x1);
    out.byte(curve.x2);
    out.byte(curve.y1);
    out.byte(curve.y2);
  }
  out.write(camera.viewAngle);
  out.byte(camera.orthographic ? 1 : 0);
}

}  // namespace

std::string_view cameraMotionName() {
  return kCameraName;
}

bool parseMotion(std::string_view bytes, MotionFile& motion) {
  motion = MotionFile{};
  const std::string_view magic = bytes.substr(0, kMagicV1.size());
  if (magic == kMagicV1) {
    motion.version = 1;
  } else if (magic != kMagicV2) {
    return false;
  }
  ByteCursor in(bytes);
  if (!in.has(kMotionMagicSize)) {
    motion.end = MotionEnd::InHeader;
    return true;
  }
  in.take(kMotionMagicSize);
  motion.end = readSections(in, motion);
  return true;
}

std::string motionBytes(const MotionFile& motion) {
  RecordWriter out;
  out.field(kMagicV2, kMotionMagicSize);
  out.field(motion.name, kMotionNameSizeV2);
  out.write(static_cast<std::uint32_t>(motion.bones.size()));
  for (const MotionBoneRecord& bone : motion.bones) {
    writeBone(out, bone);
  }
  out.write(static_cast<std::uint32_t>(motion.morphs.size()));
  for (const MotionMorphRecord& morph : motion.morphs) {
    out.field(morph.name, kMotionKeyNameSize);
    out.write(morph.frame);
    out.write(morph.weight);
  }
  out.write(static_cast<std::uint32_t>(motion.cameras.size()));
  for (const MotionCameraRecord& camera : motion.cameras) {
    writeCamera(out, camera);
  }
  out.write(static_cast<std::uint32_t>(motion.lights.size()));
  for (const MotionLightRecord& light : motion.lights) {
    out.write(light.frame);
    out.write(light.colour);
    out.write(light.direction);
  }
  return out.take();
}

}  // namespace zv
