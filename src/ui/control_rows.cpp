#include "ui/control_rows.h"

#include <array>
#include <string_view>

#include "ui/control_ids.h"

namespace zv {
namespace {

using port::ControlKind;
using port::ControlSpec;

constexpr int kIkRadioGroup = 1;

constexpr std::array<std::string_view, 2> kRangeRows = {"カメラ", "照明"};
constexpr std::array<std::string_view, 6> kCurveRows = {"Ｘ軸移動", "Ｙ軸移動", "Ｚ軸移動",
                                                        "回　転",   "距　離",   "視野角"};
constexpr std::array<std::string_view, 1> kModelRows = {"ｶﾒﾗ･照明･ｱｸｾｻﾘ"};
constexpr std::array<std::string_view, 1> kParentRows = {"地面"};

constexpr ControlSpec control(int id, ControlKind kind, std::string_view panel,
                              std::string_view caption = {}) {
  ControlSpec spec;
  spec.id = id;
  spec.kind = kind;
  spec.panel = panel;
  spec.caption = caption;
  // Track bars and scroll bars keep the window system's font.
  spec.systemFont = kind == ControlKind::TrackBar || kind == ControlKind::VerticalScrollBar ||
                    kind == ControlKind::HorizontalScrollBar;
  return spec;
}

constexpr ControlSpec button(int id, std::string_view panel, std::string_view caption) {
  return control(id, ControlKind::Button, panel, caption);
}

constexpr ControlSpec pushLike(int id, std::string_view panel, std::string_view caption) {
  return control(id, ControlKind::PushLikeCheckBox, panel, caption);
}

constexpr ControlSpec checkBox(int id, std::string_view panel) {
  return control(id, ControlKind::CheckBox, panel);
}

constexpr ControlSpec edit(int id, std::string_view panel) {
  return control(id, ControlKind::Edit, panel);
}

constexpr ControlSpec list(int id, std::string_view panel, std::span<const std::string_view> rows = {}) {
  ControlSpec spec = control(id, ControlKind::DropDownList, panel);
  spec.rows = rows;
  return spec;
}

constexpr ControlSpec trackBar(int id, std::string_view panel) {
  return control(id, ControlKind::TrackBar, panel);
}

constexpr ControlSpec radio(int id, std::string_view panel) {
  ControlSpec spec = control(id, ControlKind::RadioButton, panel);
  spec.radioGroup = kIkRadioGroup;
  return spec;
}

constexpr ControlSpec disabled(ControlSpec spec) {
  spec.enabled = false;
  return spec;
}

constexpr ControlSpec hidden(ControlSpec spec) {
  spec.visible = false;
  return spec;
}

constexpr ControlSpec systemFont(ControlSpec spec) {
  spec.systemFont = true;
  return spec;
}

// The edits whose Enter commits their value.
constexpr ControlSpec committing(ControlSpec spec) {
  spec.commitsOnEnter = true;
  return spec;
}

constexpr ControlSpec withTicks(ControlSpec spec) {
  spec.ticks = true;
  return spec;
}

constexpr ControlSpec selecting(ControlSpec spec, int row) {
  spec.selection = row;
  return spec;
}

// One morph group of the face panel: previous, next, name, weight bar and its register button.
struct FaceGroup {
  int slot;  // index into the face-panel id arrays
  std::string_view panel;
};

constexpr FaceGroup kFaceGroups[4] = {{0, "face まゆ"}, {1, "face 目"}, {2, "face ﾘｯﾌﾟ"}, {3, "face その他"}};

constexpr std::array kFixedRows = {
    // Frame-editor header.
    disabled(button(kUndoButton, "header", "元に戻す")),
    disabled(button(kRedoButton, "header", "やり直し")),
    systemFont(committing(edit(kCurrentFrameBox, "header"))),
    systemFont(button(kPreviousFrameButton, "header", "＜")),
    systemFont(button(kNextFrameButton, "header", "＞")),
    // Frame editor.
    control(kRowScrollBar, ControlKind::VerticalScrollBar, "frame editor"),
    control(kFrameScrollBar, ControlKind::HorizontalScrollBar, "frame editor"),
    button(kShowCurrentFrameButton, "frame editor", "現ﾌﾚｰﾑ"),
    // Frame-edit panel.
    button(kVerticalSelectButton, "frame edit", "縦選択"),
    button(kKeyDeleteButton, "frame edit", "削　除"),
    button(kKeyCopyButton, "frame edit", "コピー"),
    disabled(button(kKeyPasteButton, "frame edit", "ﾍﾟｰｽﾄ")),
    disabled(button(kKeyMirrorPasteButton, "frame edit", "反転P")),
    edit(kRangeStartBox, "frame edit"),
    edit(kRangeEndBox, "frame edit"),
    list(kRangeRowList, "frame edit", kRangeRows),
    button(kRangeSelectButton, "frame edit", "範囲選択"),
    disabled(button(kStretchButton, "frame edit", "拡大縮小")),
    // Interpolation curve box.
    disabled(button(kCurveLinearButton, "interpolation", "線形補間")),
    disabled(button(kCurvePasteButton, "interpolation", "ペースト")),
    disabled(button(kCurveCopyButton, "interpolation", "コピー")),
    list(kCurveList, "interpolation", kCurveRows),
    // Model panel: row 0 of the model list, the camera entry, is selected at start.
    selecting(list(kModelList, "model", kModelRows), 0),
    button(kLoadModelButton, "model", "読　込"),
    disabled(button(kDeleteModelButton, "model", "削　除")),
    disabled(checkBox(kVisibleCheck, "model")),
    disabled(button(kRegisterDisplayIkButton, "model", "登　録")),
    disabled(list(kIkChainList, "model")),
    disabled(radio(kIkOnRadio, "model")),
    disabled(radio(kIkOffRadio, "model")),
    // Camera panel.
    button(kCameraResetButton, "camera", "初期化"),
    pushLike(kPerspectiveButton, "camera", "ﾊﾟｰｽﾍﾟｸﾃｨﾌﾞ"),
    trackBar(kViewAngleBar, "camera"),
    committing(edit(kViewAngleBox, "camera")),
    button(kRegisterCameraButton, "camera", "登　 録"),
    hidden(button(kCameraExpandButton, "camera", "＋")),
    button(kCameraCollapseButton, "camera", "－"),
    // Light panel: colour red, green, blue, then direction x, y, z.
    trackBar(kLightColourBars[0], "light"),
    trackBar(kLightColourBars[1], "light"),
    trackBar(kLightColourBars[2], "light"),
    committing(edit(kLightColourBoxes[0], "light")),
    committing(edit(kLightColourBoxes[1], "light")),
    committing(edit(kLightColourBoxes[2], "light")),
    withTicks(trackBar(kLightDirectionBars[0], "light")),
    withTicks(trackBar(kLightDirectionBars[1], "light")),
    withTicks(trackBar(kLightDirectionBars[2], "light")),
    committing(edit(kLightDirectionBoxes[0], "light")),
    committing(edit(kLightDirectionBoxes[1], "light")),
    committing(edit(kLightDirectionBoxes[2], "light")),
    button(kRegisterLightButton, "light", "登　 録"),
    hidden(button(kLightExpandButton, "light", "＋")),
    button(kLightCollapseButton, "light", "－"),
    // Accessory panel.
    hidden(button(kAccessoryExpandButton, "accessory", "＋")),
    button(kAccessoryCollapseButton, "accessory", "－"),
    list(kAccessoryList, "accessory"),
    button(kAddAccessoryButton, "accessory", "読　込"),
    button(kDeleteAccessoryButton, "accessory", "削　除"),
    checkBox(kAccessoryVisibleCheck, "accessory"),
    checkBox(kAccessoryShadowCheck, "accessory"),
    list(kAccessoryParentModelList, "accessory", kParentRows),
    list(kAccessoryParentBoneList, "accessory"),
    committing(edit(kAccessoryPositionEdits[0], "accessory")),
    committing(edit(kAccessoryPositionEdits[1], "accessory")),
    committing(edit(kAccessoryPositionEdits[2], "accessory")),
    committing(edit(kAccessoryRotationEdits[0], "accessory")),
    committing(edit(kAccessoryRotationEdits[1], "accessory")),
    committing(edit(kAccessoryRotationEdits[2], "accessory")),
    committing(edit(kAccessoryScaleEdit, "accessory")),
    button(kRegisterAccessoryButton, "accessory", "登　 録"),
    // Bone panel, shown in model mode only.
    hidden(pushLike(kSelectModeButton, "bone", "選　択")),
    hidden(pushLike(kBoxSelectModeButton, "bone", "BOX選択")),
    hidden(pushLike(kRotateButton, "bone", "回　転")),
    hidden(pushLike(kMoveButton, "bone", "移　動")),
    hidden(button(kSelectAllBonesButton, "bone", "全て選択")),
    hidden(button(kSelectUnregisteredButton, "bone", "未登録選択")),
    hidden(button(kPoseCopyButton, "bone", "コピー")),
    hidden(button(kPosePasteButton, "bone", "ペースト")),
    hidden(button(kPoseMirrorPasteButton, "bone", "反転ﾍﾟｰｽﾄ")),
    hidden(button(kRegisterFrameButton, "bone", "ﾌﾚｰﾑ登録")),
    hidden(button(kBoneResetButton, "bone", "初期化")),
    hidden(button(kBoneExpandButton, "bone", "＋")),
    hidden(button(kBoneCollapseButton, "bone", "－")),
    // Face panel, shown in model mode only; its morph groups follow below.
    hidden(button(kFaceExpandButton, "face", "＋")),
    hidden(button(kFaceCollapseButton, "face", "－")),
};

// The four morph groups, brow first, as the face-panel id arrays list them.
constexpr std::array<ControlSpec, 20> faceGroupRows() {
  std::array<ControlSpec, 20> rows{};
  std::size_t next = 0;
  for (const FaceGroup& group : kFaceGroups) {
    rows[next++] = hidden(button(kMorphPreviousButtons[group.slot], group.panel, "≪"));
    rows[next++] = hidden(button(kMorphNextButtons[group.slot], group.panel, "≫"));
    rows[next++] = hidden(edit(kMorphNameBoxes[group.slot], group.panel));
    rows[next++] = hidden(trackBar(kMorphSliders[group.slot], group.panel));
    rows[next++] = hidden(button(kMorphRegisterButtons[group.slot], group.panel, "登録"));
  }
  return rows;
}

constexpr std::array kRightRows = {
    // Viewpoint panel.
    button(kFrontViewButton, "viewpoint", "正面"),
    button(kBackViewButton, "viewpoint", "背面"),
    button(kTopViewButton, "viewpoint", "上面"),
    button(kLeftViewButton, "viewpoint", "左面"),
    button(kRightViewButton, "viewpoint", "右面"),
    button(kBottomViewButton, "viewpoint", "下面"),
    checkBox(kFollowModelCentreCheck, "viewpoint"),
    // Playback panel.
    pushLike(kPlayButton, "playback", "再　生"),
    checkBox(kRepeatCheck, "playback"),
    checkBox(kPlayFromCurrentFrameCheck, "playback"),
    checkBox(kStopFrameCheck, "playback"),
    edit(kStartFrameBox, "playback"),
    edit(kStopFrameBox, "playback"),
};

constexpr std::array<ControlSpec, kFixedRows.size() + 20 + kRightRows.size()> allRows() {
  std::array<ControlSpec, kFixedRows.size() + 20 + kRightRows.size()> rows{};
  std::size_t next = 0;
  for (const ControlSpec& row : kFixedRows) {
    rows[next++] = row;
  }
  for (const ControlSpec& row : faceGroupRows()) {
    rows[next++] = row;
  }
  for (const ControlSpec& row : kRightRows) {
    rows[next++] = row;
  }
  return rows;
}

constexpr auto kControlRows = allRows();

}  // namespace

std::span<const port::ControlSpec> controlRows() {
  return kControlRows;
}

}  // namespace zv
