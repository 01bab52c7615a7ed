// The panels' off-screen bitmaps, made once with the window: the frame editor's prepared
// background and the working copy the rows and keys are drawn on, the WAV strip and the
// interpolation preview.
#pragma once

#include "port/canvas/canvas.h"

namespace zv {

inline constexpr int kFrameEditorWidth = 1000;
inline constexpr int kFrameEditorHeight = 1416;
inline constexpr int kRowNameWidth = 64;  // the row-name column at the left of the frame editor
inline constexpr int kRowPitch = 14;      // pixels per frame-editor row
inline constexpr int kWavStripWidth = 1000;
inline constexpr int kWavStripHeight = 50;
inline constexpr int kPreviewSize = 128;

struct PanelBitmaps {
  port::Canvas frameEditorBackground{0, 0};
  port::Canvas frameEditor{0, 0};  // working copy: row names and keys over the background
  port::Canvas wavStrip{0, 0};
  port::Canvas preview{0, 0};
  port::Canvas keyMarks{0, 0};  // four 11 x 11 key marks side by side; empty when Data lacks them
};

// Makes the bitmaps and paints the frame editor's background grid, then copies it to the
// working bitmap.
void createPanelBitmaps(PanelBitmaps& bitmaps);

}  // namespace zv
