// Motion file bytes written field by field, for files our writer never makes: version 1, cut
// records, hostile counts.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zv::test {

class MotionBytes {
 public:
  MotionBytes& text(std::string_view value, std::size_t size) {
    std::string field(value.substr(0, size));
    field.resize(size, '\0');
    bytes += field;
    return *this;
  }
  template <typename Value>
  MotionBytes& put(Value value) {
    char raw[sizeof value];
    std::memcpy(raw, &value, sizeof value);
    bytes.append(raw, sizeof value);
    return *this;
  }
  MotionBytes& u32(std::uint32_t value) { return put(value); }
  MotionBytes& f32(float value) { return put(value); }
  MotionBytes& u8(std::uint8_t value) { return put(value); }
  MotionBytes& header(int version, std::string_view name) {
    text(version == 1 ? "Vocaloid Motion Data file" : "Vocaloid Motion Data 0002", 30);
    return text(name, version == 1 ? 10 : 20);
  }
  // A bone record with identity rotation and every curve byte `curveByte`.
  MotionBytes& bone(std::string_view name, std::uint32_t frame, float x, std::uint8_t curveByte = 20) {
    text(name, 15).u32(frame).f32(x).f32(0).f32(0).f32(0).f32(0).f32(0).f32(1);
    bytes.append(64, static_cast<char>(curveByte));
    return *this;
  }
  MotionBytes& morph(std::string_view name, std::uint32_t frame, float weight) {
    return text(name, 15).u32(frame).f32(weight);
  }
  // Version-1 camera record: one curve (stored x1, x2, y1, y2) for all six channels.
  MotionBytes& cameraV1(std::uint32_t frame, float distance, std::uint8_t x1, std::uint8_t x2,
                        std::uint8_t y1, std::uint8_t y2) {
    u32(frame).f32(distance).f32(1).f32(2).f32(3).f32(0.1f).f32(0.2f).f32(0.3f);
    return u8(x1).u8(x2).u8(y1).u8(y2);
  }
  MotionBytes& light(std::uint32_t frame, float red) {
    return u32(frame).f32(red).f32(0.5f).f32(0.25f).f32(0).f32(-1).f32(0);
  }

  std::string bytes;
};

}  // namespace zv::test
