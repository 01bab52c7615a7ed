#include "app/command_table.h"

#include <algorithm>

namespace zv {
namespace {

port::FileDialogRequest dialogRequest(Scene& scene, const CommandDialog& dialog) {
  std::error_code error;
  std::filesystem::current_path(scene.exeDirectory, error);
  port::FileDialogRequest request;
  request.title = dialog.title;
  request.filters = {{std::string(dialog.description), std::string(dialog.pattern)},
                     {"All Files(*.*)", "*.*"}};
  request.initialDirectory = dialog.folder;
  request.defaultExtension = dialog.extension;
  return request;
}

}  // namespace

const std::vector<CommandRow>& commandTable() {
  static const std::vector<CommandRow> table = [] {
    std::vector<CommandRow> rows;
    for (const std::span<const CommandRow> group :
         {fileMenuCommands(), viewMenuCommands(), playbackCommands(), modelPanelCommands(),
          cameraPanelCommands(), accessoryPanelCommands(), bonePanelCommands(), facePanelCommands(),
          keyEditCommands(), frameEditorCommands(), editMenuCommands(), dialogCommands(), clipboardCommands(),
          numberEditCommands(), keySelectionCommands()}) {
      rows.insert(rows.end(), group.begin(), group.end());
    }
    return rows;
  }();
  return table;
}

const CommandRow* findCommand(int id, int notification) {
  const std::vector<CommandRow>& table = commandTable();
  const auto found = std::ranges::find_if(
      table, [&](const CommandRow& row) { return row.id == id && row.notification == notification; });
  return found == table.end() ? nullptr : &*found;
}

bool confirm(FrameSystems& systems, std::string_view text, std::string_view caption) {
  return systems.ui->messageBox(port::MessageOwner::MainWindow, text, caption,
                                port::MessageButtons::OkCancel) == port::MessageAnswer::Ok;
}

}  // namespace zv

namespace zv {

std::optional<std::filesystem::path> askOpenPath(Scene& scene, FrameSystems& systems,
                                                 const CommandDialog& dialog) {
  return systems.ui->openFileDialog(dialogRequest(scene, dialog));
}

std::optional<std::filesystem::path> askSavePath(Scene& scene, FrameSystems& systems,
                                                 const CommandDialog& dialog) {
  return systems.ui->saveFileDialog(dialogRequest(scene, dialog));
}

}  // namespace zv
