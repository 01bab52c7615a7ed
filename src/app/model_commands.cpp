#include "app/model_commands.h"

#include <optional>

#include "port/text.h"
#include "scene/undo/undo.h"
#include "ui/control_ids.h"
#include "ui/model_loading.h"
#include "ui/model_selection.h"

namespace zv {
namespace {

std::optional<int> firstEmptySlot(const Scene& scene) {
  for (int slot = 0; slot < kMaxModels; ++slot) {
    if (!scene.modelSlots[static_cast<std::size_t>(slot)]) {
      return slot;
    }
  }
  return std::nullopt;
}

void appendRow(port::Ui& ui, int id, const std::string& text) {
  std::vector<std::string> rows = ui.control(id).rows;
  rows.push_back(text);
  ui.setControlRows(id, std::move(rows));
}

void eraseRow(port::Ui& ui, int id, int row) {
  std::vector<std::string> rows = ui.control(id).rows;
  if (row >= 0 && static_cast<std::size_t>(row) < rows.size()) {
    rows.erase(rows.begin() + row);
    ui.setControlRows(id, std::move(rows));
  }
}

// Props that followed the deleted model stand on the ground from now on; their keys that named
// it are hidden, as the keys can no longer say where the prop was.
void groundFollowers(Scene& scene, int slot) {
  for (int i = 0; i < kMaxAccessories; ++i) {
    AccessoryState& state = scene.accessories[static_cast<std::size_t>(i)];
    if (state.parentModel == slot) {
      state.parentModel = -1;
      state.parentBone = 0;
    }
    KeyPool<AccessoryKey>& pool = scene.accessoryKeyPools[static_cast<std::size_t>(i)];
    for (std::uint32_t index = 0; index < pool.extent(); ++index) {
      if (pool[index].parentModel == slot) {
        AccessoryKey& key = pool.at(index);
        key.parentModel = -1;
        key.visible = false;
      }
    }
  }
}

}  // namespace

bool addModelFromDialog(Scene& scene, FrameSystems& systems) {
  std::error_code error;
  std::filesystem::current_path(scene.exeDirectory, error);
  port::FileDialogRequest request;
  request.title = "ファイルを開く";
  request.filters = {{std::string(kModelFilterDescription), "*.tsm"}, {"All Files(*.*)", "*.*"}};
  request.initialDirectory = "UserFile/Model";
  request.defaultExtension = "tsm";
  const std::optional<std::filesystem::path> path = systems.ui->openFileDialog(request);
  return path && addModel(scene, systems, *path);
}

bool addModel(Scene& scene, FrameSystems& systems, const std::filesystem::path& path) {
  port::Ui& ui = *systems.ui;
  const std::optional<int> slot = firstEmptySlot(scene);
  if (!slot) {
    port::showMessage(ui, "追加できるモデルの最大数は100個までです", "モデル追加");
    return false;
  }
  if (systems.surface) {
    systems.surface->makeCurrent();
  }
  auto model = std::make_unique<Model>();
  std::filesystem::path opened = path;
  if (!loadModel(*model, ui, opened, systems.device, systems.textures, scene.exeDirectory, true)) {
    return false;
  }
  model->semiTransparent = scene.translucent;
  const std::string name = port::cp932ToUtf8(model->name);
  scene.modelSlots[static_cast<std::size_t>(*slot)] = std::move(model);
  Model& added = *scene.modelSlots[static_cast<std::size_t>(*slot)];
  attachUndoHistory(scene, added);
  scene.modified = true;
  appendRow(ui, kModelList, name);
  added.listIndex = static_cast<int>(ui.control(kModelList).rows.size()) - 1;
  appendRow(ui, kAccessoryParentModelList, name);
  ui.selectControlRow(kModelList, added.listIndex);
  applyModelSelection(scene, ui, systems.panels);
  return true;
}

bool deleteModel(Scene& scene, FrameSystems& systems) {
  port::Ui& ui = *systems.ui;
  const int row = ui.control(kModelList).selection;
  const int slot = modelSlotOfListRow(scene, row);
  if (slot < 0) {
    return false;
  }
  std::unique_ptr<Model>& model = scene.modelSlots[static_cast<std::size_t>(slot)];
  const std::string question = "モデル：" + port::cp932ToUtf8(model->name) +
                               "を削除します\nモデルのフレームデータも全て削除されます\n"
                               "またアクセサリでこのモデルに追従するものは地面に追従するように変更されます\n"
                               "(この操作は元に戻す事はできません)\n\n削除してもよろしいですか？";
  if (ui.messageBox(port::MessageOwner::MainWindow, question, "モデル削除", port::MessageButtons::OkCancel) !=
      port::MessageAnswer::Ok) {
    return false;
  }
  if (systems.surface) {
    systems.surface->makeCurrent();
  }
  model.reset();
  scene.modified = true;
  eraseRow(ui, kModelList, row);
  eraseRow(ui, kAccessoryParentModelList, row);
  for (std::unique_ptr<Model>& other : scene.modelSlots) {
    if (other && other->listIndex > row) {
      --other->listIndex;
    }
  }
  groundFollowers(scene, slot);
  ui.selectControlRow(kModelList, 0);
  applyModelSelection(scene, ui, systems.panels);
  return true;
}

void modelListChanged(Scene& scene, FrameSystems& systems) {
  applyModelSelection(scene, *systems.ui, systems.panels);
}

}  // namespace zv
