// The sung notes and tempo changes of a sequence, read from the text the first pass rebuilt
// (sequence_dump.h), and the conversion of their ticks to seconds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/sequence/sequence_phonetic.h"

namespace zv {

inline constexpr std::size_t kMaxHandleBytes = 6;  // "h#0001"
// Microseconds per quarter note assumed when a file has no tempo event (120 beats per minute, the
// Standard MIDI File default).
inline constexpr std::int32_t kDefaultTempo = 500'000;

struct TempoChange {
  std::int32_t tick = 0;   // absolute tick within its track
  std::int32_t tempo = 0;  // microseconds per quarter note
};

struct SungNote {
  SungSyllable syllable;
  std::string handle;      // name of the note's lyric handle section, at most 6 bytes
  float startTick = 0;     // as listed in the event list
  float lengthTicks = 0;   // the note's Length
  float startSeconds = 0;  // from the tempo map
  float endSeconds = 0;    // start + length at the tempo in effect at the start
};

struct SequenceNotes {
  std::vector<TempoChange> tempoMap;  // in file order
  std::vector<SungNote> notes;        // in event-list order
};

// Reads `tempoCount` tempo lines, then the event list, the note sections and the lyric handles.
// Nothing when a section the text promises is missing. A note whose lyric line cannot be taken
// apart is left out.
std::optional<SequenceNotes> readSequenceNotes(std::string_view dumpText, int tempoCount);

// Fills every note's start and end in seconds. The first tempo applies from tick 0; an empty map
// stands for kDefaultTempo throughout.
void timeNotes(std::vector<SungNote>& notes, const std::vector<TempoChange>& tempoMap, std::int32_t unitTime);

// The atoi reading of a number: blanks, a sign, digits; 0 when there are none; saturated at the
// limits of a 32-bit integer.
std::int32_t leadingDecimal(std::string_view text);

}  // namespace zv
