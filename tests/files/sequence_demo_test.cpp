#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "files/key_generation/lip_sync.h"
#include "files/sequence/sequence_reading.h"
#include "lip_sync_test_scene.h"
#include "temp_folder.h"

namespace zv {
namespace {

std::filesystem::path demoSequence() {
  const char* source = std::getenv("ZV_SOURCE_DIR");
  return std::filesystem::path(source ? source : ".") / "UserFile" / "Vsq" / "demo.vsq";
}

TEST(SequenceDemo, ShippedSongReadsIntoItsNotes) {
  const std::string bytes = test::readFile(demoSequence());
  ASSERT_FALSE(bytes.empty());
  const SequenceReading reading = readSequence(bytes);
  ASSERT_EQ(reading.failure, SequenceDumpFailure::None);
  std::string vowels;
  for (const SungNote& note : reading.notes) {
    vowels += note.syllable.vowel;
  }
  EXPECT_EQ(vowels, "oiaiauoaoue");
  const std::string list = port::cp932ToUtf8(formatNoteList(reading.notes));
  EXPECT_EQ(list.substr(0, list.find('\n')), "  2.000 -  2.438   ほ   h o");
  EXPECT_NE(list.find("  4.600 -  5.725   る   r u\n"), std::string::npos);  // slower from the third bar
}

TEST(SequenceDemo, ShippedSongMovesEveryMouthMorph) {
  test::TempFolder folder;
  std::filesystem::copy_file(demoSequence(), folder / "demo.vsq");
  test::FaceScene face;
  ASSERT_TRUE(face.importSequence(folder / "demo.vsq"));
  for (const char* mouth : {"あ", "い", "う", "お"}) {
    EXPECT_FALSE(face.track(mouth).empty()) << mouth;
  }
  EXPECT_EQ(face.scene.currentFrame, 279u);
}

}  // namespace
}  // namespace zv
