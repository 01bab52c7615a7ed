#include "files/key_generation/blink.h"

#include <gtest/gtest.h>

#include "files/sequence/sequence_messages.h"
#include "lip_sync_test_scene.h"
#include "scene/keys/key_registration.h"

namespace zv {
namespace {

using Track = std::map<std::uint32_t, float>;

// The keys blinks starting at `starts` leave, later blinks overwriting earlier ones.
Track blinksAt(std::initializer_list<std::uint32_t> starts, Track keys = {}) {
  for (std::uint32_t start : starts) {
    keys[start] = 0.0f;
    keys[start + 2] = 1.0f;
    keys[start + 3] = 1.0f;
    keys[start + 6] = 0.0f;
  }
  return keys;
}

class Blinks : public ::testing::Test {
 protected:
  test::FaceScene face;
  BlinkRandom freshProcess;  // the generator as a newly started program has it

  std::optional<int> blink(std::int32_t start, std::int32_t end) {
    return face.insertBlinks(BlinkRange{start, end}, freshProcess);
  }
  std::string lastMessage() const { return face.ui.messages.empty() ? "" : face.ui.messages.back().text; }
};

TEST_F(Blinks, FirstBlinkAfterStartIsTheQuickOne) {
  EXPECT_EQ(blink(0, 1), 1);
  EXPECT_EQ(face.track("まばたき"), (Track{{7, 0.0f}, {9, 1.0f}, {10, 1.0f}, {13, 0.0f}}));
  EXPECT_EQ(lastMessage(), "1回のまばたきを追加しました");
  EXPECT_EQ(face.ui.messages.back().caption, "まばたき追加");
  EXPECT_TRUE(face.scene.modified);
  EXPECT_EQ(face.scene.lastFrame, 13u);
  EXPECT_EQ(face.model->morphs[face.morphIndex("まばたき")].weight, 0.0f);
  EXPECT_EQ(face.selectedMorphKeys(), 4);
}

TEST_F(Blinks, SameCommandsAfterStartGiveTheSameBlinks) {
  EXPECT_EQ(blink(0, 600), 7);
  const Track first = blinksAt({7, 136, 322, 456, 566, 573, 779});
  EXPECT_EQ(face.track("まばたき"), first);
  EXPECT_EQ(face.scene.lastFrame, 785u);

  // The generator and the scene's burst counter carry on into the next command.
  EXPECT_EQ(blink(0, 600), 5);
  EXPECT_EQ(face.track("まばたき"), blinksAt({189, 360, 367, 564, 727}, first));
  EXPECT_EQ(lastMessage(), "5回のまばたきを追加しました");
}

TEST_F(Blinks, ProgramDrawsFromItsOneGenerator) {
  const BlinkRandom before = processBlinkRandom();
  BlinkRandom replay = before;
  test::FaceScene other;
  face.insertBlinks(BlinkRange{0, 2000});
  other.insertBlinks(BlinkRange{0, 2000}, replay);
  EXPECT_EQ(face.track("まばたき"), other.track("まばたき"));
  EXPECT_EQ(processBlinkRandom().state, replay.state);
  EXPECT_NE(replay.state, before.state);
}

TEST_F(Blinks, EmptyRangeReportsNoBlinks) {
  EXPECT_EQ(blink(600, 600), 0);
  EXPECT_EQ(blink(700, 600), 0);
  EXPECT_EQ(lastMessage(), "0回のまばたきを追加しました");
  EXPECT_TRUE(face.track("まばたき").empty());
  EXPECT_EQ(freshProcess.state, 1u);
}

TEST_F(Blinks, NegativeFramesAreRefused) {
  EXPECT_EQ(blink(0, -1), std::nullopt);
  EXPECT_EQ(blink(-30, 600), std::nullopt);
  EXPECT_EQ(face.ui.messages.size(), 2u);
  EXPECT_EQ(lastMessage(), kNegativeBlinkFrameMessage);
  EXPECT_TRUE(face.track("まばたき").empty());
  EXPECT_FALSE(face.scene.modified);
  EXPECT_EQ(freshProcess.state, 1u);
}

TEST_F(Blinks, ModelWithoutBlinkMorphIsToldBeforeAsking) {
  test::FaceScene noBlink({"あ", "まばたき２"});
  bool asked = false;
  const auto ask = [&asked] {
    asked = true;
    return std::optional<BlinkRange>(BlinkRange{0, 600});
  };
  EXPECT_EQ(noBlink.insertBlinks(ask, freshProcess), std::nullopt);
  EXPECT_FALSE(asked);
  ASSERT_EQ(noBlink.ui.messages.size(), 1u);
  EXPECT_EQ(noBlink.ui.messages[0].text,
            "このモデルの表情に”まばたき”がない為\n自動リップシンクはできません");
  EXPECT_EQ(noBlink.ui.messages[0].caption, "vsq解析");
}

TEST_F(Blinks, CameraModeAndCancelDoNothing) {
  EXPECT_EQ(face.insertBlinks([] { return std::optional<BlinkRange>(); }, freshProcess), std::nullopt);
  face.scene.cameraMode = true;
  EXPECT_EQ(blink(0, 600), std::nullopt);
  EXPECT_TRUE(face.ui.messages.empty());
  EXPECT_TRUE(face.track("まばたき").empty());
  EXPECT_FALSE(face.scene.modified);
}

TEST_F(Blinks, FullPoolStopsAtTheFirstRefusalAndCountsWholeBlinks) {
  const std::uint32_t smile = face.morphIndex("にやり");
  const std::uint32_t freeRecords = MorphKey::kPoolCapacity - face.model->morphKeyPool.headCount();
  for (std::uint32_t frame = freeRecords; frame >= 7; --frame) {  // leaves six records free
    registerMorphKey(face.scene, *face.model, smile, frame);
  }
  face.ui.messages.clear();
  EXPECT_EQ(blink(0, 600), 1);
  EXPECT_EQ(face.track("まばたき"),
            (Track{{7, 0.0f}, {9, 1.0f}, {10, 1.0f}, {13, 0.0f}, {136, 0.0f}, {138, 1.0f}}));
  ASSERT_EQ(face.ui.messages.size(), 2u);
  EXPECT_EQ(face.ui.messages[0].caption, "ﾌﾚｰﾑ登録");
  EXPECT_EQ(lastMessage(), "1回のまばたきを追加しました");
}

}  // namespace
}  // namespace zv
