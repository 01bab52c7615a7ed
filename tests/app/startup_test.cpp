#include "app/startup.h"

#include <gtest/gtest.h>

#include <vector>

#include "port/headless_window_host.h"
#include "port/paths.h"
#include "temp_folder.h"

namespace zv {
namespace {

// Counts milliseconds; every frame step takes `stepMilliseconds` of it.
class FakeClock : public port::Clock {
 public:
  std::int64_t ticks = 0;
  std::vector<std::int64_t> sleeps;
  std::int64_t now() override { return ticks; }
  float secondsPerTick() const override { return 0.001f; }
  void sleepMilliseconds(std::int64_t milliseconds) override {
    sleeps.push_back(milliseconds);
    ticks += milliseconds;
  }
};

// The tests run in the program folder; they keep its configuration as they found it.
class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    configPath_ = port::executableDirectory() / "Data" / "config.ini";
    std::filesystem::create_directories(configPath_.parent_path());
    saved_ =
        std::filesystem::exists(configPath_) ? test::readFile(configPath_) : std::optional<std::string>{};
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
};

TEST_F(StartUp, WithoutConfigurationTheWindowCoversTheScreen) {
  Scene scene;
  port::HeadlessWindowHost host;
  host.screen = {1600, 900};
  ASSERT_TRUE(initialise(scene, host, ""));
  EXPECT_EQ(host.headlessUi.windowTitle, "Zol_Vanta");
  EXPECT_EQ(host.headlessUi.restored, (port::Rect{0, 0, 1600, 870}));
  EXPECT_TRUE(host.shown);
  EXPECT_FALSE(host.headlessUi.isMaximised);
  EXPECT_EQ(scene.outputWidth, 512);
  EXPECT_EQ(scene.outputHeight, 384);
  EXPECT_EQ(std::filesystem::current_path(), port::executableDirectory());
  EXPECT_EQ(scene.exeDirectory, port::executableDirectory());
}

TEST_F(StartUp, ClosingAMaximisedWindowWritesTheRestoredRectangle) {
  test::writeFile(configPath_, "40\n30\n800\n600\n1\n640\n360\n320\n");
  Scene scene;
  port::HeadlessWindowHost host;
  ASSERT_TRUE(initialise(scene, host, "\"my scene.tsf\" ignored"));
  EXPECT_EQ(scene.projectPath, "my scene.tsf");
  EXPECT_TRUE(host.headlessUi.isMaximised);
  EXPECT_EQ(scene.panelWidth, 320);
  host.close();
  EXPECT_EQ(test::readFile(configPath_), "40\r\n30\r\n800\r\n600\r\n1\r\n640\r\n360\r\n320\r\n");
}

TEST_F(StartUp, UnsavedChangesAskBeforeClosing) {
  Scene scene;
  port::HeadlessWindowHost host;
  ASSERT_TRUE(initialise(scene, host, ""));
  scene.modified = true;
  host.headlessUi.messageAnswers = {port::MessageAnswer::Cancel, port::MessageAnswer::Ok};
  host.close();
  EXPECT_TRUE(host.processEvents());
  EXPECT_FALSE(std::filesystem::exists(configPath_));
  host.headlessUi.closeMainWindow();
  EXPECT_FALSE(host.processEvents());
  ASSERT_EQ(host.headlessUi.messages.size(), 2u);
  EXPECT_EQ(host.headlessUi.messages[0].text, "保存していない変更点があります\n\n終了してよろしいですか？");
  EXPECT_EQ(host.headlessUi.messages[0].caption, "終了");
  EXPECT_TRUE(std::filesystem::exists(configPath_));
}

TEST_F(StartUp, FilesDroppedOnTheWindowReachTheContents) {
  Scene scene;
  port::HeadlessWindowHost host;
  std::vector<std::filesystem::path> dropped;
  WindowContents contents;
  contents.fileDropped = [&](const std::filesystem::path& file) { dropped.push_back(file); };
  ASSERT_EQ(startUp(scene, host, "", contents), StartOutcome::Running);
  host.dropFile("a/b.vmd");
  EXPECT_EQ(dropped, std::vector<std::filesystem::path>{"a/b.vmd"});
}

TEST_F(StartUp, AnOverlongCommandLineIsReportedAndNotOpened) {
  Scene scene;
  port::HeadlessWindowHost host;
  ASSERT_TRUE(initialise(scene, host, std::string(300, 'x')));
  EXPECT_EQ(scene.projectPath, "");
  ASSERT_EQ(host.headlessUi.messages.size(), 1u);
  EXPECT_EQ(host.headlessUi.messages[0].caption, "ファイル読込");
}

// The new scene made with the window forgets the path; the project still opens afterwards.
TEST_F(StartUp, AProjectNamedOnTheCommandLineOpensOnceTheWindowIsMade) {
  Scene scene;
  port::HeadlessWindowHost host;
  std::vector<std::string> steps;
  WindowContents contents;
  contents.create = [&] {
    steps.push_back("create");
    scene.projectPath.clear();
    return true;
  };
  contents.openProject = [&] {
    steps.push_back("open " + scene.projectPath);
    EXPECT_EQ(std::filesystem::current_path(), scene.exeDirectory);
  };
  ASSERT_EQ(startUp(scene, host, "\"UserFile/demo.tsf\" ignored", contents), StartOutcome::Running);
  EXPECT_EQ(steps, (std::vector<std::string>{"create", "open UserFile/demo.tsf"}));

  steps.clear();
  port::HeadlessWindowHost secondHost;  // a window's controls are made once per window
  ASSERT_EQ(startUp(scene, secondHost, "", contents), StartOutcome::Running);
  EXPECT_EQ(steps, std::vector<std::string>{"create"});
}

TEST_F(StartUp, MainLoopRunsOneFrameStepPerIdleTurnAtTheLimit) {
  Scene scene;
  port::HeadlessWindowHost host;
  ASSERT_TRUE(initialise(scene, host, ""));
  scene.frameRateLimit = 30.0f;
  host.turnsBeforeClose = 3;
  FakeClock clock;
  std::vector<float> elapsed;
  int exitCode = runMainLoop(scene, host, clock, [&](Scene& s) {
    elapsed.push_back(s.frameElapsedSeconds);
    clock.ticks += 10;  // each frame step takes 10 ms
  });
  EXPECT_EQ(exitCode, 0);
  ASSERT_EQ(elapsed.size(), 3u);
  EXPECT_EQ(clock.sleeps, (std::vector<std::int64_t>{33, 23, 23}));
  for (float seconds : elapsed) {
    EXPECT_NEAR(seconds, 1.0f / 30.0f, 1e-6f);
  }
}

}  // namespace
}  // namespace zv
