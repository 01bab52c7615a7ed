#include "anim/centre_bias.h"

#include <gtest/gtest.h>

#include "edited_model.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"

namespace zv {
namespace {

using test::EditedModel;
using test::keyAt;
using test::keyTestModel;

// Roots "a" and "c", and "b", a child of "a"; each keyed at 10 and 20 with translation (1, 1, 1).
struct BiasScene : EditedModel {
  BiasScene() : EditedModel(keyTestModel({"a", "b", "c"})) {
    model->bones[0].parent = -1;
    model->bones[1].parent = 0;
    model->bones[2].parent = -1;
    for (std::uint32_t bone = 0; bone < 3; ++bone) {
      model->bones[bone].keyTranslation = {1, 1, 1};
      for (std::uint32_t frame : {10u, 20u}) {
        EXPECT_TRUE(registerBoneKey(scene, *model, bone, frame));
      }
    }
  }
  Vec3 at(std::uint32_t bone, std::uint32_t frame) const {
    return keyAt(model->boneKeyPool, bone, frame).translation;
  }
};

TEST(CentreBias, MovesOnlyTheSelectedKeysOfBonesWithoutAParent) {
  BiasScene t;
  Model& model = *t.model;
  clearKeySelection(model.boneKeyPool);
  for (std::uint32_t bone = 0; bone < 3; ++bone) {
    model.boneKeyPool.at(bone).selected = true;  // the heads
  }
  for (std::uint32_t index = model.boneKeyPool.headCount(); index < model.boneKeyPool.extent(); ++index) {
    model.boneKeyPool.at(index).selected = model.boneKeyPool[index].frame == 20;
  }
  t.scene.currentFrame = 20;

  applyCentreBias(t.scene, model, {0.5f, -2.0f, 3.0f});
  const Vec3 moved{1.5f, -1.0f, 4.0f};
  EXPECT_EQ(t.at(0, 20), moved);
  EXPECT_EQ(t.at(2, 20), moved);
  EXPECT_EQ(t.at(0, 0), (Vec3{0.5f, -2.0f, 3.0f}));
  EXPECT_EQ(t.at(0, 10), (Vec3{1, 1, 1}));
  EXPECT_EQ(t.at(1, 20), (Vec3{1, 1, 1}));
  EXPECT_EQ(t.at(1, 0), (Vec3{}));
  EXPECT_EQ(model.bones[0].keyTranslation, moved);  // sampled again at the current frame

  EXPECT_TRUE(undo(t.scene).changed);
  EXPECT_EQ(t.at(0, 20), (Vec3{1, 1, 1}));
  EXPECT_EQ(t.at(2, 0), (Vec3{}));
}

TEST(CentreBias, WithNoKeySelectedNothingChangesAndNoStepIsRecorded) {
  BiasScene t;
  Model& model = *t.model;
  clearKeySelection(model.boneKeyPool);
  const int position = model.undoHistory.position;
  applyCentreBias(t.scene, model, {5, 5, 5});
  EXPECT_EQ(model.undoHistory.position, position);
  EXPECT_EQ(t.at(0, 10), (Vec3{1, 1, 1}));
}

}  // namespace
}  // namespace zv
