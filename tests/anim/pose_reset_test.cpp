#include "anim/pose_reset.h"

#include <gtest/gtest.h>

#include "edited_model.h"

namespace zv {
namespace {

using test::EditedModel;
using test::keyTestModel;

const Quat kTurned{0.0f, 0.6f, 0.0f, 0.8f};

// "センター" (the first bone), the root "root" resting at (2, 0, 0) and "child", a child of the
// first bone; every bone moved to (1, 2, 3) and turned.
struct PoseScene : EditedModel {
  PoseScene() : EditedModel(keyTestModel({"センター", "root", "child"})) {
    model->bones[0].parent = -1;
    model->bones[1].parent = -1;
    model->bones[1].head = {2, 0, 0};
    model->bones[2].parent = 0;
    for (Bone& bone : model->bones) {
      bone.keyTranslation = {1, 2, 3};
      bone.keyRotation = kTurned;
    }
  }
};

TEST(ZeroSelectedBones, EachCommandZeroesItsComponentOfTheSelectedBonesAndMarksThemMoved) {
  PoseScene t;
  Model& model = *t.model;
  model.boneSelected = {1, 0, 1};
  zeroSelectedBones(t.scene, model, PoseComponent::TranslationY);
  zeroSelectedBones(t.scene, model, PoseComponent::Rotation);
  EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{1, 0, 3}));
  EXPECT_EQ(model.bones[2].keyRotation, Quat{});
  EXPECT_EQ(model.bones[1].keyTranslation, (Vec3{1, 2, 3}));
  EXPECT_EQ(model.bones[1].keyRotation, kTurned);
  EXPECT_EQ(model.boneMoved, (std::vector<std::uint8_t>{1, 0, 1}));

  // Each is a pose step of its own, which brings back the moved flags too.
  EXPECT_TRUE(undo(t.scene).changed);
  EXPECT_EQ(model.bones[2].keyRotation, kTurned);
  EXPECT_EQ(model.bones[2].keyTranslation, (Vec3{1, 0, 3}));
  EXPECT_TRUE(undo(t.scene).changed);
  EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{1, 2, 3}));
  EXPECT_EQ(model.boneMoved, (std::vector<std::uint8_t>{0, 0, 0}));
  EXPECT_TRUE(redo(t.scene).changed);
  EXPECT_EQ(model.boneMoved, (std::vector<std::uint8_t>{1, 0, 1}));

  model.boneSelected = {0, 0, 0};
  const int position = model.undoHistory.position;
  zeroSelectedBones(t.scene, model, PoseComponent::TranslationX);
  EXPECT_EQ(model.undoHistory.position, position);
  EXPECT_EQ(model.bones[0].keyTranslation.x, 1.0f);
}

TEST(ResetSelectedBones, RootsFollowTheFirstBoneAndChildrenReturnToRest) {
  PoseScene t;
  Model& model = *t.model;
  // Half a turn about Y takes the root's rest point (2, 0, 0) to (-2, 0, 0) in any convention.
  model.bones[0].keyRotation = {0, 1, 0, 0};
  model.boneSelected = {0, 1, 1};
  resetSelectedBones(t.scene, model);
  EXPECT_EQ(model.bones[1].keyTranslation, (Vec3{-3, 2, 3}));
  EXPECT_EQ(model.bones[1].keyRotation, (Quat{0, 1, 0, 0}));
  EXPECT_EQ(model.bones[2].keyTranslation, (Vec3{}));
  EXPECT_EQ(model.bones[2].keyRotation, Quat{});
  EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{1, 2, 3}));
  EXPECT_EQ(model.boneMoved, (std::vector<std::uint8_t>{0, 1, 1}));

  // With the first bone selected it stands on y = 0 unturned first, and the roots follow that.
  model.boneMoved = {0, 0, 0};
  model.boneSelected = {1, 1, 1};
  resetSelectedBones(t.scene, model);
  EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{1, 0, 3}));
  EXPECT_EQ(model.bones[0].keyRotation, Quat{});
  EXPECT_EQ(model.bones[1].keyTranslation, (Vec3{1, 0, 3}));
  EXPECT_EQ(model.bones[1].keyRotation, Quat{});
  EXPECT_EQ(model.boneMoved, (std::vector<std::uint8_t>{1, 1, 0}));  // the child was at rest already
}

}  // namespace
}  // namespace zv
