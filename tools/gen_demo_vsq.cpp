// Writes the demo sequence file UserFile/Vsq/demo.vsq: a short melody of our own with lyrics and
// phonetic symbols, for trying lip sync. Usage: gen_demo_vsq [output file]
#include <cstdio>
#include <filesystem>
#include <string>

#include "files/common/atomic_write.h"
#include "files/sequence/sequence_writer.h"

namespace {

constexpr std::int32_t kQuarter = 480;

// "ほしがひかる、そらのうえ", sung after a bar of rest at 120 beats per minute, slowing to 100 from the
// third bar.
zv::SequenceSong demoSong() {
  zv::SequenceSong song;
  song.unitTime = kQuarter;
  song.tempos = {{0, 500000}, {kQuarter * 8, 600000}};
  const struct {
    const char* lyric;
    const char* phonetic;
    std::int32_t quarters;  // length in quarter notes
    int noteNumber;
  } syllables[] = {
      {"ほ", "h o", 1, 67}, {"し", "S i", 1, 69}, {"が", "g a", 1, 71}, {"ひ", "C i", 1, 72},
      {"か", "k a", 1, 74}, {"る", "4 M", 2, 72}, {"そ", "s o", 1, 71}, {"ら", "4 a", 1, 69},
      {"の", "n o", 1, 67}, {"う", "M", 1, 69},   {"え", "e", 2, 67},
  };
  std::int32_t tick = kQuarter * 4;  // one bar of lead-in
  for (const auto& syllable : syllables) {
    const std::int32_t length = syllable.quarters * kQuarter;
    song.notes.push_back(
        {tick, length - kQuarter / 8, syllable.lyric, syllable.phonetic, syllable.noteNumber});
    tick += length;
  }
  song.endTick = tick + kQuarter * 4;
  return song;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path output = argc > 1 ? argv[1] : "UserFile/Vsq/demo.vsq";
  if (!zv::writeFileAtomically(output, zv::sequenceFileBytes(demoSong()))) {
    std::fprintf(stderr, "cannot write %s\n", output.c_str());
    return 1;
  }
  return 0;
}
