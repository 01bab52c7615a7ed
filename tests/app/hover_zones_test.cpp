// What the pointer is over in the 3D view: the icon, strip and gizmo rectangles with their open
// edges, which of them each mode offers, and which wins where they overlap.
#include <gtest/gtest.h>

#include "app/hover_zones.h"

namespace zv {
namespace {

class HoverZones : public ::testing::Test {
 protected:
  void SetUp() override {
    geometry_.view = {100, 50, 900, 650};
    scene_.cameraMode = false;
    scene_.editMode = EditMode::None;
  }
  HoverZone at(int x, int y) {
    scene_.mouseX = x;
    scene_.mouseY = y;
    return hoverZoneAt(scene_, geometry_);
  }

  Scene scene_;
  ViewGeometry geometry_;
};

TEST_F(HoverZones, TheIconsHaveOpenEdges) {
  EXPECT_EQ(at(840, 70), HoverZone::Nothing);
  EXPECT_EQ(at(841, 70), HoverZone::ZoomIcon);
  EXPECT_EQ(at(863, 84), HoverZone::ZoomIcon);
  EXPECT_EQ(at(864, 70), HoverZone::Nothing);
  EXPECT_EQ(at(841, 60), HoverZone::Nothing);
  EXPECT_EQ(at(870, 70), HoverZone::Nothing);
  EXPECT_EQ(at(871, 70), HoverZone::PanIcon);
  EXPECT_EQ(at(899, 70), HoverZone::PanIcon);
  scene_.playing = true;
  EXPECT_EQ(at(871, 70), HoverZone::PanIcon) << "the icon works while playing";
}

TEST_F(HoverZones, StripsFollowTheModeAndTheWidgetRestriction) {
  const int firstButtonX = 900 - 127 + 10;
  const int thirdButtonX = 900 - 48 + 10;
  const int rotateY = 650 - 80 + 10;
  const int moveY = 650 - 40 + 10;
  EXPECT_EQ(at(firstButtonX, rotateY), HoverZone::BoneRotateX);
  EXPECT_EQ(at(thirdButtonX, moveY), HoverZone::BoneMoveZ);
  EXPECT_EQ(at(900 - 127 + 35, rotateY), HoverZone::Nothing) << "right edge of a 35-pixel button";
  scene_.widgetRestriction = 1;
  EXPECT_EQ(at(firstButtonX, rotateY), HoverZone::BoneRotateX);
  EXPECT_EQ(at(thirdButtonX, moveY), HoverZone::Nothing);
  scene_.widgetRestriction = 2;
  EXPECT_EQ(at(firstButtonX, rotateY), HoverZone::Nothing);
  EXPECT_EQ(at(thirdButtonX, moveY), HoverZone::BoneMoveZ);
  scene_.widgetRestriction = 3;
  EXPECT_EQ(at(thirdButtonX, moveY), HoverZone::Nothing);
  scene_.cameraMode = true;
  EXPECT_EQ(at(firstButtonX, rotateY), HoverZone::CameraRotateX);
  EXPECT_EQ(at(thirdButtonX, moveY), HoverZone::CameraMoveZ);
  scene_.playing = true;
  EXPECT_EQ(at(firstButtonX, rotateY), HoverZone::Nothing);
}

TEST_F(HoverZones, GizmoZonesShowInTheirToolAndWinOverTheStrips) {
  scene_.gizmoScreenX = 700;  // back-buffer pixels: with ratio 1 the window centre is (800, 600)
  scene_.gizmoScreenY = 550;
  EXPECT_EQ(at(820, 600), HoverZone::Nothing) << "no gizmo without its tool";
  EXPECT_EQ(at(830, 625), HoverZone::BoneMoveY);
  scene_.editMode = EditMode::Rotate;
  EXPECT_EQ(at(820, 600), HoverZone::RotateGizmoHorizontalArms);
  EXPECT_EQ(at(807, 600), HoverZone::Nothing);
  EXPECT_EQ(at(800, 580), HoverZone::RotateGizmoVerticalArms);
  EXPECT_EQ(at(835, 600), HoverZone::Nothing) << "35 pixels out is neither arm nor ring";
  EXPECT_EQ(at(836, 600), HoverZone::RotateGizmoRing);
  EXPECT_EQ(at(845, 600), HoverZone::Nothing);
  EXPECT_EQ(at(830, 625), HoverZone::RotateGizmoRing) << "over the strip: the ring wins";
  scene_.editMode = EditMode::Move;
  EXPECT_EQ(at(850, 600), HoverZone::MoveGizmoRightArm);
  EXPECT_EQ(at(800, 550), HoverZone::MoveGizmoUpperArm);
  EXPECT_EQ(at(800, 600), HoverZone::MoveGizmoCentre);
  EXPECT_EQ(at(812, 600), HoverZone::Nothing);
  scene_.editMode = EditMode::GizmoDrag;
  EXPECT_EQ(at(850, 600), HoverZone::Nothing) << "no new zone during a drag";
}

}  // namespace
}  // namespace zv
