#include "ui/row_names.h"

#include <algorithm>

#include "port/text.h"

namespace zv {
namespace {

constexpr port::Colour kNameColour{0, 0, 0};
constexpr port::Colour kSelectedColour{255, 100, 100};
constexpr const char* kFace = "IPAPGothic";
constexpr int kFontHeight = 12;
constexpr int kMemberX = 15;
constexpr int kGroupNameX = 12;

// Numbers the scrolling rows as they are listed and keeps the ones that fall in view.
class RowCounter {
 public:
  RowCounter(RowTable& table, int scroll, int limit) : table_(table), scroll_(scroll), limit_(limit) {}

  // Lists the next scrolling row; returns the row it is shown on, or 0 when it is not shown.
  int add(ShownRow row) {
    const int listed = listed_++;
    if (listed < scroll_ || listed - scroll_ >= limit_) {
      return 0;
    }
    table_.shown.push_back(std::move(row));
    return static_cast<int>(table_.shown.size()) - 1;
  }
  int listed() const { return listed_; }

 private:
  RowTable& table_;
  int scroll_;
  int limit_;  // scrolling rows shown at most
  int listed_ = 0;
};

bool boneSelected(const Model& model, int bone) {
  return static_cast<std::size_t>(bone) < model.boneSelected.size() && model.boneSelected[bone] != 0;
}

bool anySelected(const Model& model, std::span<const int> bones) {
  return std::any_of(bones.begin(), bones.end(), [&](int bone) { return boneSelected(model, bone); });
}

std::vector<int> groupBones(const Model& model, int group) {
  std::vector<int> bones;
  for (const BoneListEntry& entry : model.boneList) {
    if (entry.group == group) {
      bones.push_back(entry.boneIndex);
    }
  }
  return bones;
}

bool hasFaceGroup(const Model& model) {
  return !model.morphList.empty() && model.groupNames.size() > kFaceGroup;
}

// The member rows of an open group: morphs for the face group, bones for the rest.
void listOpenMembers(const Model& model, int group, RowCounter& rows, RowTable& table) {
  if (group == kFaceGroup && hasFaceGroup(model)) {
    for (const MorphListEntry& entry : model.morphList) {
      ShownRow row{port::cp932ToUtf8(entry.name), "", kMemberX};
      table.morphRows[entry.morphIndex] = rows.add(std::move(row));
    }
    return;
  }
  for (int bone : groupBones(model, group)) {
    ShownRow row{port::cp932ToUtf8(model.bones[bone].name), "", kMemberX, boneSelected(model, bone), bone};
    table.boneRows[bone] = rows.add(std::move(row));
  }
}

void markClosedMembers(const Model& model, int group, int groupRow, RowTable& table) {
  if (group == kFaceGroup && hasFaceGroup(model)) {
    for (const MorphListEntry& entry : model.morphList) {
      table.morphRows[entry.morphIndex] = -groupRow;
    }
    return;
  }
  for (int bone : groupBones(model, group)) {
    table.boneRows[bone] = -groupRow;
  }
}

}  // namespace

int maxRowScroll(int rowCount) {
  return std::max(0, rowCount - 2);
}

RowTable cameraModeRows(std::span<const ListedAccessory> accessories, int scroll) {
  RowTable table;
  table.shown.push_back({"カメラ", "", 1});
  table.shown.push_back({"照明", "", 1});
  int shownProps = 0;
  for (std::size_t i = static_cast<std::size_t>(std::max(scroll, 0)); i < accessories.size(); ++i) {
    if (shownProps == kMaxShownRows) {
      break;
    }
    table.shown.push_back({port::cp932ToUtf8(accessories[i].name), "", 1});
    table.accessorySlots[static_cast<std::size_t>(shownProps++)] = accessories[i].slot;
  }
  table.rowCount = 1 + static_cast<int>(accessories.size());
  return table;
}

RowTable modelModeRows(const Model& model, int scroll) {
  RowTable table;
  table.boneRows.assign(model.bones.size(), 0);
  table.morphRows.assign(model.morphs.size(), 0);
  table.shown.push_back({port::cp932ToUtf8(model.bones[0].name), "", 1, boneSelected(model, 0), 0});
  // Bone 0's fixed row counts against the rows shown.
  RowCounter rows(table, scroll, kMaxShownRows - 1);
  for (std::size_t g = kDisplayIkGroup; g < model.groupNames.size(); ++g) {
    const int group = static_cast<int>(g);
    const GroupName& name = model.groupNames[g];
    const bool closedWithSelection = !name.open && anySelected(model, groupBones(model, group));
    ShownRow header{
        port::cp932ToUtf8(name.name), name.open ? "－" : "＋", kGroupNameX, closedWithSelection, -1, group};
    const int groupRow = rows.add(std::move(header));
    if (group == kDisplayIkGroup) {
      table.displayIkRow = groupRow;
    }
    if (name.open) {
      listOpenMembers(model, group, rows, table);
    } else {
      markClosedMembers(model, group, groupRow, table);
    }
  }
  table.boneRows[0] = 0;
  table.rowCount = 1 + rows.listed();
  return table;
}

RowTable buildRowNames(Scene& scene, std::span<const ListedAccessory> accessories, PanelBitmaps& bitmaps) {
  RowTable table;
  Model* model = currentModel(scene);
  if (scene.cameraMode || !model) {
    const int rowCount = 1 + static_cast<int>(accessories.size());
    scene.cameraRowScroll = std::clamp(scene.cameraRowScroll, 0, maxRowScroll(rowCount));
    table = cameraModeRows(accessories, scene.cameraRowScroll);
  } else {
    model->rowScroll = std::clamp(model->rowScroll, 0, maxRowScroll(modelModeRows(*model, 0).rowCount));
    table = modelModeRows(*model, model->rowScroll);
  }
  port::Canvas& canvas = bitmaps.frameEditor;
  const port::Rect column{0, 0, kRowNameWidth, kFrameEditorHeight};
  canvas.draw(column, bitmaps.frameEditorBackground, column);
  for (std::size_t r = 0; r < table.shown.size(); ++r) {
    const ShownRow& row = table.shown[r];
    const int y = kRowNamesTop + kRowPitch * static_cast<int>(r);
    const port::Colour colour = row.highlighted ? kSelectedColour : kNameColour;
    if (!row.mark.empty()) {
      canvas.text(row.mark, kFace, kFontHeight, 1, y, colour);
    }
    canvas.text(row.name, kFace, kFontHeight, row.x, y, colour);
  }
  return table;
}

int scrolledRow(int current, port::ScrollCode code, int thumb, const port::ControlState& bar, int page,
                int rowCount) {
  int row = current;
  switch (code) {
    case port::ScrollCode::LineUp:
      row -= 1;
      break;
    case port::ScrollCode::LineDown:
      row += 1;
      break;
    case port::ScrollCode::PageUp:
      row -= page;
      break;
    case port::ScrollCode::PageDown:
      row += page;
      break;
    case port::ScrollCode::ThumbTrack:
      row += thumb - bar.position;
      break;
    default:
      return current;
  }
  return std::clamp(row, 0, maxRowScroll(rowCount));
}

}  // namespace zv
