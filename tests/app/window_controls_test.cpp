// Start-up gives the window its controls and menus and hands what the user does to the command
// handler, through the same callbacks for the headless window as for the real one.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "port/headless_window_host.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

TEST(StartUpControls, TheWindowStartsWithEveryControlAndMenuInItsStartState) {
  port::HeadlessWindowHost host;
  Scene scene;
  ASSERT_TRUE(initialise(scene, host, ""));
  const port::HeadlessUi& ui = host.headlessUi;
  EXPECT_EQ(ui.control(kUndoButton).text, "元に戻す");
  EXPECT_FALSE(ui.control(kUndoButton).enabled);
  EXPECT_EQ(ui.control(kMenuNew).text, "新規(&N)");
  EXPECT_TRUE(ui.control(kMenu60Fps).checked);
  EXPECT_FALSE(ui.control(kMenuSavePose).enabled);
  EXPECT_TRUE(ui.command);
  EXPECT_TRUE(ui.scrolled);
  // Reaching the handler through the window's callbacks changes nothing while it has no commands.
  host.headlessUi.click(kPlayButton);
  host.headlessUi.scroll(kViewAngleBar, port::ScrollCode::ThumbTrack, 30);
  EXPECT_TRUE(ui.control(kPlayButton).checked);
  EXPECT_FALSE(scene.modified);
}

}  // namespace
}  // namespace zv
