#include <algorithm>

#include "app/dialog_forms.h"
#include "app/small_dialogs.h"

namespace zv {
namespace {

constexpr int kWidthEdit = 521;
constexpr int kHeightEdit = 522;

}  // namespace

// The view layout and the export divide by the size, so nothing below one pixel is kept.
bool askOutputSize(Scene& scene, port::Ui& ui) {
  const auto fields =
      ui.formDialog({"出力画面サイズ変更",
                     port::MessageOwner::MainWindow,
                     {editField(kWidthEdit, "幅", printedNumber("%3d", scene.outputWidth)),
                      editField(kHeightEdit, "高さ", printedNumber("%3d", scene.outputHeight))},
                     {}});
  if (!fields) {
    return false;
  }
  scene.outputWidth = std::max(1, dialogInteger(fieldText(*fields, kWidthEdit)));
  scene.outputHeight = std::max(1, dialogInteger(fieldText(*fields, kHeightEdit)));
  return true;
}

}  // namespace zv
