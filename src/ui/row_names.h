// The row-name column of the frame editor and the row table behind it: which bone, morph, group,
// track or prop each row shows. Camera mode lists the camera, the light and the props; model mode
// lists bone 0, then every bone display group with its members while it is open. The first rows
// (camera and light, or bone 0) stay put; the rest scroll.
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "port/ui.h"
#include "scene/document/scene.h"
#include "ui/panel_bitmaps.h"

namespace zv {

inline constexpr int kMaxShownRows = 52;   // scrolling rows drawn at most
inline constexpr int kRowNamesTop = 17;    // y of the first row's text in the frame-editor bitmap
inline constexpr int kFaceGroup = 2;       // the morph group, present when the model lists morphs
inline constexpr int kDisplayIkGroup = 1;  // the display and IK track's group

struct ShownRow {
  std::string name;          // UTF-8
  std::string mark;          // "－" for an open group, "＋" for a closed one, empty otherwise
  int x = 1;                 // left edge of the name
  bool highlighted = false;  // red: a selected bone, or a closed group holding one
  int bone = -1;             // bone shown on the row, -1 none
  int group = 0;             // group the row opens or closes, 0 none
};

struct RowTable {
  int rowCount = 0;                               // rows the mode lists, shown or scrolled away
  std::vector<ShownRow> shown;                    // rows drawn, top to bottom; row r sits at y 17 + 14 r
  std::array<int, kMaxShownRows> accessorySlots;  // camera mode: slot of the i-th prop row, -1 none
  // Model mode, per bone and per morph: its shown row, 0 when not shown (bone 0 is always on row
  // 0), the negated row of its group when the group is closed.
  std::vector<int> boneRows;
  std::vector<int> morphRows;
  int displayIkRow = 0;  // row of the display and IK track, 0 when scrolled away
  RowTable() { accessorySlots.fill(-1); }
};

// A prop as the accessory list shows it.
struct ListedAccessory {
  int slot = 0;
  std::string name;  // CP932
};

// The largest first row the scroll may show: the rows but the last two, never below 0.
int maxRowScroll(int rowCount);

RowTable cameraModeRows(std::span<const ListedAccessory> accessories, int scroll);
RowTable modelModeRows(const Model& model, int scroll);

// The row table of the scene's mode, drawn into the working bitmap's name column (the column is
// first restored from the background). The scroll in use is clamped into range.
RowTable buildRowNames(Scene& scene, std::span<const ListedAccessory> accessories, PanelBitmaps& bitmaps);

// Where a row scroll moves the first shown row: line and page steps, the dragged thumb (relative
// to the bar's position); every other code leaves it. The result is clamped to the rows.
int scrolledRow(int current, port::ScrollCode code, int thumb, const port::ControlState& bar, int page,
                int rowCount);

}  // namespace zv
