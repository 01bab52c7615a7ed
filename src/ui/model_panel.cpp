#include "ui/model_panel.h"

#include <cstdio>

#include "port/text.h"

namespace zv {
namespace {

void fillIkChains(port::Ui& ui, const Model& model) {
  std::vector<std::string> rows;
  for (const IkChain& chain : model.ikChains) {
    rows.push_back(port::cp932ToUtf8(model.bones[chain.ikBone].name));
  }
  ui.setControlRows(kIkChainList, std::move(rows));
  if (!model.ikChains.empty()) {
    ui.selectControlRow(kIkChainList, 0);
    ui.checkControl(kIkOnRadio, model.ikChains[0].enabled);
    ui.checkControl(kIkOffRadio, !model.ikChains[0].enabled);
  }
}

std::int32_t firstMorphOf(const Model& model, int category) {
  for (std::size_t m = 1; m < model.morphs.size(); ++m) {
    if (model.morphs[m].category == category) {
      return static_cast<std::int32_t>(m);
    }
  }
  return 0;
}

// Index 0 means the category has no morph: the base morph is never shown in a selector.
void fillMorphSelectors(port::Ui& ui, Model& model) {
  for (int slot = 0; slot < kMorphCategoryCount; ++slot) {
    std::int32_t& chosen = model.selectedMorph[static_cast<std::size_t>(slot)];
    if (chosen <= 0 || static_cast<std::size_t>(chosen) >= model.morphs.size()) {
      chosen = firstMorphOf(model, slot + 1);
    }
    if (chosen == 0) {
      ui.setControlText(kMorphNameBoxes[slot], "");
      ui.setControlPosition(kMorphSliders[slot], 0);
      continue;
    }
    const Morph& morph = model.morphs[static_cast<std::size_t>(chosen)];
    ui.setControlText(kMorphNameBoxes[slot], port::cp932ToUtf8(morph.name));
    ui.setControlPosition(kMorphSliders[slot], static_cast<int>(morph.weight * 100));
  }
}

std::vector<std::string> rangeRows(const Model& model) {
  static const std::string dummyBoneModel = port::utf8ToCp932("ダミーボーン");
  if (model.name == dummyBoneModel) {
    std::vector<std::string> rows = {"全ﾌﾚｰﾑ", "表示･IK"};
    for (int bone = 1; bone <= 15; ++bone) {
      char row[32];
      std::snprintf(row, sizeof row, "ﾎﾞｰﾝ%02d", bone);
      rows.emplace_back(row);
    }
    return rows;
  }
  std::vector<std::string> rows = {"全ﾌﾚｰﾑ", "センター", "表示･IK", "全表情ﾌﾚｰﾑ"};
  for (const MorphListEntry& entry : model.morphList) {
    rows.push_back(port::cp932ToUtf8(entry.name));
  }
  rows.emplace_back("全ボーンﾌﾚｰﾑ");
  for (const BoneListEntry& entry : model.boneList) {
    rows.push_back(port::cp932ToUtf8(entry.name));
  }
  return rows;
}

}  // namespace

void fillModelPanel(port::Ui& ui, Model& model) {
  fillIkChains(ui, model);
  ui.checkControl(kVisibleCheck, model.visible);
  fillMorphSelectors(ui, model);
  ui.setControlRows(kRangeRowList, rangeRows(model));
  ui.selectControlRow(kRangeRowList, 0);
}

}  // namespace zv
