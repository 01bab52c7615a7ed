#include "files/motion_format.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace zv {
namespace {

static_assert(std::endian::native == std::endian::little, "records are copied as little-endian bytes");

constexpr std::string_view kMagicV1("Vocaloid Motion Data file\0", 26);
constexpr std::string_view kMagicV2("Vocaloid Motion Data 0002\0", 26);
constexpr char kCameraName[] = "\x83\x4A\x83\x81\x83\x89\x81\x45\x8F\xC6\x96\xBE";  // カメラ・照明

// Reads fields from a byte range; a read past the end fails and leaves the fields untouched.
class RecordCursor {
 public:
  explicit RecordCursor(std::string_view bytes) : bytes_(bytes) {}

  std::size_t remaining() const { return bytes_.size() - offset_; }
  bool has(std::size_t size) const { return size <= remaining(); }

  // The count that opens a section, or false when the file ends before it.
  bool count(std::uint32_t& value) { return read(value); }

  template <typename Value>
  bool read(Value& value) {
    if (!has(sizeof value)) {
      return false;
    }
    std::memcpy(&value, bytes_.data() + offset_, sizeof value);
    offset_ += sizeof value;
    return true;
  }
  bool read(Vec3& v) { return read(v.x) && read(v.y) && read(v.z); }
  bool read(Quat& q) { return read(q.x) && read(q.y) && read(q.z) && read(q.w); }

  std::string_view take(std::size_t size) {
    std::string_view field = bytes_.substr(offset_, size);
    offset_ += size;
    return field;
  }

 private:
  std::string_view bytes_;
  std::size_t offset_ = 0;
};

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
std::size_t reservable(const RecordCursor& in, std::uint32_t count, std::size_t recordSize) {
  return static_cast<std::size_t>(std::min<std::uint64_t>(count, in.remaining() / recordSize));
}

MotionBoneRecord readBone(RecordCursor& in) {
  MotionBoneRecord bone;
  bone.name = keyName(in.take(kMotionKeyNameSize));
  in.read(bone.frame);
  in.read(bone.translation);
  in.read(bone.rotation);
  std::string_view block = in.take(64);
  for (int channel = 0; channel < kBoneChannelCount; ++channel) {
    auto byteAt = [&](int offset) { return static_cast<std::uint8_t>(block[16 * channel + offset]); };
    bone.curves.setCurve(channel, {byteAt(0), byteAt(4), byteAt(8), byteAt(12)});
  }
  return bone;
}

MotionMorphRecord readMorph(RecordCursor& in) {
  MotionMorphRecord morph;
  morph.name = keyName(in.take(kMotionKeyNameSize));
  in.read(morph.frame);
  in.read(morph.weight);
  return morph;
}

// Camera curves are stored x1, x2, y1, y2 per channel.
InterpolationCurve cameraCurve(std::string_view bytes) {
  auto byteAt = [&](int offset) { return static_cast<std::uint8_t>(bytes[offset]); };
  return {byteAt(0), byteAt(2), byteAt(1), byteAt(3)};
}

MotionCameraRecord readCamera(RecordCursor& in, int version) {
  MotionCameraRecord camera;
  in.read(camera.frame);
  in.read(camera.distance);
  in.read(camera.centre);
  in.read(camera.rotation);
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
  in.read(camera.viewAngle);
  std::uint8_t orthographic = 0;
  in.read(orthographic);
  camera.orthographic = orthographic != 0;
  return camera;
}

MotionLightRecord readLight(RecordCursor& in) {
  MotionLightRecord light;
  in.read(light.frame);
  in.read(light.colour);
  in.read(light.direction);
  return light;
}

// Reads a counted section; false when its count or one of its records is cut.
template <typename Record, typename ReadOne>
bool readSection(RecordCursor& in, std::size_t recordSize, std::vector<Record>& records, ReadOne readOne) {
  std::uint32_t count = 0;
  if (!in.count(count)) {
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

MotionEnd readSections(RecordCursor& in, MotionFile& motion) {
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
  auto readOneCamera = [&](RecordCursor& cursor) { return readCamera(cursor, motion.version); };
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
  RecordCursor in(bytes);
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
