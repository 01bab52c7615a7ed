#include "app/file_drop.h"

#include <algorithm>
#include <cctype>

#include "app/accessory_commands.h"
#include "app/command_files.h"
#include "app/command_table.h"
#include "app/file_commands.h"
#include "app/model_commands.h"
#include "app/project_file.h"
#include "ui/panels.h"

namespace zv {
namespace {

std::string lowerExtension(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::ranges::transform(extension, extension.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

bool openDroppedProject(Scene& scene, FrameSystems& systems, const std::filesystem::path& file) {
  if (scene.modified &&
      !confirm(systems, "保存していない変更点があります\n\nこのままロードしてよろしいですか？",
               "ファイルを開く")) {
    return false;
  }
  scene.projectPath = file.string();
  loadProject(scene, systems);
  return false;
}

// True when the scene changed and is to be marked modified.
bool loadByKind(Scene& scene, FrameSystems& systems, const std::filesystem::path& file,
                const std::string& kind) {
  if (kind == ".tsm") {
    return addModel(scene, systems, file);
  }
  if (kind == ".vmd") {
    return loadMotion(scene, file, *systems.ui);
  }
  if (kind == ".vpd") {
    loadPoseFile(scene, systems, file);
    return false;
  }
  if (kind == ".wav") {
    return loadWavFile(scene, systems, file);
  }
  if (kind == ".avi") {
    return loadBackgroundVideoFile(scene, systems, file);
  }
  if (kind == ".bmp") {
    return loadBackgroundImageFile(scene, systems, file);
  }
  if (kind == ".x" || kind == ".vac") {
    return addAccessory(scene, systems, file);
  }
  return openDroppedProject(scene, systems, file);
}

bool readable(const std::string& kind) {
  static constexpr std::string_view kKinds[] = {".tsm", ".vmd", ".vpd", ".wav", ".avi",
                                                ".bmp", ".x",   ".vac", ".tsf"};
  return std::ranges::find(kKinds, kind) != std::end(kKinds);
}

}  // namespace

void openDroppedFile(Scene& scene, FrameSystems& systems, const std::filesystem::path& file) {
  scene.enterKeyState = KeyState::Held;
  const std::string kind = lowerExtension(file);
  if (!readable(kind)) {
    std::string text(kUnknownDropMessage);
    text.replace(text.find("%s"), 2, file.filename().string());
    port::showMessage(*systems.ui, text, kDropCaption);
    return;
  }
  if (loadByKind(scene, systems, file, kind)) {
    scene.modified = true;
    rebuildRows(scene, systems.panels);
  }
  systems.ui->repaint();
}

}  // namespace zv
