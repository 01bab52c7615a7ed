#include "port/text.h"

#include <gtest/gtest.h>

namespace zv::port {
namespace {

// "表" and "ソ" end in 0x5C, the byte of '\'; "左" and "右" are what mirrored names are searched for.
const std::string kHyou = "\x95\x5C";
const std::string kSo = "\x83\x5C";
const std::string kHidari = "\x8D\xB6";
const std::string kMigi = "\x89\x45";

TEST(Cp932Text, RoundTripsThroughUtf8) {
  const std::string utf8 = "表情ソ左右センター表示･IK～";
  std::string cp932 = utf8ToCp932(utf8);
  EXPECT_EQ(cp932.substr(0, 4), kHyou + "\x8F\xEE");
  EXPECT_EQ(cp932ToUtf8(cp932), utf8);
  EXPECT_EQ(utf8ToCp932("表示･IK"), "\x95\x5C\x8E\xA6\xA5IK");
}

TEST(Cp932Text, BackslashIsNotYen) {
  EXPECT_EQ(utf8ToCp932("a\\b"), "a\\b");
  EXPECT_EQ(cp932ToUtf8("a\\b"), "a\\b");
}

TEST(Cp932Text, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(cp932ToUtf8("a\x80z"), "a\xEF\xBF\xBDz");
  // A lead byte at the very end has no partner.
  EXPECT_EQ(cp932ToUtf8("ab\x95"), "ab\xEF\xBF\xBD");
  EXPECT_EQ(utf8ToCp932("a\xFFz"), "a?z");
  EXPECT_EQ(utf8ToCp932("😀"), "?");
}

TEST(Cp932Scan, FindsOnlyWholeCharacters) {
  // The trail byte of "表" must not be found as '\', nor start a match.
  EXPECT_EQ(findLastCp932Char(kHyou + "a", '\\'), std::string::npos);
  EXPECT_EQ(findLastCp932Char("dir\\" + kSo + ".tsm", '\\'), 3u);
  EXPECT_EQ(findCp932(kHyou + kHidari + "足", kHidari), 2u);
  // "\x89\x45" ("右") hidden across a character boundary: "\x8D\x89" + "\x45" is not "右".
  EXPECT_EQ(findCp932("\x8D\x89\x45", kMigi), std::string::npos);
  EXPECT_EQ(findCp932("a" + kMigi, kMigi), 1u);
  EXPECT_EQ(findCp932("abc", ""), 0u);
}

TEST(Cp932Scan, ExtensionOfLastComponent) {
  EXPECT_EQ(extensionOf("UserFile\\Model\\a.b\\" + kSo + ".tsm"), "tsm");
  EXPECT_EQ(extensionOf("dir.x\\name"), "");
  EXPECT_EQ(extensionOf("song.VSQ"), "VSQ");
  EXPECT_EQ(extensionOf("a/b.c/d", '/'), "");
}

TEST(Cp932Text, FixedFieldStopsAtNulOrCapacity) {
  const char full[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(fixedField(full, 4), "abcd");
  const char shorter[4] = {'a', '\0', 'c', 'd'};
  EXPECT_EQ(fixedField(shorter, 4), "a");
}

}  // namespace
}  // namespace zv::port
