#include <gtest/gtest.h>

#include "app/command_handler.h"
#include "app/model_commands.h"
#include "app/new_scene.h"
#include "app/window_panels.h"
#include "editor_fixture.h"
#include "frame_fixture.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

class NumberEditTest : public test::EditorTest {
 protected:
  void answer(std::map<int, std::string> texts, bool ok = true) {
    port::FormAnswer form;
    form.texts = std::move(texts);
    form.ok = ok;
    ui_.formAnswers.push_back(form);
  }

  std::uint32_t childBone(const Model& model) const {
    std::uint32_t bone = 0;
    while (bone < model.bones.size() && model.bones[bone].parent < 0) {
      ++bone;
    }
    return bone;
  }
};

TEST_F(NumberEditTest, CentreBiasMovesOnlyParentlessBonesKeysAndCancelKeepsThem) {
  Model& model = addDemoModel();
  const std::uint32_t child = childBone(model);
  ASSERT_LT(child, model.bones.size());
  ASSERT_LT(model.bones[0].parent, 0);
  ASSERT_TRUE(registerBoneKey(scene_, model, 0, 10));
  ASSERT_TRUE(registerBoneKey(scene_, model, child, 10));
  clearKeySelection(model.boneKeyPool);
  model.boneKeyPool.at(0).selected = true;
  model.boneKeyPool.at(child).selected = true;

  answer({{501, "1.0"}, {502, "2"}, {503, "-0.5"}}, false);
  ui_.click(kMenuCentreBias);
  EXPECT_EQ(model.boneKeyPool[0].translation, (Vec3{0, 0, 0}));
  EXPECT_FALSE(scene_.modified);

  answer({{501, "1.0"}, {502, "2"}, {503, "-0.5"}});
  ui_.click(kMenuCentreBias);
  ASSERT_EQ(ui_.forms.size(), 2u);
  EXPECT_EQ(ui_.forms.back().caption, "バイアス付加");
  EXPECT_EQ(model.boneKeyPool[0].translation, (Vec3{1.0f, 2.0f, -0.5f}));
  EXPECT_EQ(model.boneKeyPool[child].translation, (Vec3{0, 0, 0}));
  EXPECT_TRUE(scene_.modified);
  EXPECT_TRUE(ui_.control(kUndoButton).enabled);
}

TEST_F(NumberEditTest, StretchReadsTheRangeBoxesAndAsksOnlyForAProperRange) {
  Model& model = addDemoModel();
  for (std::uint32_t frame : {15u, 20u, 40u}) {
    ASSERT_TRUE(registerBoneKey(scene_, model, 0, frame));
  }
  ui_.setControlText(kRangeStartBox, "20");
  ui_.setControlText(kRangeEndBox, "10");
  ui_.click(kStretchButton);
  EXPECT_TRUE(ui_.forms.empty());

  scene_.currentFrame = 10;
  ui_.setControlText(kRangeStartBox, "10");
  ui_.setControlText(kRangeEndBox, "20");
  answer({{505, "2.0"}});
  ui_.click(kStretchButton);
  ASSERT_EQ(ui_.forms.size(), 1u);
  EXPECT_EQ(ui_.forms[0].caption, "時間拡大(縮小)率");
  std::vector<std::uint32_t> frames;
  for (std::uint32_t key = model.boneKeyPool[0].next; key != 0; key = model.boneKeyPool[key].next) {
    frames.push_back(model.boneKeyPool[key].frame);
  }
  EXPECT_EQ(frames, (std::vector<std::uint32_t>{20, 30, 40}));
  EXPECT_TRUE(scene_.modified);
}

TEST_F(NumberEditTest, CameraBiasesChangeTheSelectedCameraKeysInCameraModeOnly) {
  scene_.cameraKeyPool.at(0).selected = true;
  answer({{516, "-5"}});
  ui_.click(kMenuViewAngleBias);
  EXPECT_EQ(scene_.cameraKeyPool[0].viewAngle, 40);
  ASSERT_EQ(ui_.forms.size(), 1u);
  EXPECT_EQ(ui_.forms[0].caption, "視野角差分（±）");

  answer({{516, "5"}});
  ui_.click(kMenuCameraDistanceBias);
  EXPECT_EQ(scene_.cameraKeyPool[0].distance, -40.0f);
  EXPECT_TRUE(scene_.modified);

  addDemoModel();
  ui_.click(kMenuViewAngleBias);
  EXPECT_EQ(ui_.forms.size(), 2u);  // model mode: no dialog
}

TEST_F(NumberEditTest, LipShiftRefusesFramesPastTheLastAndShowsWhy) {
  Model& model = addDemoModel();
  std::uint32_t lip = 0;
  while (lip < model.morphs.size() && model.morphs[lip].category != 3) {
    ++lip;
  }
  ASSERT_LT(lip, model.morphs.size());
  model.morphs[lip].weight = 1.0f;
  ASSERT_TRUE(registerMorphKey(scene_, model, lip, 5));
  ASSERT_TRUE(registerMorphKey(scene_, model, lip, 40));

  answer({{516, "2147483647"}});
  ui_.click(kMenuShiftLipKeys);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(model.morphKeyPool[model.morphKeyPool[lip].next].frame, 5u);
  EXPECT_FALSE(scene_.modified);

  answer({{516, "-10"}});
  ui_.click(kMenuShiftLipKeys);
  const std::uint32_t first = model.morphKeyPool[lip].next;
  ASSERT_NE(first, 0u);
  EXPECT_EQ(model.morphKeyPool[first].frame, 30u);
  EXPECT_EQ(model.morphKeyPool[first].next, 0u);
  EXPECT_TRUE(scene_.modified);
}

}  // namespace
}  // namespace zv
