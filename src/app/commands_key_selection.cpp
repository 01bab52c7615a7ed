// The frame-edit panel's selection buttons (a range of frames on one row or a family of tracks,
// and the vertical selection) and the curve box's clipboard buttons.
#include <charconv>
#include <limits>
#include <optional>
#include <string>

#include "app/command_table.h"
#include "app/undo_commands.h"
#include "scene/clipboard/curve_clipboard.h"
#include "scene/keys/key_range_selection.h"
#include "scene/keys/key_vertical_selection.h"
#include "ui/control_ids.h"
#include "ui/curve_box.h"

namespace zv {
namespace {

constexpr std::string_view kRangeCaption = "範囲選択";
constexpr std::string_view kRangeNeedsFrames = "範囲の開始ﾌﾚｰﾑと終了ﾌﾚｰﾑを数字で入力して下さい";

// The number a range box starts with (blanks and a sign allowed, text after the digits ignored),
// saturated to 32 bits; nothing when the box holds no digits, so an empty box is not read as 0.
std::optional<std::int32_t> typedFrame(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) {
    text.remove_prefix(1);
  }
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end == text.data()) {
    return std::nullopt;
  }
  constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
  if (error == std::errc::result_out_of_range || value > kLimit) {
    value = kLimit;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::string chosenRow(const port::ControlState& list) {
  if (list.selection < 0 || static_cast<std::size_t>(list.selection) >= list.rows.size()) {
    return {};
  }
  return list.rows[static_cast<std::size_t>(list.selection)];
}

bool selectCameraModeRange(Scene& scene, FrameRange range, std::string_view row) {
  if (row == "カメラ") {
    selectCameraKeysInRange(scene, range);
    return true;
  }
  if (row == "照明") {
    selectLightKeysInRange(scene, range);
    return true;
  }
  return false;
}

bool selectModelModeRange(Model& model, FrameRange range, std::string_view row) {
  if (row == "全ﾌﾚｰﾑ") {
    selectBoneKeysInRange(model, range);
    selectMorphKeysInRange(model, range);
    selectDisplayIkKeysInRange(model, range);
    return true;
  }
  if (row == "全表情ﾌﾚｰﾑ") {
    selectMorphKeysInRange(model, range);
    return true;
  }
  if (row == "全ボーンﾌﾚｰﾑ") {
    selectBoneKeysInRange(model, range);
    return true;
  }
  return selectKeysInRange(model, range, row);
}

bool selectRange(Scene& scene, FrameSystems& systems, int) {
  port::Ui& ui = *systems.ui;
  const std::string row = chosenRow(ui.control(kRangeRowList));
  Model* model = currentModel(scene);
  if (row.empty() || (!scene.cameraMode && !model)) {
    return false;
  }
  const std::optional<std::int32_t> first = typedFrame(ui.control(kRangeStartBox).text);
  const std::optional<std::int32_t> last = typedFrame(ui.control(kRangeEndBox).text);
  if (!first || !last) {
    port::showMessage(ui, kRangeNeedsFrames, kRangeCaption);
    return false;
  }
  const FrameRange range{*first, *last};
  return scene.cameraMode ? selectCameraModeRange(scene, range, row)
                          : selectModelModeRange(*model, range, row);
}

bool selectVertically(Scene& scene, FrameSystems&, int) {
  return selectBoneKeysAtSelectedFrame(*currentModel(scene));
}

bool copyChosenCurve(Scene& scene, FrameSystems& systems, int) {
  if (copyCurve(scene, chosenCurveChannel(*systems.ui))) {
    systems.ui->enableControl(kCurvePasteButton, true);
  }
  return false;
}

bool writeChosenCurve(Scene& scene, FrameSystems& systems, InterpolationCurve curve) {
  if (!pasteCurve(scene, chosenCurveChannel(*systems.ui), curve)) {
    return false;
  }
  if (!scene.cameraMode) {
    showUndoButtons(*systems.ui, currentModel(scene)->undoHistory);
  }
  return true;
}

bool pasteChosenCurve(Scene& scene, FrameSystems& systems, int) {
  return scene.curveClipboard && writeChosenCurve(scene, systems, *scene.curveClipboard);
}

bool makeChosenCurveLinear(Scene& scene, FrameSystems& systems, int) {
  return writeChosenCurve(scene, systems, InterpolationCurve{});
}

constexpr int kClick = port::kNotifyClicked;
constexpr CommandMode kAny = CommandMode::Any;

const CommandRow kRows[] = {
    {kRangeSelectButton, kClick, selectRange, kAny, false, true, false, true},
    {kVerticalSelectButton, kClick, selectVertically, CommandMode::ModelMode, true, false, false, true},
    {kCurveCopyButton, kClick, copyChosenCurve},
    {kCurvePasteButton, kClick, pasteChosenCurve, kAny, false, false, true, true},
    {kCurveLinearButton, kClick, makeChosenCurveLinear, kAny, false, false, true, true},
};

}  // namespace

std::span<const CommandRow> keySelectionCommands() {
  return kRows;
}

}  // namespace zv
