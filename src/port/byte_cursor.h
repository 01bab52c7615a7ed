// Reading the fields of a binary file front to back, never past its end.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace zv::port {

// A read that would pass the end reads nothing, yields zeros (an empty view for `take`) and marks
// the cursor truncated; so does every read after it, so that a section can be read straight
// through and checked once.
class ByteCursor {
 public:
  explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}

  bool truncated() const { return truncated_; }
  std::size_t remaining() const { return truncated_ ? 0 : bytes_.size() - offset_; }
  bool has(std::size_t size) const { return size <= remaining(); }

  // Whether `count` records of `size` bytes remain; marks the cursor truncated when not, so a
  // hostile count is refused before anything is allocated for it.
  bool holds(std::uint64_t count, std::size_t size) {
    if (count > remaining() / size) {
      truncated_ = true;
    }
    return !truncated_;
  }

  std::string_view take(std::size_t size) {
    if (!has(size)) {
      truncated_ = true;
      return {};
    }
    const std::string_view taken = bytes_.substr(offset_, size);
    offset_ += size;
    return taken;
  }

  // A value of a plain type stored little-endian, the host's own order: numbers, and records
  // of them such as vectors.
  template <typename Value>
  Value read() {
    static_assert(std::endian::native == std::endian::little, "fields are stored little-endian");
    static_assert(std::is_trivially_copyable_v<Value>);
    Value value{};
    const std::string_view field = take(sizeof value);
    if (!field.empty()) {
      std::memcpy(&value, field.data(), sizeof value);
    }
    return value;
  }
  std::uint8_t u8() { return read<std::uint8_t>(); }
  std::uint16_t u16() { return read<std::uint16_t>(); }
  std::int16_t i16() { return read<std::int16_t>(); }
  std::uint32_t u32() { return read<std::uint32_t>(); }
  float f32() { return read<float>(); }

  // An unsigned number of `byteCount` bytes (at most four) stored most significant byte first.
  std::uint32_t bigEndian(int byteCount) {
    std::uint32_t value = 0;
    for (const char byte : take(static_cast<std::size_t>(byteCount))) {
      value = value << 8 | static_cast<std::uint8_t>(byte);
    }
    return value;
  }

 private:
  std::string_view bytes_;
  std::size_t offset_ = 0;
  bool truncated_ = false;
};

}  // namespace zv::port
