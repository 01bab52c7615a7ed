// Picking and box-selecting bone markers, turning and moving the selected bones, and the key
// table's states, on hand-made skeletons whose markers stand where each test needs them.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/bone_drags.h"
#include "app/bone_picking.h"
#include "app/key_table.h"
#include "app/viewport_input.h"

namespace zv {
namespace {

Bone boneAt(float x, float y, std::uint8_t type = 0, std::int16_t parent = -1) {
  Bone bone;
  bone.screenX = x;
  bone.screenY = y;
  bone.type = type;
  bone.parent = parent;
  return bone;
}

Model skeleton(std::initializer_list<Bone> bones) {
  Model model;
  model.bones = bones;
  model.boneSelected.assign(model.bones.size(), 0);
  model.boneMoved.assign(model.bones.size(), 0);
  model.selectedBone = -1;
  return model;
}

std::vector<int> selectedBones(const Model& model) {
  std::vector<int> selected;
  for (std::size_t i = 0; i < model.boneSelected.size(); ++i) {
    if (model.boneSelected[i]) {
      selected.push_back(static_cast<int>(i));
    }
  }
  return selected;
}

TEST(BonePicking, RepeatedClicksCycleThroughOverlappingMarkers) {
  Model model = skeleton({boneAt(0, 0), boneAt(100, 100), boneAt(103, 102), boneAt(300, 300)});
  pickBones(model, 101, 101, false);
  EXPECT_EQ(model.selectedBone, 1);
  pickBones(model, 101, 101, false);
  EXPECT_EQ(model.selectedBone, 2);
  pickBones(model, 101, 101, false);
  EXPECT_EQ(model.selectedBone, 1);
  EXPECT_EQ(selectedBones(model), std::vector<int>{1});

  pickBones(model, 200, 200, false);  // a miss keeps the selection
  EXPECT_EQ(model.selectedBone, 1);
  pickBones(model, 108, 100, false);  // 8 pixels from bone 1 is outside its marker, inside bone 2's
  EXPECT_EQ(model.selectedBone, 2);
}

TEST(BonePicking, ShiftTogglesEveryHitAndUnkeyedBonesCannotBePicked) {
  Model model =
      skeleton({boneAt(10, 10), boneAt(50, 50), boneAt(52, 50), boneAt(80, 80, kBoneTypeFirstUnkeyed)});
  pickBones(model, 10, 10, false);
  pickBones(model, 51, 50, true);
  EXPECT_EQ(selectedBones(model), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(model.selectedBone, 2);
  pickBones(model, 59, 50, true);  // only bone 2 under it: switching off the selected bone leaves none
  EXPECT_EQ(selectedBones(model), (std::vector<int>{0, 1}));
  EXPECT_EQ(model.selectedBone, -1);
  pickBones(model, 80, 80, false);
  EXPECT_EQ(selectedBones(model), (std::vector<int>{0, 1}));
}

TEST(BoxSelection, SelectsExactlyTheMarkersStrictlyInsideAndShiftKeepsTheOthers) {
  Model model = skeleton({boneAt(5, 5), boneAt(20, 20), boneAt(10, 30), boneAt(40, 40), boneAt(20, 25, 7)});
  model.boneSelected[0] = 1;
  model.selectedBone = 0;
  selectBonesInBox(model, {10, 10, 40, 40}, false);  // bones 2 and 3 lie on its edges
  EXPECT_EQ(selectedBones(model), std::vector<int>{1});
  settleBoxSelection(model, false);
  EXPECT_EQ(model.selectedBone, 1);

  selectBonesInBox(model, {0, 0, 12, 35}, true);
  EXPECT_EQ(selectedBones(model), (std::vector<int>{0, 1, 2}));
  settleBoxSelection(model, true);
  EXPECT_EQ(model.selectedBone, 1) << "the selected bone stays while it is still selected";

  selectBonesInBox(model, {30, 30, 50, 50}, false);
  settleBoxSelection(model, false);
  EXPECT_EQ(selectedBones(model), std::vector<int>{3});
  EXPECT_EQ(model.selectedBone, 3);
  selectBonesInBox(model, {100, 100, 120, 120}, false);
  settleBoxSelection(model, false);
  EXPECT_EQ(model.selectedBone, -1);
}

void expectNear(Vec3 got, Vec3 want) {
  EXPECT_NEAR(got.x, want.x, 1e-4f);
  EXPECT_NEAR(got.y, want.y, 1e-4f);
  EXPECT_NEAR(got.z, want.z, 1e-4f);
}

TEST(BoneDrags, ATurnCarriesSelectedMovableBonesWhoseParentIsNotSelected) {
  Model model = skeleton({boneAt(0, 0), boneAt(0, 0, kBoneTypeRotateMove), boneAt(0, 0, kBoneTypeMove, 1),
                          boneAt(0, 0, kBoneTypeMove), boneAt(0, 0, 0)});
  model.bones[1].head = {2, 0, 0};
  model.bones[3].head = {0, 0, 3};
  model.bones[4].head = {1, 1, 1};
  model.boneSelected = {1, 1, 1, 0, 1};
  model.selectedBone = 0;
  const float quarter = std::numbers::pi_v<float> / 4;  // a quarter turn about Y
  turnSelectedBones(model, turnAbout({0, 1, 0}, quarter));

  const Vec3 turnedHead = transformDirection({2, 0, 0}, toMatrix(turnAbout({0, 1, 0}, quarter)));
  expectNear(model.bones[1].keyTranslation, turnedHead - Vec3{2, 0, 0});
  EXPECT_NEAR(model.bones[1].keyRotation.y, std::sin(quarter), 1e-5f);
  EXPECT_EQ(model.bones[2].keyRotation, Quat{}) << "its selected parent carries it";
  EXPECT_EQ(model.bones[3].keyRotation, Quat{}) << "not selected";
  EXPECT_EQ(model.bones[4].keyRotation, Quat{}) << "a plain rotating bone stays";
  EXPECT_NEAR(model.bones[0].keyRotation.w, std::cos(quarter), 1e-5f);
  EXPECT_EQ(model.boneMoved, (std::vector<std::uint8_t>{1, 1, 0, 0, 0}));
}

TEST(BoneDrags, AMoveGoesIntoEachBonesFrameAndNeedsASelectedBone) {
  Model model = skeleton({boneAt(0, 0, kBoneTypeRotateMove), boneAt(0, 0, kBoneTypeMove), boneAt(0, 0, 0)});
  model.bones[1].globalRotation = rotationY(std::numbers::pi_v<float> / 2);
  model.boneSelected = {1, 1, 1};
  moveSelectedBones(model, {1, 0, 0});
  EXPECT_EQ(model.bones[0].keyTranslation, Vec3{}) << "no selected bone: nothing moves";

  model.selectedBone = 2;
  moveSelectedBones(model, {1, 0, 0});
  expectNear(model.bones[0].keyTranslation, {1, 0, 0});
  expectNear(model.bones[1].keyTranslation, intoBoneFrame(model.bones[1], {1, 0, 0}));
  EXPECT_NEAR(std::abs(model.bones[1].keyTranslation.z), 1.0f, 1e-5f);
  EXPECT_EQ(model.bones[2].keyTranslation, Vec3{});
}

TEST(KeyTable, StatesFollowThePollsAndAShortTapStillCounts) {
  Scene scene;
  KeyboardDevice keyboard;
  const int c = port::letterKey('C');
  const auto poll = [&] {
    pollInput(scene, keyboard);
    return scene.keyStates[static_cast<std::size_t>(c)];
  };
  recordKey(keyboard, {c, true});
  EXPECT_EQ(poll(), KeyState::Pressed);
  recordKey(keyboard, {c, true});  // a repeat of a held key
  EXPECT_EQ(poll(), KeyState::Held);
  recordKey(keyboard, {c, false});
  EXPECT_EQ(poll(), KeyState::Released);
  EXPECT_EQ(poll(), KeyState::Up);
  recordKey(keyboard, {c, true});
  recordKey(keyboard, {c, false});
  EXPECT_EQ(poll(), KeyState::Pressed) << "down and up between two polls";
  recordKey(keyboard, {c, true});
  recordKey(keyboard, {c, false});
  EXPECT_EQ(poll(), KeyState::Pressed) << "a second tap right after the first";
  EXPECT_EQ(poll(), KeyState::Released);

  recordKey(keyboard, {port::kKeyPad0 + 2, true});
  recordKey(keyboard, {port::kKeyCodeCount, true});  // out of the table: ignored
  recordKey(keyboard, {-1, true});
  poll();
  EXPECT_EQ(scene.keyStates[port::kKeyPad0 + 2], KeyState::Pressed);
  EXPECT_EQ(scene.keyStates[port::kKeyDigit0 + 2], KeyState::Up);

  scene.enterKeyState = KeyState::Held;  // a command opened a dialog that Enter closed
  recordKey(keyboard, {port::kKeyEnter, false});
  poll();
  EXPECT_EQ(scene.enterKeyState, KeyState::Released);
}

TEST(ViewportColours, FoldsUnsignedCoordinatesAndWidensTheBoxColour) {
  EXPECT_EQ(foldedCoordinate(65535), -1);
  EXPECT_EQ(foldedCoordinate(60001), 60001 - 65536);
  EXPECT_EQ(foldedCoordinate(60000), 60000);
  EXPECT_EQ(foldedCoordinate(-3), -3);
  const port::Colour box = selectionBoxColour();
  EXPECT_EQ(box.r, 0);
  EXPECT_EQ(box.g, 56);  // 6-bit 14 widened
  EXPECT_EQ(box.b, 74);  // 5-bit 9 widened
}

}  // namespace
}  // namespace zv
