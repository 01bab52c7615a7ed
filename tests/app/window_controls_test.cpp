// Start-up gives the window its controls and menus and hands what the user does to the command
// handler, through the same callbacks for the headless window as for the real one.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/startup.h"
#include "port/headless_window_host.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

TEST(StartUpControls, TheWindowStartsWithEveryControlAndMenuInItsStartState) {
  port::HeadlessWindowHost host;
  Scene scene;
  std::vector<std::pair<int, int>> commands;
  std::vector<int> scrolled;
  WindowContents contents;
  contents.command = [&](int id, int notification) { commands.emplace_back(id, notification); };
  contents.scrolled = [&](int id, port::ScrollCode, int) { scrolled.push_back(id); };
  ASSERT_EQ(startUp(scene, host, "", contents), StartOutcome::Running);
  const port::HeadlessUi& ui = host.headlessUi;
  EXPECT_EQ(ui.control(kUndoButton).text, "元に戻す");
  EXPECT_FALSE(ui.control(kUndoButton).enabled);
  EXPECT_EQ(ui.control(kMenuNew).text, "新規(&N)");
  EXPECT_TRUE(ui.control(kMenu60Fps).checked);
  EXPECT_FALSE(ui.control(kMenuSavePose).enabled);
  EXPECT_TRUE(ui.command);
  EXPECT_TRUE(ui.scrolled);
  // What the user does reaches the shell's handler through the window's callbacks.
  host.headlessUi.click(kPlayButton);
  host.headlessUi.scroll(kViewAngleBar, port::ScrollCode::ThumbTrack, 30);
  EXPECT_TRUE(ui.control(kPlayButton).checked);
  EXPECT_EQ(commands, (std::vector<std::pair<int, int>>{{kPlayButton, port::kNotifyClicked}}));
  EXPECT_EQ(scrolled, std::vector<int>{kViewAngleBar});
}

}  // namespace
}  // namespace zv
