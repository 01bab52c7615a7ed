// The mouse over the real window contents: the wheel zooms the view, a left press in the frame
// editor selects its key, the splitter follows a held drag, and the pointer position is kept.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "app/timeline_mouse.h"
#include "app/window_mouse.h"
#include "app/window_panels.h"
#include "app/window_program.h"
#include "port/gl/headless_gl_context.h"
#include "port/headless_window_host.h"
#include "ui/timeline_drawing.h"

namespace zv {
namespace {

using port::MouseButton;

class WindowMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    context_ = port::HeadlessGlContext::create(error);
    if (!context_) {
      GTEST_SKIP() << "no headless GL context: " << error;
    }
    ASSERT_EQ(startUp(scene_, host_, "", windowContents(scene_, systems_, host_)), StartOutcome::Running);
  }
  void TearDown() override {
    if (context_) {
      releaseFrameSystems(systems_, scene_);
    }
  }

  // A camera key at `frame` after the head, drawn into the grid; its pool index.
  std::uint32_t cameraKeyAt(std::uint32_t frame) {
    const std::uint32_t key = *scene_.cameraKeyPool.lowestFree();
    scene_.cameraKeyPool.linkAfter(0, 0, key, frame);
    drawTimeline(scene_, systems_.panels, host_.headlessUi);
    return key;
  }

  std::unique_ptr<port::HeadlessGlContext> context_;
  port::HeadlessWindowHost host_;
  Scene scene_;
  FrameSystems systems_;
};

TEST_F(WindowMouse, AWheelNotchMovesTheEyeBySixEitherWay) {
  ASSERT_FLOAT_EQ(scene_.camera.cameraDistance, -35.0f);
  host_.turnWheel(120, 700, 300);
  EXPECT_FLOAT_EQ(scene_.camera.cameraDistance, -29.0f);
  host_.turnWheel(-240, 100, 300);
  EXPECT_FLOAT_EQ(scene_.camera.cameraDistance, -41.0f);
  host_.turnWheel(30, 700, 300);  // a fine-grained wheel moves by its share of a notch
  EXPECT_FLOAT_EQ(scene_.camera.cameraDistance, -39.5f);
}

TEST_F(WindowMouse, ALeftPressOnAKeySelectsItAndOtherButtonsDoNot) {
  const std::uint32_t key = cameraKeyAt(4);
  const int x = kGridLeft + kColumnPitch * 4 + 2;
  const int y = kRowsTop + 3;
  host_.pressMouse(MouseButton::Right, x, y);
  host_.releaseMouse(MouseButton::Right, x, y);
  host_.pressMouse(MouseButton::Middle, x, y);
  host_.releaseMouse(MouseButton::Middle, x, y);
  EXPECT_FALSE(scene_.cameraKeyPool[key].selected);
  host_.pressMouse(MouseButton::Left, x, y);
  host_.releaseMouse(MouseButton::Left, x, y);
  EXPECT_TRUE(scene_.cameraKeyPool[key].selected);
  EXPECT_EQ(scene_.mouseX, x);
  EXPECT_EQ(scene_.mouseY, y);
}

TEST_F(WindowMouse, TheSplitterFollowsTheMoveOnlyWhileTheLeftButtonHoldsIt) {
  const int width = scene_.panelWidth;
  host_.moveMouse(width + 300, 300);
  EXPECT_EQ(scene_.panelWidth, width) << "a move without a press leaves the splitter";
  EXPECT_EQ(scene_.mouseX, width + 300);
  host_.pressMouse(MouseButton::Left, width + 3, 300);
  host_.moveMouse(400, 310);
  EXPECT_EQ(scene_.panelWidth, 400);
  host_.moveMouse(5000, 310);
  EXPECT_EQ(scene_.panelWidth, kMaxPanelWidth);
  host_.releaseMouse(MouseButton::Left, 5000, 310);
  host_.moveMouse(600, 310);
  EXPECT_EQ(scene_.panelWidth, kMaxPanelWidth);
  EXPECT_EQ(scene_.mouseY, 310);
}

}  // namespace
}  // namespace zv
