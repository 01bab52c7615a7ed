// The first pass over a sequence file (a Standard MIDI File whose text events carry the singing
// synthesizer's description of the song): it rebuilds that description as text, with a line per
// tempo change and per key signature, which the later passes read line by line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zv {

enum class SequenceDumpFailure {
  None,
  SystemExclusive,  // the file holds a system-exclusive event, which the pass cannot step over
  Malformed,        // an unsupported event, a count running past the end of the file, a zero division
};

struct SequenceDump {
  std::string text;           // CP932 with '\n' line ends; on failure, the text made so far
  std::int32_t unitTime = 0;  // ticks per quarter note (the header's division)
  int tempoCount = 0;         // tempo events found, one "[ChangeTempo ...]" line each
  SequenceDumpFailure failure = SequenceDumpFailure::None;
};

SequenceDump dumpSequence(std::string_view fileBytes);

// '\n' -> "\r\n": how the dump and the note list are stored, as text files of the platform the
// format comes from.
std::string withCrLf(std::string_view text);

}  // namespace zv
