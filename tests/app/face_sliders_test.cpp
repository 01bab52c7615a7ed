// The face panel's track bars: moving one sets the weight of its group's chosen morph, which the
// group's register button then keys.
#include <gtest/gtest.h>

#include "app/command_handler.h"
#include "app/model_commands.h"
#include "app/new_scene.h"
#include "app/window_panels.h"
#include "frame_fixture.h"
#include "port/text.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

class FaceSliders : public test::FrameStepTest {
 protected:
  void SetUp() override {
    FrameStepTest::SetUp();
    if (!context_) {
      return;
    }
    createPanels(scene_, *systems_);
    newScene(scene_, *systems_);
    ui_.command = [&](int id, int notification) { handleCommand(scene_, *systems_, id, notification); };
    ui_.scrolled = [&](int id, port::ScrollCode code, int position) {
      handleScroll(scene_, *systems_, id, code, position);
    };
  }
};

TEST_F(FaceSliders, TheEyeBarSetsTheBlinkWeightAndRegisterKeysIt) {
  if (!context_) {
    GTEST_SKIP() << "no OpenGL 3.3 core context";
  }
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  Model& model = *currentModel(scene_);
  const int eye = kMorphSliders[1];
  EXPECT_EQ(ui_.control(eye).rangeMin, 0);
  EXPECT_EQ(ui_.control(eye).rangeMax, 100);
  ASSERT_EQ(ui_.control(kMorphNameBoxes[1]).text, "まばたき");
  const auto blink = static_cast<std::size_t>(model.selectedMorph[1]);

  ui_.scroll(eye, port::ScrollCode::ThumbTrack, 35);
  EXPECT_FLOAT_EQ(model.morphs[blink].weight, 0.35f);
  ui_.scroll(eye, port::ScrollCode::Bottom, 250);
  EXPECT_FLOAT_EQ(model.morphs[blink].weight, 1.0f) << "the bar stops at its end";

  scene_.currentFrame = 12;
  ui_.click(kMorphRegisterButtons[1]);
  std::uint32_t key = model.morphKeyPool[blink].next;
  while (key != 0 && model.morphKeyPool[key].frame != 12) {
    key = model.morphKeyPool[key].next;
  }
  ASSERT_NE(key, 0u);
  EXPECT_FLOAT_EQ(model.morphKeyPool[key].weight, 1.0f);
}

TEST_F(FaceSliders, ABarWithoutAModelOrAChosenMorphChangesNothing) {
  if (!context_) {
    GTEST_SKIP() << "no OpenGL 3.3 core context";
  }
  ui_.showControl(kMorphSliders[0], true);
  ui_.scroll(kMorphSliders[0], port::ScrollCode::ThumbTrack, 50);
  EXPECT_FALSE(scene_.modified);
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  Model& model = *currentModel(scene_);
  const std::vector<Morph> before = model.morphs;
  model.selectedMorph[0] = 0;
  ui_.scroll(kMorphSliders[0], port::ScrollCode::ThumbTrack, 80);
  for (std::size_t m = 0; m < before.size(); ++m) {
    EXPECT_EQ(model.morphs[m].weight, before[m].weight) << m;
  }
}

}  // namespace
}  // namespace zv
