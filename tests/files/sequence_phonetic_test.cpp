#include "files/sequence/sequence_phonetic.h"

#include <gtest/gtest.h>

#include "port/text.h"

namespace zv {
namespace {

struct PhoneticCase {
  std::string_view line;
  std::string_view consonant;
  char vowel;
};

TEST(SequencePhonetic, SplitsConsonantAndVowel) {
  const PhoneticCase cases[] = {
      {R"(L0="a","a",0.000000,64,0,0)", "", 'a'},
      {R"(L0="k","k' a",0.000000,64,0,0)", "k'", 'a'},
      {R"(L0="t","ts M",0.000000,64,0,0)", "ts", 'u'},       // M is u
      {R"(L0="p","p\ i",0.000000,64,0,0)", "p\\", 'i'},      // backslash, blank
      {R"(L0="n","N\",0.000000,64,0,0)", "", 'N'},           // backslash, no blank
      {R"(L0="s","Sil",0.000000,64,0,0)", "", 'N'},          // no blank at all
      {R"(L0="x","abcdefg h",0.0,64,0,0)", "abcde", 'h'},    // consonant cut to 5
      {R"(L0="x","k )", "k", 'N'},                           // blank at the very end is not a vowel
      {R"(L0="x",")", "", 'N'},                              // nothing after the lyric
      {std::string_view("L0=\"x\",\"\0\",0", 12), "", 'N'},  // a zero byte is no vowel
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto syllable = parseLyricLine(c.line);
    ASSERT_TRUE(syllable);
    EXPECT_EQ(syllable->consonant, c.consonant);
    EXPECT_EQ(syllable->vowel, c.vowel);
  }
}

TEST(SequencePhonetic, LyricIsCutWithoutSplittingACharacter) {
  auto syllable = parseLyricLine(port::utf8ToCp932(R"(L0="あいうえ","a",0,64,0,0)"));
  ASSERT_TRUE(syllable);
  EXPECT_EQ(syllable->lyric, port::utf8ToCp932("あいう"));  // 6 bytes: the fourth would need 8

  syllable = parseLyricLine(port::utf8ToCp932(R"(L0="abcあいう","a",0,64,0,0)"));
  ASSERT_TRUE(syllable);
  EXPECT_EQ(syllable->lyric, port::utf8ToCp932("abcあい"));  // exactly 7

  syllable = parseLyricLine(R"(L0="%s%n","a",0,64,0,0)");
  ASSERT_TRUE(syllable);
  EXPECT_EQ(syllable->lyric, "%s%n");
}

TEST(SequencePhonetic, LineWithoutClosedLyricIsUnreadable) {
  EXPECT_FALSE(parseLyricLine("L0=a,a"));
  EXPECT_FALSE(parseLyricLine(R"(L0="abc)"));
  EXPECT_FALSE(parseLyricLine(R"(L0="abc",)"));
  EXPECT_FALSE(parseLyricLine(""));
}

TEST(SequencePhonetic, NormalisesConsonantsForTheirVowel) {
  struct Case {
    std::string_view consonant;
    char vowel;
    std::string_view expected;
    char expectedVowel;
  };
  const Case cases[] = {
      {"k'", 'a', "K", 'a'},  {"k'", 'i', "k", 'i'},  {"k'", 'u', "K", 'u'},  {"k'", 'o', "K", 'o'},
      {"k'", 'e', "k'", 'e'},  // e keeps the form
      {"S", 'i', "s", 'i'},   {"S", 'a', "S", 'a'},   {"tS", 'i', "t", 'i'},  {"tS", 'o', "T", 'o'},
      {"J", 'a', "N", 'a'},   {"J", 'i', "n", 'i'},   {"C", 'i', "h", 'i'},   {"C", 'u', "H", 'u'},
      {"m'", 'a', "M", 'a'},  {"4'", 'i', "r", 'i'},  {"4'", 'a', "R", 'a'},  {"g'", 'o', "G", 'o'},
      {"dZ", 'i', "z", 'i'},  {"dZ", 'u', "Z", 'u'},  {"b'", 'a', "B", 'a'},  {"p'", 'i', "p", 'i'},
      {"4", 'e', "r", 'e'},   {"j", 'a', "y", 'a'},   {"p\\", 'a', "h", 'a'}, {"dz", 'u', "z", 'u'},
      {"ts", 'u', "t", 'u'},  {"ts", 'e', "t", 'e'},  {"k", 'a', "k", 'a'},   {"", 'N', "", 'n'},
      {"m", 'm', "m", 'n'},   {"k'", 'n', "k'", 'n'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.consonant) + " " + c.vowel);
    SungSyllable syllable{"", std::string(c.consonant), c.vowel};
    normaliseSyllable(syllable);
    EXPECT_EQ(syllable.consonant, c.expected);
    EXPECT_EQ(syllable.vowel, c.expectedVowel);
  }
}

}  // namespace
}  // namespace zv
