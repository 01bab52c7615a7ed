// Start-up with the window's contents: they are made before the window shows, laid out then and
// on every resize, and a failure to make them ends the process with exit code 1.
#include <gtest/gtest.h>

#include <vector>

#include "app/startup.h"
#include "port/headless_window_host.h"
#include "port/paths.h"
#include "temp_folder.h"

namespace zv {
namespace {

class WindowContentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    configPath_ = port::executableDirectory() / "Data" / "config.ini";
    if (std::filesystem::exists(configPath_)) {
      saved_ = test::readFile(configPath_);
    }
    std::filesystem::remove(configPath_);
  }
  void TearDown() override {
    std::filesystem::remove(configPath_);
    if (saved_) {
      test::writeFile(configPath_, *saved_);
    }
  }
  std::filesystem::path configPath_;
  std::optional<std::string> saved_;
  port::HeadlessWindowHost host_;
  Scene scene_;
  std::vector<std::string> calls_;
};

TEST_F(WindowContentsTest, AreMadeBeforeTheWindowShowsAndLaidOutOnEveryResize) {
  WindowContents contents;
  contents.create = [&] {
    calls_.push_back(host_.shown ? "create after show" : "create");
    return true;
  };
  contents.layout = [&] {
    const port::Rect client = host_.ui().clientRect();
    calls_.push_back("layout " + std::to_string(client.width()) + "x" + std::to_string(client.height()));
  };
  host_.screen = {1600, 900};
  ASSERT_EQ(startUp(scene_, host_, "", contents), StartOutcome::Running);
  EXPECT_TRUE(host_.shown);
  host_.resize(800, 600);
  EXPECT_EQ(calls_, (std::vector<std::string>{"create", "layout 1600x870", "layout 800x600"}));
}

TEST_F(WindowContentsTest, AFailureEndsTheProcessWithCodeOneBeforeTheWindowShows) {
  WindowContents contents;
  contents.create = [] { return false; };
  contents.layout = [&] { calls_.push_back("layout"); };
  const StartOutcome outcome = startUp(scene_, host_, "", contents);
  EXPECT_EQ(outcome, StartOutcome::ContentsFailed);
  EXPECT_EQ(exitCode(outcome), 1);
  EXPECT_FALSE(host_.shown);
  EXPECT_TRUE(calls_.empty());
  EXPECT_EQ(exitCode(StartOutcome::WindowFailed), 0);
}

}  // namespace
}  // namespace zv
