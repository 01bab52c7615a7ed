// The file menu: poses, motions, the music, lip sync, new scene, exit and the project commands.
#include "app/command_files.h"
#include "app/command_table.h"
#include "app/file_commands.h"
#include "app/new_scene.h"
#include "app/project_file.h"
#include "files/motion/motion_file.h"
#include "files/motion/pose_file.h"
#include "port/text.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

constexpr CommandDialog kPoseDialog{"", "Vocaloid Pose Data files(*.vpd)", "*.vpd", "UserFile/Pose", "vpd"};
constexpr CommandDialog kMotionDialog{"", "Vocaloid Motion Data files(*.vmd)", "*.vmd", "UserFile/Motion",
                                      "vmd"};
constexpr CommandDialog kSequenceDialog{"vsqデータ読込", "vsq files(*.vsq)", "*.vsq", "UserFile/Vsq", "vsq"};
constexpr CommandDialog kWavDialog{"WAVE Fileを開く", "Wave files(*.wav)", "*.wav", "UserFile/Wave", "wav"};

CommandDialog titled(CommandDialog dialog, std::string_view title) {
  dialog.title = title;
  return dialog;
}

bool closeWindow(Scene&, FrameSystems& systems, int) {
  systems.ui->closeMainWindow();
  return false;
}

bool loadPoseCommand(Scene& scene, FrameSystems& systems, int) {
  const auto path = askOpenPath(scene, systems, titled(kPoseDialog, "ポーズデータ読込"));
  return path && loadPoseFile(scene, systems, *path);
}

bool anyBoneButTheFirstSelected(const Model& model) {
  for (std::size_t bone = 1; bone < model.boneSelected.size(); ++bone) {
    if (model.boneSelected[bone]) {
      return true;
    }
  }
  return false;
}

bool savePoseCommand(Scene& scene, FrameSystems& systems, int) {
  if (!anyBoneButTheFirstSelected(*currentModel(scene))) {
    port::showMessage(
        *systems.ui,
        "ポーズデータは選択されたボーンのみがセーブされます\nボーンの一部、もしくは全てを選択してください",
        "ポーズデータ保存");
    return false;
  }
  const auto path = askSavePath(scene, systems, titled(kPoseDialog, "ポーズデータ保存"));
  if (!path) {
    return false;
  }
  const Outcome saved = savePose(scene, *path);
  showMessages(*systems.ui, saved.messages);
  return false;
}

bool newSceneCommand(Scene& scene, FrameSystems& systems, int) {
  if (confirm(systems, "現在の状態は破棄されます\n\nよろしいですか？", "新規作成")) {
    newScene(scene, systems);
  }
  return false;
}

bool openProject(Scene& scene, FrameSystems& systems, int) {
  openProjectCommand(scene, systems);
  return false;
}

bool saveProject(Scene& scene, FrameSystems& systems, int) {
  saveProjectCommand(scene, systems);
  return false;
}

bool saveProjectUnderNewName(Scene& scene, FrameSystems& systems, int) {
  saveProjectAs(scene, systems);
  return false;
}

bool showSoundUnavailable(FrameSystems& systems) {
  systems.ui->messageBox(port::MessageOwner::None, kSoundUnavailableMessage, kSoundUnavailableCaption,
                         port::MessageButtons::Ok);
  return false;
}

bool loadWavCommand(Scene& scene, FrameSystems& systems, int) {
  if (!systems.wav.audioAvailable) {
    return showSoundUnavailable(systems);
  }
  const auto path = askOpenPath(scene, systems, kWavDialog);
  return path && loadWavFile(scene, systems, *path);
}

bool loadMotionCommand(Scene& scene, FrameSystems& systems, int) {
  const auto path = askOpenPath(scene, systems, titled(kMotionDialog, "モーションデータ読込"));
  return path && loadMotion(scene, *path, *systems.ui);
}

bool anyKeySelected(const MotionFile& motion) {
  return !motion.bones.empty() || !motion.morphs.empty() || !motion.cameras.empty() || !motion.lights.empty();
}

bool saveMotionCommand(Scene& scene, FrameSystems& systems, int) {
  if (!scene.cameraMode && !currentModel(scene)) {
    return false;
  }
  if (!anyKeySelected(collectSelectedMotion(scene))) {
    port::showMessage(*systems.ui,
                      "モーションデータは選択されたフレームポイントがセーブされます\n"
                      "フレームの一部、もしくは全てを選択してください",
                      "モーションデータ保存");
    return false;
  }
  const auto path = askSavePath(scene, systems, titled(kMotionDialog, "モーションデータ保存"));
  if (!path) {
    return false;
  }
  const Outcome saved = saveMotion(scene, *path);
  showMessages(*systems.ui, saved.messages);
  return false;
}

bool lipSyncCommand(Scene& scene, FrameSystems& systems, int) {
  const auto path = askOpenPath(scene, systems, kSequenceDialog);
  return path && importSequence(scene, *path, *systems.ui);
}

constexpr int kClick = port::kNotifyClicked;

const CommandRow kRows[] = {
    {kMenuExit, kClick, closeWindow, CommandMode::Any, false, true},
    {kMenuLoadPose, kClick, loadPoseCommand, CommandMode::ModelMode, true, true, false, true},
    {kMenuSavePose, kClick, savePoseCommand, CommandMode::ModelMode, true, true},
    {kMenuNew, kClick, newSceneCommand, CommandMode::Any, false, true},
    {kMenuOpen, kClick, openProject, CommandMode::Any, false, true},
    {kMenuLoadWav, kClick, loadWavCommand, CommandMode::Any, false, true, true, true},
    {kMenuSave, kClick, saveProject, CommandMode::Any, false, true},
    {kMenuSaveAs, kClick, saveProjectUnderNewName, CommandMode::Any, false, true},
    {kMenuLoadMotion, kClick, loadMotionCommand, CommandMode::Any, false, true, true, true},
    {kMenuSaveMotion, kClick, saveMotionCommand, CommandMode::Any, false, true},
    {kMenuLipSync, kClick, lipSyncCommand, CommandMode::ModelMode, true, true, true, true},
};

}  // namespace

bool loadPoseFile(Scene& scene, FrameSystems&, const std::filesystem::path& path) {
  return !scene.cameraMode && currentModel(scene) && loadPose(scene, path);
}

bool loadWavFile(Scene& scene, FrameSystems& systems, std::filesystem::path path) {
  if (!systems.wav.audioAvailable) {
    return showSoundUnavailable(systems);
  }
  const Outcome loaded = loadWav(systems.wav, path, scene.exeDirectory, scene.currentFrame, scene.panelWidth);
  showMessages(*systems.ui, loaded.messages);
  return loaded.done;
}

std::span<const CommandRow> fileMenuCommands() {
  return kRows;
}

}  // namespace zv
