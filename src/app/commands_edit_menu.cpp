// The edit menu's commands that need no numbers: selecting every key of a family, zeroing and
// resetting the selected bones, clearing the lip, eye or brow keys; and the display menu's
// camera-and-light following.
#include <string_view>

#include "anim/morph_frame_edits.h"
#include "anim/pose_reset.h"
#include "app/camera_take_over.h"
#include "app/command_table.h"
#include "app/undo_commands.h"
#include "scene/keys/key_select_all.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

bool selectAllModelKeys(Scene& scene, FrameSystems&, int id) {
  Model& model = *currentModel(scene);
  if (id == kMenuSelectAllBoneKeys) {
    selectAllBoneKeys(model);
  } else if (id == kMenuSelectAllMorphKeys) {
    selectAllMorphKeys(model);
  } else {
    selectAllDisplayIkKeys(model);
  }
  return true;
}

bool selectAllSceneKeys(Scene& scene, FrameSystems&, int id) {
  if (id == kMenuSelectAllCameraKeys) {
    selectAllCameraKeys(scene);
  } else if (id == kMenuSelectAllLightKeys) {
    selectAllLightKeys(scene);
  } else {
    selectAllAccessoryKeys(scene);
  }
  return true;
}

bool zeroBones(Scene& scene, FrameSystems& systems, int id) {
  Model& model = *currentModel(scene);
  const PoseComponent component = id == kMenuZeroBoneX   ? PoseComponent::TranslationX
                                  : id == kMenuZeroBoneY ? PoseComponent::TranslationY
                                  : id == kMenuZeroBoneZ ? PoseComponent::TranslationZ
                                                         : PoseComponent::Rotation;
  zeroSelectedBones(scene, model, component);
  showUndoButtons(*systems.ui, model.undoHistory);
  return true;
}

bool resetBones(Scene& scene, FrameSystems& systems, int) {
  Model& model = *currentModel(scene);
  resetSelectedBones(scene, model);
  showUndoButtons(*systems.ui, model.undoHistory);
  return true;
}

struct MorphClearing {
  int id;
  std::uint8_t kind;
  std::string_view question;
};

constexpr MorphClearing kMorphClearings[] = {
    {kMenuDeleteLipKeys, kLipMorph,
     "リップのフレームを全て削除します\n表情フレームの変更は元に戻せません\n\nよろしいですか？"},
    {kMenuDeleteEyeKeys, kEyeMorph,
     "目のフレームを全て削除します\n表情フレームの変更は元に戻せません\n\nよろしいですか？"},
    {kMenuDeleteBrowKeys, kBrowMorph,
     "まゆのフレームを全て削除します\n表情フレームの変更は元に戻せません\n\nよろしいですか？"},
};

bool clearMorphKeys(Scene& scene, FrameSystems& systems, int id) {
  for (const MorphClearing& clearing : kMorphClearings) {
    if (clearing.id == id) {
      if (!confirm(systems, clearing.question, "新規作成")) {
        return false;
      }
      clearMorphKeysOfKind(scene, *currentModel(scene), clearing.kind);
      return true;
    }
  }
  return false;
}

bool toggleFollowCameraLight(Scene& scene, FrameSystems& systems, int) {
  scene.followCameraLight = !scene.followCameraLight;
  systems.ui->checkControl(kMenuFollowCameraLight, scene.followCameraLight);
  if (scene.followCameraLight) {
    takeOverCameraView(scene, systems);
  }
  return true;
}

constexpr int kClick = port::kNotifyClicked;
constexpr CommandMode kAny = CommandMode::Any;
constexpr CommandMode kModel = CommandMode::ModelMode;
constexpr CommandMode kCamera = CommandMode::CameraMode;

const CommandRow kRows[] = {
    {kMenuSelectAllBoneKeys, kClick, selectAllModelKeys, kModel, true, false, false, true},
    {kMenuSelectAllMorphKeys, kClick, selectAllModelKeys, kModel, true, false, false, true},
    {kMenuSelectAllDisplayIkKeys, kClick, selectAllModelKeys, kModel, true, false, false, true},
    {kMenuSelectAllCameraKeys, kClick, selectAllSceneKeys, kCamera, false, false, false, true},
    {kMenuSelectAllLightKeys, kClick, selectAllSceneKeys, kCamera, false, false, false, true},
    {kMenuSelectAllAccessoryKeys, kClick, selectAllSceneKeys, kCamera, false, false, false, true},
    {kMenuZeroBoneX, kClick, zeroBones, kAny, true, false, true, true},
    {kMenuZeroBoneY, kClick, zeroBones, kAny, true, false, true, true},
    {kMenuZeroBoneZ, kClick, zeroBones, kAny, true, false, true, true},
    {kMenuResetBoneRotation, kClick, zeroBones, kAny, true, false, true, true},
    {kBoneResetButton, kClick, resetBones, kAny, true, false, true, true},
    {kMenuDeleteLipKeys, kClick, clearMorphKeys, kModel, true, true, true, true},
    {kMenuDeleteEyeKeys, kClick, clearMorphKeys, kModel, true, true, true, true},
    {kMenuDeleteBrowKeys, kClick, clearMorphKeys, kModel, true, true, true, true},
    {kMenuFollowCameraLight, kClick, toggleFollowCameraLight},
};

}  // namespace

std::span<const CommandRow> editMenuCommands() {
  return kRows;
}

}  // namespace zv
