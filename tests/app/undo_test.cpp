#include "app/undo_commands.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "scene/keys/key_deletion.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "scene_with_model.h"
#include "ui/control_ids.h"
#include "ui_with_controls.h"

namespace zv {
namespace {

class Undo : public ::testing::Test {
 protected:
  void SetUp() override { test::placeModel(scene_); }
  Model& model() { return *scene_.modelSlots[0]; }

  // A key edit step at `frame` that keys bone 1 with rotation about Z by `z`.
  void keyBone(std::uint32_t frame, float z) {
    model().bones[1].keyRotation = {0, 0, z, 1};
    beginStep(scene_, model(), UndoKind::KeyEdit, frame);
    registerBoneKey(scene_, model(), 1, frame);
  }

  test::UiWithControls ui_;
  Scene scene_;
};

int undosPossible(Scene& scene, port::Ui& ui) {
  int count = 0;
  while (undo(scene, ui).changed) {
    ++count;
  }
  return count;
}

TEST_F(Undo, UndoingARegistrationRemovesTheKeyAndRedoPutsItBack) {
  keyBone(10, 0.1f);
  keyBone(20, 0.2f);
  const KeyPool<BoneKey>& pool = model().boneKeyPool;
  std::uint32_t at10 = pool[1].next;
  std::uint32_t at20 = pool[at10].next;
  ASSERT_EQ(pool[at20].frame, 20u);

  EXPECT_TRUE(undo(scene_, ui_).changed);
  EXPECT_EQ(pool[at20].frame, 0u);  // free again
  EXPECT_EQ(pool[at10].next, 0u);   // the neighbour's link restored
  EXPECT_EQ(scene_.currentFrame, 20u);
  EXPECT_EQ(ui_.control(kCurrentFrameBox).text, "20");
  EXPECT_TRUE(ui_.control(kRedoButton).enabled);

  EXPECT_TRUE(redo(scene_, ui_).changed);
  EXPECT_EQ(pool[at10].next, at20);
  EXPECT_EQ(pool[at20].frame, 20u);
  EXPECT_FLOAT_EQ(pool[at20].rotation.z, 0.2f);
  EXPECT_FALSE(ui_.control(kRedoButton).enabled);
  EXPECT_FALSE(redo(scene_, ui_).changed);
}

TEST_F(Undo, ThirtyUndosRestoreTheThirtyNewestStepsThenStop) {
  for (std::uint32_t step = 1; step <= 35; ++step) {
    keyBone(step * 10, 0.01f * static_cast<float>(step));
  }
  EXPECT_EQ(undosPossible(scene_, ui_), 30);
  EXPECT_FALSE(ui_.control(kUndoButton).enabled);
  EXPECT_EQ(scene_.currentFrame, 60u);  // the oldest step kept was the sixth
  // Keys 1 to 5 are older than the ring and stay.
  std::uint32_t key = model().boneKeyPool[1].next;
  int kept = 0;
  for (; key != 0; key = model().boneKeyPool[key].next) {
    ++kept;
  }
  EXPECT_EQ(kept, 5);
}

TEST_F(Undo, ANewStepDiscardsTheUndoneOnes) {
  for (std::uint32_t step = 1; step <= 40; ++step) {
    keyBone(step * 10, 0.01f * static_cast<float>(step));
  }
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(undo(scene_, ui_).changed);
  }
  keyBone(1000, 0.5f);
  EXPECT_FALSE(redo(scene_, ui_).changed);
  EXPECT_EQ(undosPossible(scene_, ui_), 28);
  // Every key left is still on the track: none was replayed back off it.
  const KeyPool<BoneKey>& pool = model().boneKeyPool;
  int onTrack = 0;
  for (std::uint32_t key = pool[1].next; key != 0; key = pool[key].next) {
    ++onTrack;
  }
  int used = 0;
  for (std::uint32_t index = pool.headCount(); index < pool.extent(); ++index) {
    used += pool[index].frame != 0;
  }
  EXPECT_EQ(onTrack, used);
}

TEST_F(Undo, PoseStepsRestoreThePoseAndMovedFlags) {
  model().bones[2].keyTranslation = {1, 2, 3};
  model().boneMoved[2] = 1;
  scene_.currentFrame = 120;
  recordPoseAtFrame(scene_, model(), 120);
  model().bones[2].keyTranslation = {9, 9, 9};
  model().boneMoved[2] = 0;
  scene_.currentFrame = 5;
  UndoOutcome outcome = undo(scene_, ui_);
  EXPECT_TRUE(outcome.resample);
  EXPECT_EQ(scene_.currentFrame, 120u);
  EXPECT_EQ(model().bones[2].keyTranslation, (Vec3{1, 2, 3}));
  EXPECT_EQ(model().boneMoved[2], 1);
  redo(scene_, ui_);
  EXPECT_EQ(model().bones[2].keyTranslation, (Vec3{9, 9, 9}));
  EXPECT_EQ(model().boneMoved[2], 0);
}

TEST_F(Undo, TheButtonsFollowTheHistoryInBothStates) {
  keyBone(10, 0.1f);
  showUndoButtons(ui_, model().undoHistory);
  EXPECT_TRUE(ui_.control(kUndoButton).enabled);
  EXPECT_FALSE(ui_.control(kRedoButton).enabled);
  ASSERT_TRUE(undo(scene_, ui_).changed);
  EXPECT_FALSE(ui_.control(kUndoButton).enabled);
  EXPECT_TRUE(ui_.control(kRedoButton).enabled);
  ASSERT_TRUE(redo(scene_, ui_).changed);
  EXPECT_TRUE(ui_.control(kUndoButton).enabled);
  EXPECT_FALSE(ui_.control(kRedoButton).enabled);

  // Undoing a pose-only step leaves the frame box alone.
  beginStep(scene_, model(), UndoKind::Pose, 10);
  ui_.setControlText(kCurrentFrameBox, "7");
  const UndoOutcome poseUndone = undo(scene_, ui_);
  EXPECT_TRUE(poseUndone.changed);
  EXPECT_FALSE(poseUndone.frameMoved);
  EXPECT_EQ(ui_.control(kCurrentFrameBox).text, "7");
}

TEST_F(Undo, NothingInCameraModeOrWithoutSteps) {
  EXPECT_FALSE(undo(scene_, ui_).changed);
  keyBone(10, 0.1f);
  scene_.cameraMode = true;
  EXPECT_FALSE(undo(scene_, ui_).changed);
  EXPECT_NE(model().boneKeyPool[model().boneKeyPool[1].next].frame, 0u);
  // A pose-at-frame step needs an unregistered edit.
  scene_.cameraMode = false;
  recordPoseAtFrame(scene_, model(), 3);
  EXPECT_EQ(model().undoHistory.undoRing[model().undoHistory.position].kind, UndoKind::KeyEdit);
}

TEST_F(Undo, ATwoStepEditIsUndoneAndRedoneAsOne) {
  keyBone(10, 0.1f);
  std::uint32_t key = model().boneKeyPool[1].next;
  // Deleting the key, then keying elsewhere: the deletion becomes the first half.
  clearKeySelection(model().boneKeyPool);
  model().boneKeyPool.at(key).selected = true;
  deleteSelectedModelKeys(scene_, model());
  model().undoHistory.undoRing[model().undoHistory.position].kind = UndoKind::KeyEditHead;
  keyBone(30, 0.3f);
  EXPECT_TRUE(undo(scene_, ui_).changed);
  EXPECT_EQ(model().boneKeyPool[model().boneKeyPool[1].next].frame, 10u);
  EXPECT_TRUE(redo(scene_, ui_).changed);
  EXPECT_EQ(model().boneKeyPool[model().boneKeyPool[1].next].frame, 30u);
  EXPECT_EQ(model().boneKeyPool[model().boneKeyPool[model().boneKeyPool[1].next].next].frame, 0u);
}

// The bone track as frame -> rotation z, read by walking it.
std::map<std::uint32_t, float> track(const Model& model, std::uint32_t bone) {
  std::map<std::uint32_t, float> keys;
  for (std::uint32_t key = model.boneKeyPool[bone].next; key != 0; key = model.boneKeyPool[key].next) {
    keys[model.boneKeyPool[key].frame] = model.boneKeyPool[key].rotation.z;
  }
  return keys;
}

TEST_F(Undo, RandomEditsUndoAndRedoToTheRecordedStates) {
  std::mt19937 random(7);
  std::vector<std::map<std::uint32_t, float>> states{track(model(), 1)};  // state after each step
  std::size_t current = 0;
  for (int round = 0; round < 400; ++round) {
    int action = static_cast<int>(random() % 4);
    if (action == 0 && current > 0 && states.size() - current <= 30) {
      ASSERT_TRUE(undo(scene_, ui_).changed) << "round " << round;
      --current;
    } else if (action == 1 && current + 1 < states.size()) {
      ASSERT_TRUE(redo(scene_, ui_).changed);
      ++current;
    } else if (action == 2 && !track(model(), 1).empty()) {
      clearKeySelection(model().boneKeyPool);
      model().boneKeyPool.at(model().boneKeyPool[1].next).selected = true;
      deleteSelectedModelKeys(scene_, model());
      states.resize(++current);
      states.push_back(track(model(), 1));
    } else {
      keyBone(1 + static_cast<std::uint32_t>(random() % 50), static_cast<float>(round));
      states.resize(++current);
      states.push_back(track(model(), 1));
    }
    ASSERT_EQ(track(model(), 1), states[current]) << "round " << round;
  }
}

}  // namespace
}  // namespace zv
