#include "files/sequence/sequence_notes.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace zv {
namespace {

// Reads the text line by line as the passes over the stored dump do; a line ends at '\n'.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  std::optional<std::string_view> next() {
    if (position_ >= text_.size()) {
      return std::nullopt;
    }
    const std::size_t end = std::min(text_.find('\n', position_), text_.size());
    std::string_view line = text_.substr(position_, end - position_);
    position_ = end + 1;
    return line;
  }

  std::optional<std::string_view> nextContaining(std::string_view needle) {
    for (auto line = next(); line; line = next()) {
      if (line->find(needle) != std::string_view::npos) {
        return line;
      }
    }
    return std::nullopt;
  }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

constexpr std::string_view kEventList = "[EventList]";
constexpr std::string_view kEventMarker = "=ID#";

std::string_view afterFirst(std::string_view line, char character) {
  const std::size_t at = line.find(character);
  return at == std::string_view::npos ? std::string_view{} : line.substr(at + 1);
}

std::optional<std::vector<TempoChange>> readTempoMap(LineReader& lines, int tempoCount) {
  std::vector<TempoChange> tempoMap;
  for (int i = 0; i < tempoCount; ++i) {
    auto line = lines.nextContaining("[ChangeTempo time=");
    if (!line) {
      return std::nullopt;
    }
    const std::string_view tickText = afterFirst(*line, '=');
    const std::string_view tempoText = afterFirst(afterFirst(tickText, ','), '=');
    tempoMap.push_back({leadingDecimal(tickText), leadingDecimal(tempoText)});
  }
  return tempoMap;
}

// The event list's entries after the first (the singer) are the notes; counting ends with the
// line that closes the list, which stands in for the second entry read before the count.
std::optional<std::size_t> countNotes(LineReader& lines) {
  if (!lines.nextContaining(kEventList) || !lines.next()) {
    return std::nullopt;
  }
  auto second = lines.next();
  if (!second) {
    return std::nullopt;
  }
  if (second->find(kEventMarker) == std::string_view::npos) {
    return 0;
  }
  std::size_t count = 0;
  for (;;) {
    auto line = lines.next();
    if (!line) {
      return std::nullopt;
    }
    ++count;
    if (line->find(kEventMarker) == std::string_view::npos) {
      return count;
    }
  }
}

bool readNoteSections(LineReader& lines, std::vector<SungNote>& notes) {
  if (!lines.nextContaining(kEventList) || !lines.next()) {
    return false;
  }
  for (SungNote& note : notes) {
    auto line = lines.next();
    if (!line) {
      return false;
    }
    note.startTick = static_cast<float>(leadingDecimal(*line));
  }
  for (std::size_t id = 1; id <= notes.size(); ++id) {
    char section[32];
    std::snprintf(section, sizeof section, "[ID#%04zu]", id);
    if (!lines.nextContaining(section)) {
      return false;
    }
    auto length = lines.nextContaining("Length=");
    auto handle = lines.nextContaining("LyricHandle=");
    if (!length || !handle) {
      return false;
    }
    SungNote& note = notes[id - 1];
    note.lengthTicks = static_cast<float>(leadingDecimal(afterFirst(*length, '=')));
    note.handle = afterFirst(*handle, '=').substr(0, kMaxHandleBytes);
  }
  return true;
}

// Takes each note's syllable from the line after its handle section's name; drops the notes whose
// line has no readable lyric.
bool readSyllables(LineReader& lines, std::vector<SungNote>& notes) {
  std::vector<SungNote> readable;
  readable.reserve(notes.size());
  for (SungNote& note : notes) {
    auto lyricLine = lines.nextContaining(note.handle) ? lines.next() : std::nullopt;
    if (!lyricLine) {
      return false;
    }
    if (auto syllable = parseLyricLine(*lyricLine)) {
      note.syllable = std::move(*syllable);
      readable.push_back(std::move(note));
    }
  }
  notes = std::move(readable);
  return true;
}

// Seconds of `ticks` at `tempo`, in the order of the original single-precision arithmetic.
float ticksToSeconds(float ticks, std::int32_t unitTime, std::int32_t tempo) {
  constexpr float kMicrosecond = 0.000001f;
  return ticks / static_cast<float>(unitTime) * static_cast<float>(tempo) * kMicrosecond;
}

}  // namespace

std::int32_t leadingDecimal(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) {
    ++at;
  }
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
    negative = text[at] == '-';
    ++at;
  }
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = std::min(value * 10 + (text[at] - '0'), kLimit);
  }
  value = negative ? -value : std::min(value, kLimit - 1);
  return static_cast<std::int32_t>(value);
}

std::optional<SequenceNotes> readSequenceNotes(std::string_view dumpText, int tempoCount) {
  SequenceNotes result;
  LineReader countingPass(dumpText);
  auto tempoMap = readTempoMap(countingPass, tempoCount);
  if (!tempoMap) {
    return std::nullopt;
  }
  auto noteCount = countNotes(countingPass);
  if (!noteCount) {
    return std::nullopt;
  }
  result.tempoMap = std::move(*tempoMap);
  result.notes.resize(*noteCount);
  LineReader notePass(dumpText);
  if (!readNoteSections(notePass, result.notes) || !readSyllables(notePass, result.notes)) {
    return std::nullopt;
  }
  return result;
}

void timeNotes(std::vector<SungNote>& notes, const std::vector<TempoChange>& tempoMap,
               std::int32_t unitTime) {
  const std::vector<TempoChange> defaultMap{{0, kDefaultTempo}};
  const std::vector<TempoChange>& map = tempoMap.empty() ? defaultMap : tempoMap;
  for (SungNote& note : notes) {
    std::int64_t remaining = static_cast<std::int64_t>(note.startTick);
    float seconds = 0;
    std::size_t current = 0;
    for (; current + 1 < map.size(); ++current) {
      const std::int64_t spanStart = current == 0 ? 0 : map[current].tick;
      const std::int64_t span = std::int64_t{map[current + 1].tick} - spanStart;
      if (remaining <= span) {
        break;
      }
      seconds += ticksToSeconds(static_cast<float>(span), unitTime, map[current].tempo);
      remaining -= span;
    }
    const std::int32_t tempo = map[current].tempo;
    seconds += ticksToSeconds(static_cast<float>(remaining), unitTime, tempo);
    note.startSeconds = seconds;
    note.endSeconds = seconds + ticksToSeconds(note.lengthTicks, unitTime, tempo);
  }
}

}  // namespace zv
