#include "files/sequence/sequence_phonetic.h"

#include <array>

#include "port/text.h"

namespace zv {
namespace {

// The character at `index`, or 0 past the end of the text.
char charAt(std::string_view text, std::size_t index) {
  return index < text.size() ? text[index] : '\0';
}

SungSyllable splitPhonetic(std::string_view phonetic) {
  SungSyllable syllable;
  if (phonetic.empty()) {
    return syllable;
  }
  if (charAt(phonetic, 1) == '"') {
    syllable.vowel = phonetic[0];
  } else if (charAt(phonetic, 1) == '\\') {
    if (charAt(phonetic, 2) == ' ') {
      syllable.consonant = phonetic.substr(0, 2);
      syllable.vowel = charAt(phonetic, 3);
    }
  } else {
    const std::size_t blank = phonetic.find(' ');
    if (blank != std::string_view::npos) {
      syllable.consonant = cutCp932(phonetic.substr(0, blank), kMaxConsonantBytes);
      syllable.vowel = charAt(phonetic, blank + 1);
    }
  }
  if (syllable.vowel == 'M') {
    syllable.vowel = 'u';
  }
  // A blank ending the line, or a zero byte, leaves no vowel: read as N, so the note list never
  // holds a zero byte.
  if (syllable.vowel == '\0') {
    syllable.vowel = 'N';
  }
  return syllable;
}

// A consonant whose form depends on the vowel: `forI` before i, `forOthers` before a, u and o,
// unchanged before e and anything else.
struct VowelDependentConsonant {
  std::string_view consonant;
  std::string_view forOthers;
  std::string_view forI;
};

constexpr std::array<VowelDependentConsonant, 11> kVowelDependentRules{{
    {"k'", "K", "k"},
    {"S", "S", "s"},
    {"tS", "T", "t"},
    {"J", "N", "n"},
    {"C", "H", "h"},
    {"m'", "M", "m"},
    {"4'", "R", "r"},
    {"g'", "G", "g"},
    {"dZ", "Z", "z"},
    {"b'", "B", "b"},
    {"p'", "P", "p"},
}};

struct Replacement {
  std::string_view from;
  std::string_view to;
};

constexpr std::array<Replacement, 5> kAnyVowelRules{{
    {"4", "r"},
    {"j", "y"},
    {"p\\", "h"},
    {"dz", "z"},
    {"ts", "t"},
}};

}  // namespace

std::string_view cutCp932(std::string_view text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width = port::isCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > maxBytes) {
      break;
    }
    end += width;
  }
  return text.substr(0, std::min(end, text.size()));
}

std::optional<SungSyllable> parseLyricLine(std::string_view line) {
  const std::size_t open = line.find('"');
  if (open == std::string_view::npos) {
    return std::nullopt;
  }
  constexpr std::string_view kLyricEnd = "\",\"";
  const std::size_t close = line.find(kLyricEnd, open + 1);
  if (close == std::string_view::npos) {
    return std::nullopt;
  }
  SungSyllable syllable = splitPhonetic(line.substr(close + kLyricEnd.size()));
  syllable.lyric = cutCp932(line.substr(open + 1, close - open - 1), kMaxLyricBytes);
  return syllable;
}

void normaliseSyllable(SungSyllable& syllable) {
  const char vowel = syllable.vowel;
  const bool vowelTakesForm = vowel == 'a' || vowel == 'i' || vowel == 'u' || vowel == 'o';
  if (vowelTakesForm) {
    for (const auto& rule : kVowelDependentRules) {
      if (syllable.consonant == rule.consonant) {
        syllable.consonant = vowel == 'i' ? rule.forI : rule.forOthers;
      }
    }
  }
  for (const auto& rule : kAnyVowelRules) {
    if (syllable.consonant == rule.from) {
      syllable.consonant = rule.to;
    }
  }
  if (vowel == 'm' || vowel == 'N') {
    syllable.vowel = 'n';
  }
}

}  // namespace zv
