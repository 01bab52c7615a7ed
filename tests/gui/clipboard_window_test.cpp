// The real clipboard buttons under the test script's X server: a click on "コピー" then "ﾍﾟｰｽﾄ"
// or "反転P" writes the keys, and the pose buttons carry a bone's pose to the other side.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/frame_step.h"
#include "app/model_commands.h"
#include "app/window_program.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "port/text.h"
#include "real_window.h"
#include "scene/keys/key_bone_lookup.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

class ClipboardWindow : public test::RealWindow {
 protected:
  std::uint32_t bone(const char* name) {
    return findBoneByName(*currentModel(scene_), port::utf8ToCp932(name)).value_or(0);
  }
  std::optional<BoneKey> keyAt(std::uint32_t head, std::uint32_t frame) {
    const KeyPool<BoneKey>& pool = currentModel(scene_)->boneKeyPool;
    for (std::uint32_t key = pool[head].next; key != 0; key = pool[key].next) {
      if (pool[key].frame == frame) {
        return pool[key];
      }
    }
    return std::nullopt;
  }
};

TEST_F(ClipboardWindow, TheRealCopyAndPasteButtonsWriteKeysAndPoses) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  steps(1);
  messages_.clear();  // the model's comment
  Model& model = *currentModel(scene_);
  const std::uint32_t left = bone("左足"), right = bone("右足");
  ASSERT_NE(left, right);
  clearKeySelection(model.boneKeyPool);
  clearKeySelection(model.morphKeyPool);
  clearKeySelection(model.displayIkKeyPool);
  BoneKey values;
  values.translation = {1, 2, 3};
  values.rotation = {0.1f, 0.2f, 0.3f, 0.9f};
  ASSERT_TRUE(registerBoneKeyWithValues(scene_, model, left, 10, values));
  ASSERT_TRUE(registerBoneKeyWithValues(scene_, model, left, 14, values));
  EXPECT_FALSE(ui().widget(kKeyPasteButton)->isEnabled());

  click(kKeyCopyButton);
  scene_.currentFrame = 100;
  click(kKeyPasteButton);
  EXPECT_TRUE(keyAt(left, 100));
  EXPECT_TRUE(keyAt(left, 104));
  click(kKeyMirrorPasteButton);
  const std::optional<BoneKey> mirrored = keyAt(right, 104);
  ASSERT_TRUE(mirrored);
  EXPECT_EQ(mirrored->translation, (Vec3{-1, 2, 3}));
  EXPECT_TRUE(ui().widget(kUndoButton)->isEnabled());

  std::ranges::fill(model.boneSelected, 0);
  model.boneSelected[left] = 1;
  model.bones[left].keyTranslation = {5, 0, 0};
  click(kPoseCopyButton);
  click(kPoseMirrorPasteButton);
  EXPECT_EQ(model.bones[right].keyTranslation, (Vec3{-5, 0, 0}));
  EXPECT_EQ(model.boneSelected[right], 1);
  EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace zv
