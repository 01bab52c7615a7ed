// The panels' track bars: a face bar sets the weight of its group's chosen morph, which the
// group's register button then keys; a camera or light bar sets what its box shows.
#include <gtest/gtest.h>

#include "app/command_handler.h"
#include "app/model_commands.h"
#include "app/new_scene.h"
#include "app/window_panels.h"
#include "editor_fixture.h"
#include "port/text.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

class PanelTrackBars : public test::EditorTest {};

TEST_F(PanelTrackBars, TheEyeBarSetsTheBlinkWeightAndRegisterKeysIt) {
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

TEST_F(PanelTrackBars, ABarWithoutAModelOrAChosenMorphChangesNothing) {
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

TEST_F(PanelTrackBars, CameraAndLightBarsSetTheirBoxAndTheScene) {
  if (!context_) {
    GTEST_SKIP() << "no OpenGL 3.3 core context";
  }
  EXPECT_EQ(ui_.control(kViewAngleBar).rangeMax, 150);
  EXPECT_EQ(ui_.control(kLightColourBars[0]).rangeMax, 256);
  EXPECT_EQ(ui_.control(kLightDirectionBars[2]).rangeMin, -100);

  ui_.scroll(kViewAngleBar, port::ScrollCode::ThumbTrack, 60);
  EXPECT_EQ(ui_.control(kViewAngleBox).text, " 60");
  EXPECT_EQ(scene_.camera.fieldOfView, 60.0f);

  ui_.scroll(kLightColourBars[1], port::ScrollCode::ThumbTrack, 128);
  EXPECT_EQ(ui_.control(kLightColourBoxes[1]).text, "128");
  EXPECT_EQ(scene_.light.lightColour.y, 0.5f);

  ui_.scroll(kLightDirectionBars[0], port::ScrollCode::ThumbTrack, -50);
  EXPECT_EQ(ui_.control(kLightDirectionBoxes[0]).text, "-0.5");
  EXPECT_EQ(scene_.light.lightDirection.x, -0.5f);
  EXPECT_EQ(ui_.control(kLightDirectionBars[0]).position, -50);
}

}  // namespace
}  // namespace zv
