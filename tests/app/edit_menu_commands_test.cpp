#include <gtest/gtest.h>

#include <cmath>

#include "app/command_handler.h"
#include "app/model_commands.h"
#include "app/new_scene.h"
#include "app/view_transforms.h"
#include "app/window_panels.h"
#include "editor_fixture.h"
#include "frame_fixture.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

class EditMenuTest : public test::EditorTest {
 protected:
  // Where the view puts a world point before projection, as the frame step composes it.
  Vec3 inView(Vec3 point) const {
    const Mat4 world = translation(worldCentre(scene_) * -1.0f) * viewRotation(scene_.camera.cameraAngles);
    return transformPoint(point, world * viewLookAt(scene_));
  }
};

std::uint32_t countSelected(const KeyPool<BoneKey>& pool) {
  std::uint32_t selected = 0;
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    selected += pool[index].selected ? 1 : 0;
  }
  return selected;
}

TEST_F(EditMenuTest, SelectAllActsOnTheFamilyOfTheMode) {
  ui_.click(kMenuSelectAllCameraKeys);
  EXPECT_TRUE(scene_.cameraKeyPool[0].selected);
  EXPECT_FALSE(scene_.modified);

  Model& model = addDemoModel();
  model.bones[0].keyTranslation = {1, 0, 0};
  ASSERT_TRUE(registerBoneKey(scene_, model, 0, 30));
  clearKeySelection(model.boneKeyPool);
  scene_.cameraKeyPool.at(0).selected = false;
  ui_.click(kMenuSelectAllCameraKeys);
  EXPECT_FALSE(scene_.cameraKeyPool[0].selected);  // a camera command in model mode does nothing
  ui_.click(kMenuSelectAllBoneKeys);
  EXPECT_EQ(countSelected(model.boneKeyPool), model.bones.size() + 1);
}

TEST_F(EditMenuTest, ClearingEyeKeysAsksFirstAndCancelKeepsThem) {
  Model& model = addDemoModel();
  std::uint32_t eye = 0;
  while (eye < model.morphs.size() && model.morphs[eye].category != 2) {
    ++eye;
  }
  ASSERT_LT(eye, model.morphs.size());
  model.morphs[eye].weight = 1.0f;
  ASSERT_TRUE(registerMorphKey(scene_, model, eye, 12));

  ui_.messageAnswers = {port::MessageAnswer::Cancel};
  ui_.click(kMenuDeleteEyeKeys);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            "目のフレームを全て削除します\n表情フレームの変更は元に戻せません\n\nよろしいですか？");
  EXPECT_EQ(ui_.messages[0].caption, "新規作成");
  EXPECT_EQ(ui_.messages[0].buttons, port::MessageButtons::OkCancel);
  EXPECT_EQ(scene_.enterKeyState, KeyState::Held);
  EXPECT_NE(model.morphKeyPool[eye].next, 0u);
  EXPECT_FALSE(scene_.modified);

  ui_.messageAnswers = {port::MessageAnswer::Ok};
  ui_.click(kMenuDeleteEyeKeys);
  EXPECT_EQ(model.morphKeyPool[eye].next, 0u);
  EXPECT_TRUE(scene_.modified);
}

TEST_F(EditMenuTest, ZeroAndResetChangeThePoseWithAnUndoStep) {
  Model& model = addDemoModel();
  ASSERT_GT(model.bones.size(), 1u);
  model.bones[0].keyTranslation = {1, 2, 3};
  model.boneSelected.assign(model.bones.size(), 0);
  model.boneSelected[0] = 1;
  ui_.click(kMenuZeroBoneZ);
  EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{1, 2, 0}));
  EXPECT_TRUE(ui_.control(kUndoButton).enabled);
  EXPECT_TRUE(scene_.modified);

  ui_.click(kBoneResetButton);
  EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{1, 0, 0}));
  ui_.click(kUndoButton);
  EXPECT_EQ(model.bones[0].keyTranslation, (Vec3{1, 2, 0}));
  EXPECT_TRUE(ui_.control(kRedoButton).enabled);
}

TEST_F(EditMenuTest, FollowingTheCameraKeepsTheEditingViewWhereTheCameraStands) {
  Model& model = addDemoModel();
  scene_.followModelCentre = true;
  model.bones[0].keyTranslation = {2.0f, 1.0f, -3.0f};
  CameraKey camera;
  camera.centre = {3.0f, 12.0f, -4.0f};
  camera.rotation = {0.3f, 0.8f, 0.1f};
  camera.distance = -40.0f;
  scene_.currentFrame = 0;
  ASSERT_TRUE(registerCameraKeyWithValues(scene_, 0, camera));
  scene_.viewOffsetX = 7.0f;

  ui_.click(kMenuFollowCameraLight);
  ASSERT_TRUE(scene_.followCameraLight);
  EXPECT_TRUE(ui_.control(kMenuFollowCameraLight).checked);
  EXPECT_EQ(scene_.camera.cameraAngles, camera.rotation);

  // The camera's own view: turned about its centre, the eye on the axis at its distance.
  const Mat4 cameraWorld = translation(camera.centre * -1.0f) * viewRotation(camera.rotation);
  Mat4 cameraView;
  ASSERT_TRUE(lookAt(cameraView, {0, 0, camera.distance}, {0, 0, camera.distance + 80.0f}, {0, 1, 0}));
  for (Vec3 point : {Vec3{0, 0, 0}, Vec3{3, 12, -4}, Vec3{-10, 25, 8}, Vec3{5, 0, 30}}) {
    const Vec3 expected = transformPoint(point, cameraWorld * cameraView);
    const Vec3 shown = inView(point);
    EXPECT_NEAR(shown.x, expected.x, 1e-3f);
    EXPECT_NEAR(shown.y, expected.y, 1e-3f);
    EXPECT_NEAR(shown.z, expected.z, 1e-3f);
  }

  const float offsetX = scene_.viewOffsetX;
  ui_.click(kMenuFollowCameraLight);
  EXPECT_FALSE(scene_.followCameraLight);
  EXPECT_FALSE(ui_.control(kMenuFollowCameraLight).checked);
  EXPECT_EQ(scene_.viewOffsetX, offsetX);
}

}  // namespace
}  // namespace zv
