// Writing sequence files of our own: the demo song generator and the tests make them with this.
// The program itself only reads them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/sequence/sequence_notes.h"

namespace zv {

struct SequenceNoteSpec {
  std::int32_t tick = 0;
  std::int32_t length = 480;
  std::string lyric;     // UTF-8, stored as CP932
  std::string phonetic;  // symbols separated by blanks, such as "k a" or "ts M"
  int noteNumber = 60;
};

struct SequenceSong {
  std::int32_t unitTime = 480;
  std::vector<TempoChange> tempos{{0, kDefaultTempo}};
  std::vector<SequenceNoteSpec> notes;
  std::int32_t endTick = 0;  // where the event list's end marker stands; 0 = right after the last note
};

// The synthesizer's text description of the song: common settings, the event list, one section
// per event and one per handle. CP932 with '\n' line ends.
std::string sequenceMetatext(const SequenceSong& song);

// A complete file: a master track with the tempo changes and a voice track carrying the metatext.
std::string sequenceFileBytes(const SequenceSong& song);

// The pieces, for files that break the rules on purpose.
std::string smfQuantity(std::uint32_t value);
// Text events at delta 0 carrying `text` in pieces, each behind the "DM:nnnn:" marker.
std::string smfMetatextEvents(std::string_view text);
// Delta 0 tempo event, with the delta given.
std::string smfTempoEvent(std::uint32_t delta, std::uint32_t tempo);
std::string smfEndOfTrack();
// An "MTrk" chunk around `events` (which should end with smfEndOfTrack()).
std::string smfTrack(std::string_view events);
std::string smfFile(std::uint16_t division, const std::vector<std::string>& tracks);

}  // namespace zv
