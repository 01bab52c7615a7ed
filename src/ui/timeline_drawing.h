// The frame editor's key grid: frame numbers and column lines over the prepared background, a mark
// for every key in view on its row, the hit tables behind them and the frame scroll bar.
#pragma once

#include <cstdint>
#include <filesystem>

#include "port/ui.h"
#include "scene/document/scene.h"
#include "ui/panels.h"

namespace zv {

inline constexpr std::string_view kKeyMarksFile = "Data/keymarks.bmp";
inline constexpr int kColumnPitch = 13;
inline constexpr int kFirstColumnLineX = 67;  // in the frame-editor bitmap; 73 in the window
inline constexpr int kFirstKeyMarkX = 62;     // 68 in the window
inline constexpr int kKeyMarkSize = 11;
inline constexpr int kFrameNumberY = 3;
inline constexpr int kColumnLineTop = 16;
inline constexpr int kColumnLineBottom = 756;

// Columns the grid shows at a panel width: (width - 84) / 13, at most 70.
int timelineColumns(int panelWidth);

// Reads the four 11 x 11 key marks (key, closed-group key, selected, selected closed-group).
bool loadKeyMarks(PanelBitmaps& bitmaps, const std::filesystem::path& programFolder);

// The grid into the working bitmap and the hit tables, for the scene's mode and the row table.
void drawTimelineGrid(const Scene& scene, Panels& panels);

// The frame scroll bar: page = columns, position = first frame, maximum = the largest of the
// first frame + columns, the last keyed frame + 1 and the current frame + half a page, minus 1.
void setFrameScrollBar(port::Ui& ui, const Scene& scene, const TimelineState& timeline);

// The grid, the scroll bar, the curve box and a repaint: after every change of frame, selection, keys, mode
// or layout.
void drawTimeline(const Scene& scene, Panels& panels, port::Ui& ui);

}  // namespace zv
