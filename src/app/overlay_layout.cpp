#include "app/overlay_layout.h"

#include <array>

namespace zv {

namespace {

// Each strip bitmap holds four rows of three buttons: highlighted, enabled, disabled, camera.
constexpr int kStripWidth = 119;
constexpr int kStripHeight = 29;
constexpr int kHighlightedRow = 0;
constexpr int kEnabledRow = 30;
constexpr int kDisabledRow = 60;
constexpr int kCameraRow = 90;

struct StripButton {
  int sourceLeft;
  int sourceRight;
  int offset;  // from the strip's left, before scaling
};
constexpr std::array<StripButton, 3> kStripButtons{{{0, 38, 0}, {44, 82, 44}, {82, 119, 82}}};

// Hover zones over the three buttons of each strip: the camera-mode zone, then the model-mode one.
using StripZones = std::array<std::array<HoverZone, 2>, 3>;
constexpr StripZones kRotateZones{{{HoverZone::CameraRotateX, HoverZone::BoneRotateX},
                                   {HoverZone::CameraRotateY, HoverZone::BoneRotateY},
                                   {HoverZone::CameraRotateZ, HoverZone::BoneRotateZ}}};
constexpr StripZones kMoveZones{{{HoverZone::CameraMoveX, HoverZone::BoneMoveX},
                                 {HoverZone::CameraMoveY, HoverZone::BoneMoveY},
                                 {HoverZone::CameraMoveZ, HoverZone::BoneMoveZ}}};

// Sprite offsets are whole pixels: every product with the scale truncates first.
int scaled(int pixels, float overlayScale) {
  return static_cast<int>(static_cast<float>(pixels) * overlayScale);
}

struct StripRows {
  int rotate;
  int move;
};

StripRows stripRows(const Scene& scene) {
  if (scene.cameraMode) {
    return {kCameraRow, kCameraRow};
  }
  switch (scene.widgetRestriction) {
    case 0:
      return {kEnabledRow, kEnabledRow};
    case 1:
      return {kEnabledRow, kDisabledRow};
    case 2:
      return {kDisabledRow, kEnabledRow};
    default:
      return {kDisabledRow, kDisabledRow};
  }
}

port::Rect stripSource(int row) {
  return {0, row, kStripWidth, row + kStripHeight};
}

void addHighlight(std::vector<SpriteOverlay>& overlays, OverlaySprite sprite, const StripZones& zones,
                  HoverZone hoverZone, int stripLeft, int stripTop, float overlayScale) {
  for (std::size_t button = 0; button < kStripButtons.size(); ++button) {
    if (hoverZone != zones[button][0] && hoverZone != zones[button][1]) {
      continue;
    }
    const StripButton& place = kStripButtons[button];
    overlays.push_back(
        {sprite,
         {place.sourceLeft, kHighlightedRow, place.sourceRight, kHighlightedRow + kStripHeight},
         stripLeft + scaled(place.offset, overlayScale),
         stripTop});
  }
}

}  // namespace

std::vector<SpriteOverlay> spriteOverlays(const Scene& scene, int width, int height, float overlayScale,
                                          std::optional<port::Point> centreMarker) {
  std::vector<SpriteOverlay> overlays;
  const float s = overlayScale;
  if (scene.cameraMode && !scene.playing && centreMarker) {
    overlays.push_back({OverlaySprite::Bone,
                        {32, 0, 48, 16},
                        centreMarker->x - scaled(7, s),
                        centreMarker->y - scaled(7, s)});
  }
  if (!(scene.cameraMode && scene.playing)) {
    overlays.push_back({OverlaySprite::Scale, {0, 0, 54, 25}, width - scaled(60, s), scaled(10, s)});
  }
  if (scene.playing) {
    return overlays;
  }
  const StripRows rows = stripRows(scene);
  const int stripLeft = width - scaled(130, s);
  const int rotateTop = height - scaled(80, s);
  const int moveTop = height - scaled(40, s);
  overlays.push_back({OverlaySprite::Roll, stripSource(rows.rotate), stripLeft, rotateTop});
  overlays.push_back({OverlaySprite::Move, stripSource(rows.move), stripLeft, moveTop});
  addHighlight(overlays, OverlaySprite::Roll, kRotateZones, scene.hoverZone, stripLeft, rotateTop, s);
  addHighlight(overlays, OverlaySprite::Move, kMoveZones, scene.hoverZone, stripLeft, moveTop, s);
  return overlays;
}

}  // namespace zv
