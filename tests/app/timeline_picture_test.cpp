// Reviewed pictures of the frame editor's grid with the demo motions: model mode with one group
// closed and some keys selected, and camera mode with camera and light keys.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/file_commands.h"
#include "app/model_commands.h"
#include "editor_fixture.h"
#include "ui/timeline_drawing.h"

namespace zv {
namespace {

constexpr int kPanelWidth = 600;

class TimelinePicture : public test::EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    if (!context_) {
      return;
    }
    ui_.client = {0, 0, 1280, 900};
    scene_.panelWidth = kPanelWidth;
    layoutWindow(scene_, *systems_);
  }

  // The part of the working bitmap the window shows (the grid starts 6 pixels into the window).
  void expectGridLooksLike(const std::string& name) {
    rebuildRows(scene_, systems_->panels);
    drawTimeline(scene_, systems_->panels, ui_);
    const port::Canvas& bitmap = systems_->panels.bitmaps.frameEditor;
    const int width = kPanelWidth - 23;
    const int height = ui_.client.height() - 373;
    port::Canvas shown(width, height);
    shown.draw({0, 0, width, height}, bitmap, {0, 0, width, height});
    const std::filesystem::path reference = std::filesystem::path(ZV_TEST_DATA_DIR) / (name + ".png");
    const char* bless = std::getenv("ZV_BLESS_REFERENCES");
    if (bless && std::string(bless) == "1") {
      ASSERT_TRUE(shown.writePng(reference));
      return;
    }
    shown.writePng(std::filesystem::current_path() / (name + ".actual.png"));
    port::Canvas expected(0, 0);
    ASSERT_TRUE(port::Canvas::readPng(reference, expected)) << "missing reference " << name;
    ASSERT_EQ(expected.width(), width);
    ASSERT_EQ(expected.height(), height);
    int differing = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        differing += expected.pixel(x, y) != shown.pixel(x, y);
      }
    }
    // Font rasterising may move a few text pixels; marks and lines are exact.
    EXPECT_LE(differing, 40) << name << ": " << differing << " pixels differ";
  }
};

TEST_F(TimelinePicture, ModelModeWithAClosedGroupAndSelectedKeys) {
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  ASSERT_TRUE(loadMotion(scene_, "UserFile/Motion/tessera_wave.vmd", ui_));
  Model& model = *currentModel(scene_);
  for (GroupName& group : model.groupNames) {
    group.open = true;
  }
  ASSERT_GT(model.groupNames.size(), 3u);
  model.groupNames[3].open = false;
  for (std::uint32_t index = 0; index < model.boneKeyPool.extent(); ++index) {
    const BoneKey& key = model.boneKeyPool[index];
    model.boneKeyPool.at(index).selected = key.frame >= 10 && key.frame <= 20 && index % 2 == 0;
  }
  scene_.currentFrame = 15;
  expectGridLooksLike("timeline_model_mode");
}

TEST_F(TimelinePicture, CameraModeWithCameraAndLightKeys) {
  ASSERT_TRUE(scene_.cameraMode);
  ASSERT_TRUE(loadMotion(scene_, "UserFile/Motion/demo_camera.vmd", ui_));
  for (std::uint32_t index = 0; index < scene_.cameraKeyPool.extent(); ++index) {
    scene_.cameraKeyPool.at(index).selected = index % 3 == 1;
  }
  scene_.currentFrame = 25;
  expectGridLooksLike("timeline_camera_mode");
}

}  // namespace
}  // namespace zv
