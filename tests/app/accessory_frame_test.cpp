// Whole frames with the demo lamp added through the accessory commands and drawn by the frame step.
#include <gtest/gtest.h>

#include "app/accessory_commands.h"
#include "app/frame_step.h"
#include "frame_fixture.h"
#include "port/text.h"

namespace zv {
namespace {

using test::FrameStepTest;

const std::filesystem::path kLamp = "UserFile/Accessory/lamp.vac";

// How many pixels of the two pictures differ at all.
int differingPixels(const RgbaImage& a, const RgbaImage& b) {
  int count = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      count += test::pixelAt(a, x, y) != test::pixelAt(b, x, y) ? 1 : 0;
    }
  }
  return count;
}

int boneNamed(const Model& model, std::string_view cp932Name) {
  for (std::size_t bone = 0; bone < model.bones.size(); ++bone) {
    if (model.bones[bone].name == cp932Name) {
      return static_cast<int>(bone);
    }
  }
  return -1;
}

TEST_F(FrameStepTest, TheLampStandsOnTheGroundAndCastsItsShadowWhenNotSelecting) {
  ASSERT_TRUE(addAccessory(scene_, *systems_, kLamp));
  scene_.editMode = EditMode::Select;
  frameStep(scene_, *systems_);
  const RgbaImage selecting = readBackBuffer(systems_->device);

  scene_.editMode = EditMode::None;
  frameStep(scene_, *systems_);
  expectMatchesReference("frame_accessory_ground");
  EXPECT_GT(differingPixels(selecting, readBackBuffer(systems_->device)), 100);

  // A light from below casts no shadow at all.
  scene_.light.lightDirection = {-0.5f, 1.0f, 0.5f};
  frameStep(scene_, *systems_);
  const RgbaImage litFromBelow = readBackBuffer(systems_->device);
  scene_.editMode = EditMode::Select;
  frameStep(scene_, *systems_);
  EXPECT_EQ(differingPixels(litFromBelow, readBackBuffer(systems_->device)), 0);
}

TEST_F(FrameStepTest, TheLampRidesTheRightWristOfThePlayingCharacter) {
  Model& model = loadDemoCharacter();
  model.listIndex = 1;
  ASSERT_TRUE(addAccessory(scene_, *systems_, kLamp));
  const int wrist = boneNamed(model, port::utf8ToCp932("右手首"));
  ASSERT_GE(wrist, 0);
  ASSERT_TRUE(attachAccessory(scene_, *systems_, 0, 0, wrist));
  AccessoryKey& head = scene_.accessoryKeyPools[0].at(0);
  head.position = {0.0f, -0.5f, 0.0f};
  head.scale = 0.3f;
  scene_.accessories[0].position = head.position;
  scene_.accessories[0].scale = head.scale;

  scene_.cameraMode = false;
  scene_.viewOffsetY = 10.0f;
  scene_.playing = true;
  scene_.playRangeEndTime = 10.0f;
  scene_.frameElapsedSeconds = 0.0f;
  frameStep(scene_, *systems_);
  EXPECT_EQ(scene_.accessories[0].parentModel, 0);
  EXPECT_EQ(scene_.accessories[0].parentBone, wrist);
  expectMatchesReference("frame_accessory_on_wrist");
}

}  // namespace
}  // namespace zv
