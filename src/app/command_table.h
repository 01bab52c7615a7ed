// The command table: every menu item and control notification the window reports, with the
// handler that acts on it and what the dispatcher does around it. Each panel or menu keeps its
// own rows beside its handlers; the dispatcher looks a command up here and does the shared work.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

// When a command applies at all; otherwise the dispatcher ignores it.
enum class CommandMode { Any, ModelMode, CameraMode };

// Does the command's own work; true when it changed the scene (a cancelled dialog returns false).
using CommandAction = bool (*)(Scene& scene, FrameSystems& systems, int id);

struct CommandRow {
  int id = 0;
  int notification = 0;  // port::kNotifyClicked for buttons and menu items
  CommandAction action = nullptr;
  CommandMode mode = CommandMode::Any;
  bool needsModel = false;         // does nothing while the current model slot is empty
  bool asksUser = false;           // may open a dialog or message box: Enter is marked held first
  bool marksModified = false;      // a change sets the scene's modified flag
  bool refreshesPanels = false;    // a change rebuilds the frame editor rows and repaints
  bool focusesMainWindow = false;  // a drop-down choice hands the keyboard back to the window
};

std::span<const CommandRow> fileMenuCommands();
std::span<const CommandRow> viewMenuCommands();
std::span<const CommandRow> playbackCommands();
std::span<const CommandRow> modelPanelCommands();
std::span<const CommandRow> cameraPanelCommands();
std::span<const CommandRow> accessoryPanelCommands();
std::span<const CommandRow> bonePanelCommands();
std::span<const CommandRow> facePanelCommands();
std::span<const CommandRow> keyEditCommands();
std::span<const CommandRow> frameEditorCommands();
std::span<const CommandRow> editMenuCommands();
std::span<const CommandRow> dialogCommands();
std::span<const CommandRow> clipboardCommands();
std::span<const CommandRow> numberEditCommands();
std::span<const CommandRow> keySelectionCommands();

// Every row of every panel and menu.
const std::vector<CommandRow>& commandTable();

// The row for (id, notification), or null when the command does nothing.
const CommandRow* findCommand(int id, int notification);

// A file dialog of the commands: one filter of their own, then "All Files(*.*)"; the initial folder
// is relative to the executable's, which is made current first. Nothing when cancelled.
struct CommandDialog {
  std::string_view title;
  std::string_view description;
  std::string_view pattern;
  std::string_view folder;
  std::string_view extension;
};
std::optional<std::filesystem::path> askOpenPath(Scene& scene, FrameSystems& systems,
                                                 const CommandDialog& dialog);
std::optional<std::filesystem::path> askSavePath(Scene& scene, FrameSystems& systems,
                                                 const CommandDialog& dialog);

// Asks the OK/Cancel question `text` over the main window; true on OK.
bool confirm(FrameSystems& systems, std::string_view text, std::string_view caption);

}  // namespace zv
