// The committed fuzzing seeds must be files the readers accept: a refused seed only ever reaches the
// header checks, which is what the seeds are there to get past.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "files/sequence/sequence_reading.h"
#include "files/x/x_frame_tree.h"
#include "port/text.h"
#include "temp_folder.h"

namespace zv {
namespace {

std::string seed(std::string_view target, std::string_view name) {
  const char* source = std::getenv("ZV_SOURCE_DIR");
  return test::readFile(std::filesystem::path(source ? source : ".") / "fuzz" / "corpus" / target / name);
}

const XFrameNode& onlyChild(const XFrameNode& node) {
  EXPECT_EQ(node.children.size(), 1u) << node.name;
  return node.children.front();
}

TEST(FuzzSeeds, EveryTemplateSeedBuildsTheSameTreeInEachFormat) {
  for (const char* name :
       {"every_template_text.x", "every_template_binary32.x", "every_template_binary64.x"}) {
    SCOPED_TRACE(name);
    const XTreeResult tree = readXFrameTree(seed("x_file", name));
    ASSERT_TRUE(tree.root) << tree.failure;
    ASSERT_EQ(tree.root->children.size(), 2u);  // the frame, then the mesh outside any frame
    const XFrameNode& frame = tree.root->children[0];
    EXPECT_FLOAT_EQ(frame.localMatrix.m[3][1], 2.0f);
    const XFrameNode& child = onlyChild(frame);
    EXPECT_EQ(port::cp932ToUtf8(child.name), "子フレーム");
    const XFrameNode& mesh = onlyChild(child);
    ASSERT_EQ(mesh.materials.size(), 2u);
    EXPECT_EQ(mesh.materials[0].textureName, "seed.bmp");
    EXPECT_EQ(mesh.materials[0].indexCount, 6u);  // the quad as two triangles
    EXPECT_EQ(mesh.materials[1].indexCount, 3u);
    EXPECT_TRUE(mesh.translucent);
    EXPECT_FLOAT_EQ(mesh.vertices[2].u, 1.0f);
    EXPECT_EQ(tree.root->children[1].indices.size(), 3u);
  }
}

TEST(FuzzSeeds, ReferenceSeedsResolveTheTopLevelMaterial) {
  for (const char* name : {"reference_text.x", "reference_binary32.x"}) {
    SCOPED_TRACE(name);
    const XTreeResult tree = readXFrameTree(seed("x_file", name));
    ASSERT_TRUE(tree.root) << tree.failure;
    const XFrameNode& mesh = onlyChild(onlyChild(*tree.root));
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_EQ(mesh.materials[0].textureName, "seed.bmp");
    EXPECT_FLOAT_EQ(mesh.materials[0].power, 12.0f);
    EXPECT_EQ(mesh.indices.size(), 3u);
  }
}

TEST(FuzzSeeds, EventKindSeedKeepsItsTempoChanges) {
  const SequenceReading reading = readSequence(seed("sequence", "every_event_kind.vsq"));
  ASSERT_EQ(reading.failure, SequenceDumpFailure::None);
  ASSERT_EQ(reading.notes.size(), 2u);
  EXPECT_FLOAT_EQ(reading.notes[0].startSeconds, 0.5f);
  EXPECT_FLOAT_EQ(reading.notes[1].startSeconds, 1.6f);  // a second at 120 bpm, then 480 ticks at 100
  EXPECT_NE(reading.dumpText.find(port::utf8ToCp932("短調")), std::string::npos);
}

TEST(FuzzSeeds, SyllableSeedHoldsEachPhoneticForm) {
  const SequenceReading reading = readSequence(seed("sequence", "every_syllable_form.vsq"));
  ASSERT_EQ(reading.failure, SequenceDumpFailure::None);
  std::string forms;
  for (const SungNote& note : reading.notes) {
    forms += note.syllable.consonant + note.syllable.vowel + " ";
  }
  EXPECT_EQ(forms, "a Ta tu hu n n sa gi ");
  EXPECT_EQ(reading.notes[6].syllable.lyric, "%s");
}

TEST(FuzzSeeds, NoteLessSequenceSeedIsAccepted) {
  const SequenceReading reading = readSequence(seed("sequence", "no_notes.vsq"));
  EXPECT_EQ(reading.failure, SequenceDumpFailure::None);
  EXPECT_TRUE(reading.notes.empty());
}

}  // namespace
}  // namespace zv
