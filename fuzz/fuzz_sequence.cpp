// Hostile bytes into the sequence reader and the note list. A refused file is fine; an accepted
// one must keep the field limits the note list and the key generation rely on.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/sequence/sequence_reading.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const zv::SequenceReading reading =
      zv::readSequence(std::string_view(reinterpret_cast<const char*>(data), size));
  require(reading.failure == zv::SequenceDumpFailure::None || reading.notes.empty());
  for (const zv::SungNote& note : reading.notes) {
    require(note.syllable.lyric.size() <= zv::kMaxLyricBytes);
    require(note.syllable.consonant.size() <= zv::kMaxConsonantBytes);
    require(note.handle.size() <= zv::kMaxHandleBytes);
    require(note.syllable.vowel != '\0');
  }
  const std::string list = zv::formatNoteList(reading.notes);
  require(reading.notes.empty() == list.empty());
  return 0;
}
