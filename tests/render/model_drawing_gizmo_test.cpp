#include <gtest/gtest.h>

#include "model_drawing_scene.h"
#include "render/gizmo_drawing.h"
#include "render_fixture.h"

namespace zv::test {
namespace {

TEST(GizmoQuad, SpansWindowPixelsAroundTheBoneAndPicksTheHoveredQuarter) {
  using enum HoverZone;
  GizmoView rotate{.editMode = EditMode::Rotate,
                   .hoverZone = Nothing,
                   .screenX = 100,
                   .screenY = 80,
                   .xRatio = 2,
                   .yRatio = 0.5f};
  std::optional<GizmoQuad> quad = gizmoQuad(rotate, 1.0f);
  ASSERT_TRUE(quad.has_value());
  // One window pixel is s / xRatio = 0.5 across and s / yRatio = 2 down.
  EXPECT_FLOAT_EQ(quad->left, 77.5f);
  EXPECT_FLOAT_EQ(quad->right, 122.5f);
  EXPECT_FLOAT_EQ(quad->top, -10.0f);
  EXPECT_FLOAT_EQ(quad->bottom, 170.0f);
  EXPECT_EQ((std::array{quad->u0, quad->v0, quad->u1, quad->v1}), (std::array{0.0f, 0.0f, 0.5f, 0.5f}));

  const GizmoView move{.editMode = EditMode::Move,
                       .hoverZone = Nothing,
                       .screenX = 100,
                       .screenY = 80,
                       .xRatio = 1,
                       .yRatio = 1};
  quad = gizmoQuad(move, 2.0f);
  ASSERT_TRUE(quad.has_value());
  EXPECT_FLOAT_EQ(quad->left, 74.0f);
  EXPECT_FLOAT_EQ(quad->right, 224.0f);
  EXPECT_FLOAT_EQ(quad->top, -54.0f);
  EXPECT_FLOAT_EQ(quad->bottom, 96.0f);

  const std::pair<HoverZone, std::array<float, 2>> zones[] = {{RotateGizmoHorizontalArms, {0, 0.5f}},
                                                              {MoveGizmoRightArm, {0, 0.5f}},
                                                              {RotateGizmoVerticalArms, {0.5f, 0}},
                                                              {MoveGizmoUpperArm, {0.5f, 0}},
                                                              {RotateGizmoRing, {0.5f, 0.5f}},
                                                              {MoveGizmoCentre, {0.5f, 0.5f}},
                                                              {BoneRotateX, {0, 0}}};
  for (const auto& [zone, corner] : zones) {
    rotate.hoverZone = zone;
    quad = gizmoQuad(rotate, 1.0f);
    EXPECT_EQ((std::array{quad->u0, quad->v0}), corner) << static_cast<int>(zone);
    EXPECT_FLOAT_EQ(quad->u1 - quad->u0, 0.5f);
    EXPECT_FLOAT_EQ(quad->v1 - quad->v0, 0.5f);
  }
  for (const EditMode mode : {EditMode::Select, EditMode::BoxSelect, EditMode::None, EditMode::GizmoDrag}) {
    rotate.editMode = mode;
    EXPECT_EQ(gizmoQuad(rotate, 1.0f), std::nullopt) << static_cast<int>(mode);
  }
}

class Gizmos : public RenderTest {
 protected:
  void TearDown() override {
    tearDownDemoScene(scene_);
    RenderTest::TearDown();
  }
  DemoScene scene_;
};

TEST_F(Gizmos, RotateAndMoveGizmosShowEachHighlightedQuarterOverTheModel) {
  ASSERT_TRUE(makeDevice(400, 200));
  ASSERT_TRUE(setUpDemoScene(device_, scene_));
  clearToWhite(device_);
  const float s = device_.overlayScale;
  int column = 0;
  using enum HoverZone;
  for (const HoverZone zone :
       {Nothing, RotateGizmoHorizontalArms, RotateGizmoVerticalArms, RotateGizmoRing}) {
    drawGizmo(device_, scene_.textures, scene_.resources,
              {.editMode = EditMode::Rotate,
               .hoverZone = zone,
               .screenX = 50.0f + 100 * column++,
               .screenY = 50,
               .xRatio = s,
               .yRatio = s});
  }
  column = 0;
  for (const HoverZone zone : {Nothing, MoveGizmoRightArm, MoveGizmoUpperArm, MoveGizmoCentre}) {
    drawGizmo(device_, scene_.textures, scene_.resources,
              {.editMode = EditMode::Move,
               .hoverZone = zone,
               .screenX = 30.0f + 100 * column++,
               .screenY = 170,
               .xRatio = s,
               .yRatio = s});
  }
  EXPECT_FALSE(device_.state.alphaBlend);
  EXPECT_TRUE(device_.state.depthTest);
  expectMatchesReference("render_model_gizmos");
}

TEST_F(Gizmos, TripodShowsTheSelectedBonesAxesOnlyOverTheRotateButtons) {
  ASSERT_TRUE(makeDevice(160, 200));
  ASSERT_TRUE(setUpDemoScene(device_, scene_));
  Model& model = scene_.model;
  const std::size_t arm = 12;
  model.selectedBone = static_cast<std::int32_t>(arm);
  const Mat4 world;
  clearToWhite(device_);
  drawTripod(device_, scene_.resources, model, world, true, HoverZone::MoveGizmoCentre);
  drawTripod(device_, scene_.resources, model, world, false, HoverZone::BoneRotateY);
  model.selectedBone = -1;
  drawTripod(device_, scene_.resources, model, world, true, HoverZone::BoneRotateY);
  const RgbaImage untouched = readBackBuffer(device_);
  for (int y = 0; y < untouched.height; ++y) {
    for (int x = 0; x < untouched.width; ++x) {
      ASSERT_EQ(pixelAt(untouched, x, y), 0xFFFFFFu) << x << "," << y;
    }
  }
  model.selectedBone = static_cast<std::int32_t>(arm);
  drawTripod(device_, scene_.resources, model, world, true, HoverZone::BoneRotateX);
  EXPECT_TRUE(device_.state.depthTest);
  EXPECT_FALSE(device_.state.lighting);
  expectMatchesReference("render_model_tripod");
}

}  // namespace
}  // namespace zv::test
