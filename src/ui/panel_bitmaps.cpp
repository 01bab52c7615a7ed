#include "ui/panel_bitmaps.h"

namespace zv {
namespace {

constexpr port::Colour kGridBackground{19, 19, 19};
constexpr port::Colour kRulerBrown{166, 124, 82};
constexpr port::Colour kCorner{60, 60, 60};
constexpr port::Colour kRowLineInKeys{160, 65, 13};
constexpr port::Colour kBlack{0, 0, 0};
constexpr int kRowAreaTop = 15;
constexpr int kRowAreaBottom = 1400;

// One-pixel horizontal line from x `from` up to, not including, `to`.
void rowLine(port::Canvas& canvas, int y, int from, int to, port::Colour colour) {
  canvas.fill({from, y, to, y + 1}, colour);
}

void paintFrameEditorBackground(port::Canvas& canvas) {
  canvas.fill({0, 0, kFrameEditorWidth, kFrameEditorHeight}, kGridBackground);
  canvas.fill({1, kRowAreaTop, 63, kRowAreaBottom}, kRulerBrown);
  canvas.fill({63, 1, kFrameEditorWidth, kRowAreaTop}, kRulerBrown);
  canvas.fill({0, 0, 62, kRowAreaTop}, kCorner);
  for (int y = kRowAreaTop; y < kRowAreaBottom; y += kRowPitch) {
    rowLine(canvas, y, 1, 63, kBlack);
    rowLine(canvas, y, kRowNameWidth, kFrameEditorWidth, kRowLineInKeys);
  }
}

}  // namespace

void createPanelBitmaps(PanelBitmaps& bitmaps) {
  bitmaps.frameEditorBackground = port::Canvas(kFrameEditorWidth, kFrameEditorHeight);
  paintFrameEditorBackground(bitmaps.frameEditorBackground);
  bitmaps.frameEditor = bitmaps.frameEditorBackground;
  bitmaps.wavStrip = port::Canvas(kWavStripWidth, kWavStripHeight);
  bitmaps.wavStrip.fill({0, 0, kWavStripWidth, kWavStripHeight}, kBlack);
  bitmaps.preview = port::Canvas(kPreviewSize, kPreviewSize);
  bitmaps.preview.fill({0, 0, kPreviewSize, kPreviewSize}, {255, 255, 255});
}

}  // namespace zv
