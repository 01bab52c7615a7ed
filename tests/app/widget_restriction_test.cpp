#include "app/widget_restriction.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace zv {
namespace {

// A model with one bone per type given, the first selected as the operated bone.
Model modelWithBoneTypes(std::initializer_list<std::uint8_t> types) {
  Model model;
  for (std::uint8_t type : types) {
    Bone bone;
    bone.type = type;
    model.bones.push_back(bone);
  }
  model.boneSelected.assign(model.bones.size(), 0);
  model.boneSelected[0] = 1;
  model.selectedBone = 0;
  return model;
}

void expectButtons(const WidgetButtons& buttons, bool rotate, bool move, std::int32_t restriction) {
  EXPECT_EQ(buttons.rotateEnabled, rotate);
  EXPECT_EQ(buttons.moveEnabled, move);
  EXPECT_EQ(buttons.restriction, restriction);
}

TEST(WidgetRestriction, NothingWithoutModelBoneOrWhilePlaying) {
  expectButtons(widgetButtonsFor(nullptr, false), false, false, 3);
  Model model = modelWithBoneTypes({1});
  expectButtons(widgetButtonsFor(&model, true), false, false, 3);
  model.selectedBone = -1;
  expectButtons(widgetButtonsFor(&model, false), false, false, 3);
  model.selectedBone = 5;
  expectButtons(widgetButtonsFor(&model, false), false, false, 3);
}

TEST(WidgetRestriction, RotatingBonesAloneRotateOnly) {
  for (std::uint8_t type : {0, 4, 5, 6}) {
    SCOPED_TRACE(type);
    Model model = modelWithBoneTypes({type, 1});
    expectButtons(widgetButtonsFor(&model, false), true, false, 1);
    model.boneSelected[1] = 1;
    expectButtons(widgetButtonsFor(&model, false), false, false, 3);
  }
}

TEST(WidgetRestriction, MovingBonesAllowBothUnlessJoinedByOtherKinds) {
  for (std::uint8_t type : {1, 2, 3, 7, 9}) {
    SCOPED_TRACE(type);
    Model model = modelWithBoneTypes({type, 0, 2});
    expectButtons(widgetButtonsFor(&model, false), true, true, 0);
    // Another move-only bone keeps both.
    model.boneSelected[2] = 1;
    expectButtons(widgetButtonsFor(&model, false), true, true, 0);
    // A move-only bone anywhere in the selection outweighs a rotating one.
    model.boneSelected[1] = 1;
    expectButtons(widgetButtonsFor(&model, false), true, true, 0);
    model.boneSelected[2] = 0;
    expectButtons(widgetButtonsFor(&model, false), false, false, 3);
  }
}

TEST(WidgetRestriction, ASelectionListShorterThanTheBonesIsNotReadPastItsEnd) {
  Model model = modelWithBoneTypes({0, 1, 1});
  model.boneSelected.resize(1);
  expectButtons(widgetButtonsFor(&model, false), true, false, 1);
}

}  // namespace
}  // namespace zv
