#include "files/sequence/sequence_reading.h"

#include <cstdio>

namespace zv {

SequenceReading readSequence(std::string_view fileBytes) {
  SequenceDump dump = dumpSequence(fileBytes);
  SequenceReading reading;
  reading.failure = dump.failure;
  if (dump.failure == SequenceDumpFailure::None) {
    if (auto notes = readSequenceNotes(dump.text, dump.tempoCount)) {
      timeNotes(notes->notes, notes->tempoMap, dump.unitTime);
      for (SungNote& note : notes->notes) {
        normaliseSyllable(note.syllable);
      }
      reading.notes = std::move(notes->notes);
    } else {
      reading.failure = SequenceDumpFailure::Malformed;
    }
  }
  reading.dumpText = std::move(dump.text);
  return reading;
}

std::string formatNoteList(const std::vector<SungNote>& notes) {
  std::string text;
  for (const SungNote& note : notes) {
    // The lyric and consonant go in as arguments, never as part of the format: a lyric may hold '%'.
    const char* format = "%7.3f -%7.3f   %-4s %1s %c\n";
    const int length =
        std::snprintf(nullptr, 0, format, note.startSeconds, note.endSeconds, note.syllable.lyric.c_str(),
                      note.syllable.consonant.c_str(), note.syllable.vowel);
    std::string line(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(line.data(), line.size(), format, note.startSeconds, note.endSeconds,
                  note.syllable.lyric.c_str(), note.syllable.consonant.c_str(), note.syllable.vowel);
    line.pop_back();
    text += line;
  }
  return text;
}

}  // namespace zv
