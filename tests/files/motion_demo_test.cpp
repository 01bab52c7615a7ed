#include <gtest/gtest.h>

#include <cstdlib>

#include "files/motion/motion_file.h"
#include "scene/document/model_reader.h"
#include "temp_folder.h"

namespace zv {
namespace {

std::filesystem::path sourceFile(const char* relative) {
  return std::filesystem::path(std::getenv("ZV_SOURCE_DIR")) / relative;
}

// The shipped wave names only bones and morphs the demo character has, so it loads without a
// question and every record becomes a key.
TEST(MotionDemo, TheWaveFitsTheDemoCharacter) {
  Scene scene;
  scene.cameraMode = false;
  auto model = std::make_unique<Model>();
  ASSERT_FALSE(parseModel(test::readFile(sourceFile("UserFile/Model/tessera.tsm")), *model));
  scene.modelSlots[0] = std::move(model);
  scene.currentFrame = 1;
  const std::filesystem::path wave = sourceFile("UserFile/Motion/tessera_wave.vmd");
  bool asked = false;
  const Confirmation ask = [&asked](const Message&) { return asked = true; };
  const Outcome loaded = loadMotion(scene, wave, ask);
  ASSERT_TRUE(loaded);
  EXPECT_TRUE(loaded.messages.empty());
  EXPECT_FALSE(asked);
  MotionFile saved = collectSelectedMotion(scene);
  MotionFile shipped;
  ASSERT_TRUE(parseMotion(test::readFile(wave), shipped));
  EXPECT_EQ(saved.bones.size(), shipped.bones.size());
  EXPECT_EQ(saved.morphs.size(), shipped.morphs.size());
  EXPECT_EQ(scene.lastFrame, 61u);

  scene.cameraMode = true;
  const Outcome camera = loadMotion(scene, sourceFile("UserFile/Motion/demo_camera.vmd"), ask);
  ASSERT_TRUE(camera);
  EXPECT_EQ(scene.lastFrame, 91u);
  EXPECT_TRUE(camera.messages.empty());
  EXPECT_FALSE(asked);
}

}  // namespace
}  // namespace zv
