#include "app/dialog_forms.h"
#include "app/small_dialogs.h"

namespace zv {
namespace {

constexpr int kStartEdit = 518;
constexpr int kEndEdit = 519;

}  // namespace

bool askBlinkRange(Scene& scene, port::Ui& ui) {
  const auto fields =
      ui.formDialog({"まばたき登録",
                     port::MessageOwner::None,
                     {editField(kStartEdit, "開始ﾌﾚｰﾑ", ""), editField(kEndEdit, "終了ﾌﾚｰﾑ", "")},
                     {}});
  if (!fields) {
    return false;
  }
  scene.blinkRangeStart = dialogInteger(fieldText(*fields, kStartEdit));
  scene.blinkRangeEnd = dialogInteger(fieldText(*fields, kEndEdit));
  return true;
}

}  // namespace zv
