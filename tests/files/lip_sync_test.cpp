#include "files/key_generation/lip_sync.h"

#include <gtest/gtest.h>

#include "files/sequence/sequence_messages.h"
#include "files/sequence/sequence_writer.h"
#include "lip_sync_test_scene.h"
#include "scene/keys/key_registration.h"
#include "temp_folder.h"

namespace zv {
namespace {

using Track = std::map<std::uint32_t, float>;

class LipSync : public ::testing::Test {
 protected:
  test::FaceScene face;
  test::TempFolder folder;

  std::filesystem::path writeSong(std::vector<SequenceNoteSpec> notes, std::string_view name = "song.vsq") {
    SequenceSong song;
    song.notes = std::move(notes);
    return writeBytes(sequenceFileBytes(song), name);
  }
  std::filesystem::path writeBytes(const std::string& bytes, std::string_view name = "song.vsq") {
    const std::filesystem::path path = folder / name;
    test::writeFile(path, bytes);
    return path;
  }
  std::string noteList() const { return test::readFile(folder / "song.txt"); }
};

TEST_F(LipSync, OneNoteOpensAndClosesTheMouth) {
  const std::uint32_t smile = face.morphIndex("にやり");
  face.model->morphs[smile].weight = 0.25f;
  ASSERT_TRUE(registerMorphKey(face.scene, *face.model, smile, 500));

  EXPECT_TRUE(face.importSequence(writeSong({{1920, 480, "あ", "a"}})));

  EXPECT_EQ(face.track("あ"), (Track{{58, 0.0f}, {60, 0.7f}, {73, 0.7f}, {75, 0.0f}}));
  EXPECT_TRUE(face.track("い").empty());
  EXPECT_EQ(face.scene.currentFrame, 75u);
  EXPECT_NEAR(face.model->morphs[smile].weight, 0.25f * 75 / 500, 1e-6f);  // sampled at the new frame
  EXPECT_EQ(face.model->lastFrame, 500u);
  EXPECT_EQ(face.scene.lastFrame, 500u);
  EXPECT_EQ(face.selectedMorphKeys(), 4);  // the earlier key is deselected
  EXPECT_EQ(noteList(), port::utf8ToCp932("  2.000 -  2.500   あ     a\r\n"));
  EXPECT_TRUE(face.ui.messages.empty());
}

TEST_F(LipSync, NextNoteWinsWhereTwoNotesMeet) {
  face.importSequence(writeSong({{1920, 480, "あ", "a"}, {2400, 480, "か", "k' a"}}));
  EXPECT_EQ(face.track("あ"),
            (Track{{58, 0.0f}, {60, 0.7f}, {73, 0.0f}, {75, 0.7f}, {88, 0.7f}, {90, 0.0f}}));
  EXPECT_EQ(face.scene.currentFrame, 90u);
  EXPECT_EQ(face.scene.lastFrame, 90u);
  EXPECT_EQ(face.selectedMorphKeys(), 6);
}

TEST_F(LipSync, EachVowelDrivesItsMorphs) {
  face.importSequence(writeSong({{480, 480, "つ", "ts M"},
                                 {960, 480, "き", "k' i"},
                                 {1440, 480, "ね", "n e"},
                                 {1920, 480, "の", "n o"},
                                 {2400, 480, "ん", "N\\"}}));
  EXPECT_EQ(face.track("う"), (Track{{13, 0.0f}, {15, 1.0f}, {28, 1.0f}, {30, 0.0f}}));
  EXPECT_EQ(face.track("い"),
            (Track{{28, 0.0f}, {30, 1.0f}, {43, 0.0f}, {45, 0.3f}, {58, 0.3f}, {60, 0.0f}}));
  EXPECT_EQ(face.track("あ"), (Track{{43, 0.0f}, {45, 0.5f}, {58, 0.5f}, {60, 0.0f}}));
  EXPECT_EQ(face.track("お"), (Track{{58, 0.0f}, {60, 1.0f}, {73, 1.0f}, {75, 0.0f}}));
  EXPECT_EQ(face.scene.currentFrame, 90u);  // the last note moves no morph but sets the frame
  EXPECT_EQ(noteList().substr(0, 29), port::utf8ToCp932("  0.500 -  1.000   つ   t u\r\n"));
}

TEST_F(LipSync, NoteInTheFirstFramesHasNoLeadInKey) {
  face.importSequence(writeSong({{48, 480, "あ", "a"}}));  // starts at frame 1
  EXPECT_EQ(face.track("あ"), (Track{{1, 0.7f}, {14, 0.7f}, {16, 0.0f}}));
  EXPECT_EQ(face.model->morphKeyPool[face.morphIndex("あ")].weight, 0.0f);  // the head is untouched
}

TEST_F(LipSync, MissingMouthMorphStopsAfterTheNoteList) {
  test::FaceScene noU({"あ", "い", "お", "まばたき"});
  noU.model->morphs[1].weight = 1.0f;
  registerMorphKey(noU.scene, *noU.model, 1, 10);
  noU.scene.currentFrame = 3;
  EXPECT_FALSE(noU.importSequence(writeSong({{1920, 480, "あ", "a"}})));
  ASSERT_EQ(noU.ui.messages.size(), 1u);
  EXPECT_EQ(noU.ui.messages[0].text, kMissingMouthMorphMessages[2]);
  EXPECT_EQ(noU.ui.messages[0].caption, "vsq解析");
  EXPECT_EQ(noU.track("あ"), (Track{{10, 1.0f}}));
  EXPECT_EQ(noU.selectedMorphKeys(), 1);
  EXPECT_EQ(noU.scene.currentFrame, 3u);
  EXPECT_EQ(noteList(), port::utf8ToCp932("  2.000 -  2.500   あ     a\r\n"));
}

TEST_F(LipSync, SystemExclusiveLeavesTheTextReadSoFar) {
  const std::string events = smfMetatextEvents("[Common]\n") + std::string("\x00\xF0\x01\x7F", 4);
  EXPECT_FALSE(face.importSequence(writeBytes(smfFile(480, {smfTrack(events)}))));
  ASSERT_EQ(face.ui.messages.size(), 1u);
  EXPECT_EQ(face.ui.messages[0].text, "SysExイベントがあります。お手上げ＼(^o^)／");
  EXPECT_EQ(face.ui.messages[0].caption, "vsq解析");
  EXPECT_EQ(noteList(), "[number of Track:1]\r\n[UnitTime:480]\r\n\r\n[Track0]\r\n[Common]\r\n");
}

TEST_F(LipSync, HostileFilesAreRefusedWithTheAnalysisMessage) {
  for (const std::string& bytes : {std::string("MThd"), std::string("MThd\0\0\0\6\0\1\0\1\0\0", 14),
                                   sequenceFileBytes(SequenceSong{}).substr(0, 60)}) {
    face.ui.messages.clear();
    EXPECT_FALSE(face.importSequence(writeBytes(bytes)));
    ASSERT_EQ(face.ui.messages.size(), 1u);
    EXPECT_EQ(face.ui.messages[0].text, "vsq解析エラー発生！！");
  }
  EXPECT_EQ(face.model->morphKeyPool.extent(), 0u);
}

TEST_F(LipSync, SongWithoutNotesWritesAnEmptyListAndKeepsTheKeys) {
  face.model->morphs[1].weight = 1.0f;
  registerMorphKey(face.scene, *face.model, 1, 10);
  face.scene.currentFrame = 4;
  EXPECT_TRUE(face.importSequence(writeSong({})));
  EXPECT_TRUE(std::filesystem::exists(folder / "song.txt"));
  EXPECT_EQ(noteList(), "");
  EXPECT_EQ(face.selectedMorphKeys(), 1);
  EXPECT_EQ(face.scene.currentFrame, 4u);
  EXPECT_TRUE(face.ui.messages.empty());
}

TEST_F(LipSync, NoteListGoesBesideTheFileUnderItsBaseName) {
  std::filesystem::create_directory(folder / "takes.vsq");
  face.importSequence(writeSong({{1920, 480, "あ", "a"}}, "takes.vsq/Song.VSQ"));
  EXPECT_TRUE(std::filesystem::exists(folder / "takes.vsq" / "Song.txt"));

  const std::filesystem::path listed = writeSong({{1920, 480, "あ", "a"}}, "song.txt");
  const std::string before = test::readFile(listed);
  face.ui.messages.clear();
  EXPECT_FALSE(face.importSequence(listed));
  ASSERT_EQ(face.ui.messages.size(), 1u);
  EXPECT_EQ(face.ui.messages[0].text, kNoteListSameAsSequenceMessage);
  EXPECT_EQ(test::readFile(listed), before);
}

TEST_F(LipSync, UnreadableOrUnwritableFilesAreReported) {
  const std::filesystem::path missing = folder / "missing.vsq";
  EXPECT_FALSE(face.importSequence(missing));
  ASSERT_EQ(face.ui.messages.size(), 1u);
  EXPECT_EQ(face.ui.messages[0].text, "ファイルが読み込めません:2");
  EXPECT_EQ(face.ui.messages[0].caption, missing.string());

  const std::filesystem::path song = writeSong({{1920, 480, "あ", "a"}});
  std::filesystem::create_directory(folder / "song.txt");  // the note list cannot replace a folder
  face.ui.messages.clear();
  EXPECT_FALSE(face.importSequence(song));
  ASSERT_EQ(face.ui.messages.size(), 1u);
  EXPECT_EQ(face.ui.messages[0].text, kNoteListUnwritableMessage);
  EXPECT_TRUE(face.track("あ").empty());
}

TEST_F(LipSync, FullMorphPoolRefusesKeysAndTheImportGoesOn) {
  const std::uint32_t smile = face.morphIndex("にやり");
  const std::uint32_t freeRecords = MorphKey::kPoolCapacity - face.model->morphKeyPool.headCount();
  for (std::uint32_t frame = freeRecords; frame >= 2; --frame) {  // backwards: each insert is at the front
    registerMorphKey(face.scene, *face.model, smile, frame);
  }
  face.ui.messages.clear();
  EXPECT_TRUE(face.importSequence(writeSong({{1920, 480, "あ", "a"}})));
  EXPECT_EQ(face.track("あ"), (Track{{58, 0.0f}}));
  EXPECT_EQ(face.ui.messages.size(), 3u);
}

TEST_F(LipSync, WithoutAModelNothingHappens) {
  face.scene.modelSlots[0].reset();
  EXPECT_FALSE(face.importSequence(writeSong({{1920, 480, "あ", "a"}})));
  EXPECT_FALSE(std::filesystem::exists(folder / "song.txt"));
  EXPECT_TRUE(face.ui.messages.empty());
}

}  // namespace
}  // namespace zv
