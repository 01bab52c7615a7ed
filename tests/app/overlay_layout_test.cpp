#include "app/overlay_layout.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

void expectOverlay(const SpriteOverlay& overlay, OverlaySprite sprite, port::Rect source, int x, int y) {
  EXPECT_EQ(overlay.sprite, sprite);
  EXPECT_EQ(overlay.source, source);
  EXPECT_EQ(overlay.x, x);
  EXPECT_EQ(overlay.y, y);
}

TEST(OverlayLayout, CameraModeDrawsMarkerIconAndCameraStripsInOrder) {
  Scene scene;
  const std::vector<SpriteOverlay> overlays =
      spriteOverlays(scene, kWidth, kHeight, 1.0f, port::Point{100, 200});
  ASSERT_EQ(overlays.size(), 4u);
  expectOverlay(overlays[0], OverlaySprite::Bone, {32, 0, 48, 16}, 93, 193);
  expectOverlay(overlays[1], OverlaySprite::Scale, {0, 0, 54, 25}, 964, 10);
  expectOverlay(overlays[2], OverlaySprite::Roll, {0, 90, 119, 119}, 894, 688);
  expectOverlay(overlays[3], OverlaySprite::Move, {0, 90, 119, 119}, 894, 728);
  // The camera variant does not depend on the restriction, and no marker is drawn without a point.
  scene.widgetRestriction = 3;
  const std::vector<SpriteOverlay> unmarked = spriteOverlays(scene, kWidth, kHeight, 1.0f, std::nullopt);
  ASSERT_EQ(unmarked.size(), 3u);
  expectOverlay(unmarked[0], OverlaySprite::Scale, {0, 0, 54, 25}, 964, 10);
  EXPECT_EQ(unmarked[1].source, (port::Rect{0, 90, 119, 119}));
}

TEST(OverlayLayout, PlayingDrawsOnlyTheIconAndNothingAtAllInCameraMode) {
  Scene scene;
  scene.playing = true;
  scene.hoverZone = HoverZone::BoneRotateX;
  EXPECT_TRUE(spriteOverlays(scene, kWidth, kHeight, 1.0f, port::Point{100, 200}).empty());
  scene.cameraMode = false;
  const std::vector<SpriteOverlay> overlays =
      spriteOverlays(scene, kWidth, kHeight, 1.0f, port::Point{100, 200});
  ASSERT_EQ(overlays.size(), 1u);
  EXPECT_EQ(overlays[0].sprite, OverlaySprite::Scale);
}

TEST(OverlayLayout, ModelModeStripRowsFollowTheRestriction) {
  Scene scene;
  scene.cameraMode = false;
  const int rows[4][2] = {{30, 30}, {30, 60}, {60, 30}, {60, 60}};
  for (int restriction = 0; restriction < 4; ++restriction) {
    SCOPED_TRACE(restriction);
    scene.widgetRestriction = restriction;
    const std::vector<SpriteOverlay> overlays =
        spriteOverlays(scene, kWidth, kHeight, 1.0f, port::Point{1, 1});
    ASSERT_EQ(overlays.size(), 3u);  // no centre marker in model mode
    expectOverlay(overlays[1], OverlaySprite::Roll, {0, rows[restriction][0], 119, rows[restriction][0] + 29},
                  894, 688);
    expectOverlay(overlays[2], OverlaySprite::Move, {0, rows[restriction][1], 119, rows[restriction][1] + 29},
                  894, 728);
  }
}

TEST(OverlayLayout, HoverZonesHighlightOneButtonFromRowZero) {
  Scene scene;
  struct Case {
    bool cameraMode;
    HoverZone zone;
    OverlaySprite sprite;
    port::Rect source;
    int x, y;
  };
  const Case cases[] = {
      {true, HoverZone::CameraRotateX, OverlaySprite::Roll, {0, 0, 38, 29}, 894, 688},
      {false, HoverZone::BoneRotateY, OverlaySprite::Roll, {44, 0, 82, 29}, 938, 688},
      {true, HoverZone::CameraRotateZ, OverlaySprite::Roll, {82, 0, 119, 29}, 976, 688},
      {false, HoverZone::BoneMoveX, OverlaySprite::Move, {0, 0, 38, 29}, 894, 728},
      {true, HoverZone::CameraMoveY, OverlaySprite::Move, {44, 0, 82, 29}, 938, 728},
      {false, HoverZone::CameraMoveZ, OverlaySprite::Move, {82, 0, 119, 29}, 976, 728},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.zone));
    scene.cameraMode = c.cameraMode;
    scene.hoverZone = c.zone;
    // Even a restriction that disables both strips keeps the highlight.
    scene.widgetRestriction = 3;
    const std::vector<SpriteOverlay> overlays = spriteOverlays(scene, kWidth, kHeight, 1.0f, std::nullopt);
    ASSERT_EQ(overlays.size(), 4u);
    expectOverlay(overlays[3], c.sprite, c.source, c.x, c.y);
  }
  for (HoverZone zone : {HoverZone::Nothing, HoverZone::ZoomIcon, HoverZone::PanIcon,
                         HoverZone::RotateGizmoHorizontalArms, HoverZone::MoveGizmoCentre}) {
    scene.hoverZone = zone;
    EXPECT_EQ(spriteOverlays(scene, kWidth, kHeight, 1.0f, std::nullopt).size(), 3u)
        << static_cast<int>(zone);
  }
}

TEST(OverlayLayout, ScaledPositionsTruncateEachProduct) {
  Scene scene;
  scene.hoverZone = HoverZone::CameraRotateZ;
  const std::vector<SpriteOverlay> overlays =
      spriteOverlays(scene, kWidth, kHeight, 0.75f, port::Point{100, 200});
  ASSERT_EQ(overlays.size(), 5u);
  expectOverlay(overlays[0], OverlaySprite::Bone, {32, 0, 48, 16}, 95, 195);     // 7 x 0.75 = 5.25
  expectOverlay(overlays[1], OverlaySprite::Scale, {0, 0, 54, 25}, 979, 7);      // 60 x 0.75, 10 x 0.75 = 7.5
  expectOverlay(overlays[2], OverlaySprite::Roll, {0, 90, 119, 119}, 927, 708);  // 130 x 0.75 = 97.5
  expectOverlay(overlays[3], OverlaySprite::Move, {0, 90, 119, 119}, 927, 738);
  expectOverlay(overlays[4], OverlaySprite::Roll, {82, 0, 119, 29}, 988, 708);  // 82 x 0.75 = 61.5
  const std::vector<SpriteOverlay> half = spriteOverlays(scene, kWidth, kHeight, 0.5f, std::nullopt);
  expectOverlay(half[0], OverlaySprite::Scale, {0, 0, 54, 25}, 994, 5);
  expectOverlay(half[1], OverlaySprite::Roll, {0, 90, 119, 119}, 959, 728);
  expectOverlay(half[2], OverlaySprite::Move, {0, 90, 119, 119}, 959, 748);
  expectOverlay(half[3], OverlaySprite::Roll, {82, 0, 119, 29}, 1000, 728);
}

}  // namespace
}  // namespace zv
