#include "anim/bone_key_stretch.h"

#include <gtest/gtest.h>

#include "edited_model.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"

namespace zv {
namespace {

using test::EditedModel;
using test::keyAt;
using test::keyTestModel;
using test::trackFrames;

// Bone "a" keyed at 10, 15, 20 and 25 with its frame as translation x; bone "b" keyed at 12.
struct StretchScene : EditedModel {
  StretchScene() : EditedModel(keyTestModel({"a", "b"}, 1, 1)) {
    for (std::uint32_t frame : {10u, 15u, 20u, 25u}) {
      key(0, frame);
    }
    key(1, 12);
  }
  void key(std::uint32_t bone, std::uint32_t frame) {
    model->bones[bone].keyTranslation = {static_cast<float>(frame), 0, 0};
    ASSERT_TRUE(registerBoneKey(scene, *model, bone, frame));
  }
  float xAt(std::uint32_t bone, std::uint32_t frame) const {
    return keyAt(model->boneKeyPool, bone, frame).translation.x;
  }
};

TEST(BoneKeyStretch, DoublingTenToTwentyAtFrameTenMovesTheRangeAndLeavesLaterKeys) {
  StretchScene t;
  Model& model = *t.model;
  ASSERT_TRUE(registerDisplayIkKey(t.scene, model, 50));
  model.displayIkKeyPool.at(1).selected = true;
  t.scene.currentFrame = 10;

  const Outcome outcome = stretchBoneKeys(t.scene, model, 10, 20, 2.0f);
  ASSERT_TRUE(outcome);
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(trackFrames(model.boneKeyPool, 0), (std::vector<std::uint32_t>{0, 10, 20, 25, 30}));
  EXPECT_EQ(t.xAt(0, 10), 10.0f);
  EXPECT_EQ(t.xAt(0, 20), 15.0f);
  EXPECT_EQ(t.xAt(0, 25), 25.0f);
  EXPECT_EQ(t.xAt(0, 30), 20.0f);
  EXPECT_EQ(trackFrames(model.boneKeyPool, 1), (std::vector<std::uint32_t>{0, 14}));
  EXPECT_EQ(t.xAt(1, 14), 12.0f);
  EXPECT_TRUE(keyAt(model.boneKeyPool, 0, 30).selected);
  EXPECT_FALSE(keyAt(model.boneKeyPool, 0, 25).selected);

  // The display and IK key the user had selected is neither deleted nor deselected.
  EXPECT_EQ(trackFrames(model.displayIkKeyPool, 0), (std::vector<std::uint32_t>{0, 50}));
  EXPECT_TRUE(model.displayIkKeyPool[1].selected);
}

TEST(BoneKeyStretch, OneUndoTakesBackTheDeletionAndTheNewKeysAndRedoRepeatsThem) {
  StretchScene t;
  Model& model = *t.model;
  t.scene.currentFrame = 100;
  ASSERT_TRUE(stretchBoneKeys(t.scene, model, 15, 25, 0.5f));
  const std::vector<std::uint32_t> stretched{0, 10, 100, 102, 105};
  EXPECT_EQ(trackFrames(model.boneKeyPool, 0), stretched);
  EXPECT_EQ(t.xAt(0, 102), 20.0f);

  EXPECT_TRUE(undo(t.scene).changed);
  EXPECT_EQ(trackFrames(model.boneKeyPool, 0), (std::vector<std::uint32_t>{0, 10, 15, 20, 25}));
  EXPECT_EQ(t.xAt(0, 25), 25.0f);
  EXPECT_EQ(t.scene.currentFrame, 100u);
  EXPECT_FALSE(model.undoHistory.undoAvailable);

  EXPECT_TRUE(redo(t.scene).changed);
  EXPECT_EQ(trackFrames(model.boneKeyPool, 0), stretched);
  EXPECT_FALSE(model.undoHistory.redoAvailable);
}

TEST(BoneKeyStretch, RefusedOrEmptyStretchesChangeNothing) {
  StretchScene t;
  Model& model = *t.model;
  const BoneKey before = model.boneKeyPool[3];
  const auto unchanged = [&] {
    EXPECT_EQ(trackFrames(model.boneKeyPool, 0), (std::vector<std::uint32_t>{0, 10, 15, 20, 25}));
    EXPECT_EQ(model.boneKeyPool[3], before);
  };
  for (auto [from, to, scale] : {std::tuple{20, 20, 2.0f},
                                 {20, 10, 2.0f},
                                 {10, 20, 1.0f},
                                 {10, 20, 0.000005f},
                                 {10, 20, -2.0f},
                                 {30, 40, 2.0f}}) {
    const Outcome outcome = stretchBoneKeys(t.scene, model, from, to, scale);
    EXPECT_FALSE(outcome) << from << ".." << to << " x" << scale;
    EXPECT_TRUE(outcome.messages.empty());
    unchanged();
  }
  EXPECT_TRUE(model.boneKeyPool[6].selected);  // the last registration's selection stays

  // Frames past 2^31 - 1 are refused before anything is touched.
  t.scene.currentFrame = 2'147'483'000;
  Outcome beyond = stretchBoneKeys(t.scene, model, 10, 25, 100.0f);
  EXPECT_FALSE(beyond);
  ASSERT_EQ(beyond.messages.size(), 1u);
  EXPECT_EQ(beyond.messages[0], stretchBeyondLastFrameMessage());
  unchanged();
  EXPECT_TRUE(model.boneKeyPool[6].selected);

  t.scene.currentFrame = 0;
  beyond = stretchBoneKeys(t.scene, model, 0, 20, 1.0e30f);
  EXPECT_FALSE(beyond);
  EXPECT_EQ(beyond.messages.size(), 1u);
  unchanged();

  // The last frame itself is allowed.
  t.scene.currentFrame = 2'147'483'647 - 30;
  EXPECT_TRUE(stretchBoneKeys(t.scene, model, 10, 25, 2.0f));
  EXPECT_EQ(trackFrames(model.boneKeyPool, 0).back(), 2'147'483'647u);
}

TEST(BoneKeyStretch, ARangeFromFrameZeroTakesTheHeadAlong) {
  StretchScene t;
  Model& model = *t.model;
  model.bones[0].keyTranslation = {7, 0, 0};
  ASSERT_TRUE(registerBoneKey(t.scene, model, 0, 0));
  t.scene.currentFrame = 4;
  ASSERT_TRUE(stretchBoneKeys(t.scene, model, 0, 10, 3.0f));
  EXPECT_EQ(trackFrames(model.boneKeyPool, 0), (std::vector<std::uint32_t>{0, 4, 15, 20, 25, 34}));
  EXPECT_EQ(model.boneKeyPool[0].translation, (Vec3{}));  // the head is reset, its values moved on
  EXPECT_EQ(t.xAt(0, 4), 7.0f);
  EXPECT_EQ(t.xAt(0, 34), 10.0f);
}

}  // namespace
}  // namespace zv
