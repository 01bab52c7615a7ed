#include "port/byte_cursor.h"

#include <gtest/gtest.h>

#include <string>

namespace zv::port {
namespace {

using namespace std::literals;

TEST(ByteCursor, ReadsLittleAndBigEndianFieldsInOrder) {
  struct Pair {
    float first;
    std::uint16_t second;
    std::uint16_t third;
  };
  const std::string bytes =
      "\x01\x02\x03\x04"                  // 0x04030201
      "\xFE\xFF\x00\x00"                  // -2, 0
      "\x00\x00\x80\x3F\x05\x00\x06\x00"  // 1.0f, 5, 6
      "\x12\x34\x56"                      // 0x123456 most significant byte first
      "xyz"s;
  ByteCursor in(bytes);
  EXPECT_EQ(in.u32(), 0x04030201u);
  EXPECT_EQ(in.i16(), -2);
  EXPECT_EQ(in.u16(), 0u);
  const Pair pair = in.read<Pair>();
  EXPECT_EQ(pair.first, 1.0f);  // 0x3F800000
  EXPECT_EQ(pair.second, 5u);
  EXPECT_EQ(pair.third, 6u);
  EXPECT_EQ(in.bigEndian(3), 0x123456u);
  EXPECT_EQ(in.remaining(), 3u);
  EXPECT_EQ(in.take(3), "xyz");
  EXPECT_FALSE(in.truncated());
  EXPECT_EQ(in.remaining(), 0u);
}

TEST(ByteCursor, AReadPastTheEndYieldsZerosAndEveryLaterReadFails) {
  ByteCursor in("\x01\x02\x03"sv);
  EXPECT_EQ(in.u32(), 0u);
  EXPECT_TRUE(in.truncated());
  EXPECT_EQ(in.u8(), 0u) << "a byte that is there is not read after a failed read";
  EXPECT_EQ(in.take(1), "");
  EXPECT_EQ(in.remaining(), 0u);
}

TEST(ByteCursor, RefusesAHostileRecordCountBeforeReadingIt) {
  ByteCursor in(std::string(100, 'x'));
  EXPECT_TRUE(in.holds(10, 10));
  EXPECT_FALSE(in.truncated());
  EXPECT_FALSE(in.holds(0xFFFFFFFFu, 38));
  EXPECT_TRUE(in.truncated());
  EXPECT_FALSE(in.holds(0, 1));
}

}  // namespace
}  // namespace zv::port
