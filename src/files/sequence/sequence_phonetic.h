// The lyric line of a lyric handle (L0="あ","a",...) taken apart into lyric, consonant and
// vowel, and the consonant rewritten to the letter the note list shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv {

inline constexpr std::size_t kMaxLyricBytes = 7;
inline constexpr std::size_t kMaxConsonantBytes = 5;

struct SungSyllable {
  std::string lyric;      // CP932, at most 7 bytes, never a split character
  std::string consonant;  // phonetic symbols before the vowel, at most 5 bytes; may be empty
  char vowel = 'N';       // a, i, u, e, o, or another symbol that drives no mouth shape
};

// Nothing when the line has no quoted lyric closed by "," (the note cannot be read).
std::optional<SungSyllable> parseLyricLine(std::string_view line);

// Applies the consonant rules for the syllable's vowel, then turns the nasal vowels m and N into n.
void normaliseSyllable(SungSyllable& syllable);

// The first `maxBytes` bytes of CP932 `text`, shortened by one byte when that would split a
// double-byte character.
std::string_view cutCp932(std::string_view text, std::size_t maxBytes);

}  // namespace zv
