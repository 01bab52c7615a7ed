// A whole sequence file read into timed notes with the consonants the note list shows: the plain
// half of lip sync, shared by the import and by tools that only list the notes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "files/sequence/sequence_dump.h"
#include "files/sequence/sequence_notes.h"

namespace zv {

struct SequenceReading {
  // The text the first pass rebuilt; on a failure of that pass, as far as it got. It is what the
  // import leaves beside the sequence file when the notes cannot be read.
  std::string dumpText;
  std::vector<SungNote> notes;  // timed, consonants normalised; empty on failure
  SequenceDumpFailure failure = SequenceDumpFailure::None;
};

SequenceReading readSequence(std::string_view fileBytes);

// One line per note: "%7.3f -%7.3f   %-4s %1s %c" with start and end in seconds, lyric,
// consonant and vowel; CP932 with '\n' line ends.
std::string formatNoteList(const std::vector<SungNote>& notes);

}  // namespace zv
