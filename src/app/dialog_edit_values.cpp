// The dialogs of the editing commands: the centre bias, the time-stretch factor and the three that
// ask for one whole number.
#include "app/dialog_forms.h"
#include "app/small_dialogs.h"

namespace zv {
namespace {

constexpr int kBiasX = 501;
constexpr int kBiasY = 502;
constexpr int kBiasZ = 503;
constexpr int kTimeScaleEdit = 505;
constexpr int kIntegerEdit = 516;

bool askInteger(Scene& scene, port::Ui& ui, std::string_view caption) {
  const auto fields =
      ui.formDialog({std::string(caption), port::MessageOwner::None, {editField(kIntegerEdit, "", "0")}, {}});
  if (!fields) {
    return false;
  }
  scene.integerDelta = dialogInteger(fieldText(*fields, kIntegerEdit));
  return true;
}

}  // namespace

bool askBiasOffset(Scene& scene, port::Ui& ui) {
  const auto fields = ui.formDialog(
      {"バイアス付加",
       port::MessageOwner::None,
       {editField(kBiasX, "X:", "0.0"), editField(kBiasY, "Y:", "0.0"), editField(kBiasZ, "Z:", "0.0")},
       {}});
  if (!fields) {
    return false;
  }
  scene.biasOffset = {dialogFloat(fieldText(*fields, kBiasX)), dialogFloat(fieldText(*fields, kBiasY)),
                      dialogFloat(fieldText(*fields, kBiasZ))};
  return true;
}

bool askTimeScale(Scene& scene, port::Ui& ui) {
  const auto fields = ui.formDialog(
      {"時間拡大(縮小)率", port::MessageOwner::None, {editField(kTimeScaleEdit, "", "1.0")}, {}});
  if (!fields) {
    return false;
  }
  scene.timeScale = dialogFloat(fieldText(*fields, kTimeScaleEdit));
  return true;
}

bool askFrameShift(Scene& scene, port::Ui& ui) {
  return askInteger(scene, ui, "シフトするﾌﾚｰﾑ数");
}

bool askViewAngleDelta(Scene& scene, port::Ui& ui) {
  return askInteger(scene, ui, "視野角差分（±）");
}

bool askCameraDistanceDelta(Scene& scene, port::Ui& ui) {
  return askInteger(scene, ui, "カメラ距離差分（±）");
}

}  // namespace zv
