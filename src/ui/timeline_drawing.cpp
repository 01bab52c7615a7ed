#include "ui/timeline_drawing.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include "files/image/bmp_reader.h"
#include "ui/control_ids.h"
#include "ui/curve_box.h"

namespace zv {
namespace {

constexpr port::Colour kCurrentFrameColour{150, 255, 150};
constexpr port::Colour kFifthFrameText{60, 60, 60};
constexpr port::Colour kFifthFrameLine{150, 150, 255};
constexpr port::Colour kPlainLine{50, 50, 50};
constexpr std::string_view kFace = "IPAPGothic";
constexpr int kFrameNumberHeight = 12;

enum class Mark { Key = 0, ClosedKey = 11, Selected = 22, SelectedClosed = 33 };

// Draws marks into the grid and notes what each cell holds.
class GridPainter {
 public:
  GridPainter(Panels& panels, std::uint32_t firstFrame, int columns)
      : canvas_(panels.bitmaps.frameEditor),
        marks_(panels.bitmaps.keyMarks),
        hits_(panels.timeline.hits),
        first_(firstFrame),
        columns_(columns) {}

  // Walks the track headed by `head` while its keys are before the last column and hands every
  // key in view to `place` with its column. Broken links from a bad file end the walk.
  template <typename Record, typename Place>
  void walk(const KeyPool<Record>& pool, std::uint32_t head, Place place) const {
    std::uint32_t index = head;
    for (std::uint32_t steps = 0; steps < pool.capacity(); ++steps) {
      const Record& key = pool[index];
      if (key.frame >= first_ + static_cast<std::uint32_t>(columns_)) {
        return;
      }
      if (key.frame >= first_) {
        place(index, static_cast<int>(key.frame - first_), key.selected);
      }
      if (key.next == 0 || key.next >= pool.capacity()) {
        return;
      }
      index = key.next;
    }
  }

  // A key on an open row (or a track that is never grouped): every key is drawn.
  template <typename Record>
  void track(const KeyPool<Record>& pool, std::uint32_t head, int row, HitTable& table) {
    if (row < 0 || row >= kTimelineRows) {
      return;
    }
    walk(pool, head, [&](std::uint32_t index, int column, bool selected) {
      mark(column, row, selected ? Mark::Selected : Mark::Key);
      table.at(column, row) = cellValue(pool, index);
    });
  }

  // A track on the row table's row: negative rows belong to a closed group, whose selected keys
  // stay on top of its unselected ones.
  template <typename Record>
  void groupedTrack(const KeyPool<Record>& pool, std::uint32_t head, int tableRow, HitTable& table,
                    int headBone = -1) {
    const int row = std::abs(tableRow);
    if (row >= kTimelineRows) {
      return;
    }
    const bool closed = tableRow < 0;
    walk(pool, head, [&](std::uint32_t index, int column, bool selected) {
      std::int32_t& flagged = hits_.selectedClosed.at(column, row);
      if (closed && !selected && flagged) {
        return;
      }
      if (closed && selected) {
        flagged = 1;
      }
      const Mark shape = closed ? (selected ? Mark::SelectedClosed : Mark::ClosedKey)
                                : (selected ? Mark::Selected : Mark::Key);
      mark(column, row, shape);
      table.at(column, row) = cellValue(pool, index);
      if (headBone >= 0 && pool.isHead(index)) {
        hits_.headBone.at(column, row) = headBone;
      }
    });
  }

 private:
  template <typename Record>
  static std::int32_t cellValue(const KeyPool<Record>& pool, std::uint32_t index) {
    return pool.isHead(index) && (index == 0 || std::is_same_v<Record, BoneKey>)
               ? kHeadKeyCell
               : static_cast<std::int32_t>(index);
  }

  void mark(int column, int row, Mark shape) {
    const int x = kFirstKeyMarkX + kColumnPitch * column;
    const int y = kRowNamesTop + kRowPitch * row;
    const int source = static_cast<int>(shape);
    if (marks_.width() < source + kKeyMarkSize) {
      return;
    }
    canvas_.draw({x, y, x + kKeyMarkSize, y + kKeyMarkSize}, marks_,
                 {source, 0, source + kKeyMarkSize, kKeyMarkSize});
  }

  port::Canvas& canvas_;
  const port::Canvas& marks_;
  TimelineHits& hits_;
  std::uint32_t first_;
  int columns_;
};

void drawColumns(port::Canvas& canvas, const Scene& scene, std::uint32_t first, int columns) {
  for (int k = 0; k < columns; ++k) {
    const std::uint32_t frame = first + static_cast<std::uint32_t>(k);
    const int x = kFirstColumnLineX + kColumnPitch * k;
    port::Colour line = kPlainLine;
    char number[16];
    std::snprintf(number, sizeof number, "%-4u", frame);
    if (frame == scene.currentFrame) {
      canvas.text(number, kFace, kFrameNumberHeight, x - 3, kFrameNumberY, kCurrentFrameColour);
      line = kCurrentFrameColour;
    } else if (frame % 5 == 0) {
      canvas.text(number, kFace, kFrameNumberHeight, x - 3, kFrameNumberY, kFifthFrameText);
      line = kFifthFrameLine;
    }
    canvas.fill({x, kColumnLineTop, x + 1, kColumnLineBottom}, line);
  }
}

void drawCameraModeKeys(const Scene& scene, const RowTable& rows, GridPainter& painter, TimelineHits& hits) {
  painter.track(scene.cameraKeyPool, 0, 0, hits.camera);
  painter.track(scene.lightKeyPool, 0, 1, hits.light);
  for (int i = 0; i + 2 < kTimelineRows; ++i) {
    const int slot = rows.accessorySlots[static_cast<std::size_t>(i)];
    if (slot >= 0 && slot < kMaxAccessories) {
      painter.track(scene.accessoryKeyPools[static_cast<std::size_t>(slot)], 0, i + 2, hits.accessory);
    }
  }
}

void drawModelModeKeys(const Model& model, const RowTable& rows, GridPainter& painter, TimelineHits& hits) {
  if (rows.displayIkRow > 0) {
    painter.track(model.displayIkKeyPool, 0, rows.displayIkRow, hits.displayIk);
  }
  for (std::size_t m = 1; m < rows.morphRows.size() && m < model.morphKeyPool.headCount(); ++m) {
    if (rows.morphRows[m] != 0) {
      painter.groupedTrack(model.morphKeyPool, static_cast<std::uint32_t>(m), rows.morphRows[m], hits.morph);
    }
  }
  for (std::size_t b = 0; b < rows.boneRows.size() && b < model.boneKeyPool.headCount(); ++b) {
    if (rows.boneRows[b] != 0 || b == 0) {
      painter.groupedTrack(model.boneKeyPool, static_cast<std::uint32_t>(b), rows.boneRows[b], hits.bone,
                           static_cast<int>(b));
    }
  }
}

const Model* shownModel(const Scene& scene) {
  const Model* model = scene.modelSlots[scene.currentModel].get();
  return scene.cameraMode ? nullptr : model;
}

}  // namespace

int timelineColumns(int panelWidth) {
  return std::clamp((panelWidth - 84) / kColumnPitch, 0, kMaxTimelineColumns);
}

bool loadKeyMarks(PanelBitmaps& bitmaps, const std::filesystem::path& programFolder) {
  std::string error;
  const std::optional<RgbaImage> image = readBmpFile(programFolder / kKeyMarksFile, error);
  if (!image || image->width < 4 * kKeyMarkSize || image->height < kKeyMarkSize) {
    return false;
  }
  bitmaps.keyMarks = port::Canvas(image->width, image->height, image->pixels);
  return true;
}

void drawTimelineGrid(const Scene& scene, Panels& panels) {
  TimelineState& timeline = panels.timeline;
  port::Canvas& canvas = panels.bitmaps.frameEditor;
  const port::Rect grid{kFirstKeyMarkX, 0, kFrameEditorWidth, kFrameEditorHeight};
  canvas.draw(grid, panels.bitmaps.frameEditorBackground, grid);
  const int columns = timelineColumns(scene.panelWidth);
  drawColumns(canvas, scene, timeline.firstVisibleFrame, columns);
  timeline.hits = TimelineHits{};
  GridPainter painter(panels, timeline.firstVisibleFrame, columns);
  if (scene.cameraMode) {
    drawCameraModeKeys(scene, panels.rows, painter, timeline.hits);
  } else if (const Model* model = shownModel(scene)) {
    drawModelModeKeys(*model, panels.rows, painter, timeline.hits);
  }
}

void setFrameScrollBar(port::Ui& ui, const Scene& scene, const TimelineState& timeline) {
  const std::int64_t columns = timelineColumns(scene.panelWidth);
  const Model* model = shownModel(scene);
  const std::int64_t lastFrame = model ? model->lastFrame : scene.lastFrame;
  const std::int64_t maximum =
      std::max({static_cast<std::int64_t>(timeline.firstVisibleFrame) + columns, lastFrame + 1,
                static_cast<std::int64_t>(scene.currentFrame) + columns / 2}) -
      1;
  ui.setControlPage(kFrameScrollBar, static_cast<int>(columns));
  ui.setControlRange(kFrameScrollBar, 0, static_cast<int>(std::min<std::int64_t>(maximum, INT32_MAX)));
  ui.setControlPosition(kFrameScrollBar, static_cast<int>(timeline.firstVisibleFrame));
}

void drawTimeline(const Scene& scene, Panels& panels, port::Ui& ui) {
  drawTimelineGrid(scene, panels);
  setFrameScrollBar(ui, scene, panels.timeline);
  refreshCurveBox(scene, panels, ui);
  ui.repaint();
}

}  // namespace zv
