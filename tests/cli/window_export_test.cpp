// The AVI export started from the window's dialogs against the command-line export of the same
// scene: the same pictures and the same music.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/command_handler.h"
#include "app/file_commands.h"
#include "app/frame_step.h"
#include "cli_runner.h"
#include "port/gl/headless_gl_context.h"
#include "port/paths.h"
#include "port/video/video_file_info.h"
#include "port/video/video_reader.h"
#include "temp_folder.h"
#include "ui/control_ids.h"
#include "ui/model_loading.h"
#include "ui_with_controls.h"

namespace zv {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

std::filesystem::path programFile(const char* relative) {
  return port::executableDirectory() / relative;
}

// The window's part without a window: the scene, the headless Ui and the frame systems at the
// picture size, with the model, its motion and the music loaded as the CLI loads them.
struct WindowScene {
  test::UiWithControls ui;
  Scene scene;
  std::unique_ptr<FrameSystems> systems = std::make_unique<FrameSystems>();

  bool load() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    scene.exeDirectory = port::executableDirectory();
    scene.outputWidth = kWidth;
    scene.outputHeight = kHeight;
    if (!createFrameSystems(*systems, scene, ui, {kWidth, kHeight}, nullptr, scene.exeDirectory)) {
      return false;
    }
    layoutView(scene, *systems);
    auto model = std::make_unique<Model>();
    std::filesystem::path modelPath = programFile("UserFile/Model/tessera.tsm");
    std::filesystem::path wavPath = programFile("UserFile/Wave/demo_beat.wav");
    if (!loadModel(*model, ui, modelPath, systems->device, systems->textures, scene.exeDirectory, false)) {
      return false;
    }
    scene.modelSlots[0] = std::move(model);
    scene.cameraMode = false;
    const bool loaded = loadMotion(scene, programFile("UserFile/Motion/tessera_wave.vmd"), ui) &&
                        zv::open(systems->wav, wavPath, scene.exeDirectory).done;
    scene.cameraMode = false;
    ui.command = [this](int id, int notification) { handleCommand(scene, *systems, id, notification); };
    return loaded;
  }
};

std::vector<std::vector<std::uint8_t>> picturesOf(const std::filesystem::path& file) {
  port::VideoOpenError error{};
  const auto reader = port::VideoReader::open(file, error);
  std::vector<std::vector<std::uint8_t>> pictures;
  for (std::int64_t frame = 0; reader && frame < reader->frameCount(); ++frame) {
    const port::Picture* picture = reader->decodeFrame(frame);
    pictures.push_back(picture ? picture->pixels : std::vector<std::uint8_t>());
  }
  return pictures;
}

TEST(WindowExport, TheDialogsRecordWhatTheCommandLineRecordsOfTheSameScene) {
  std::unique_ptr<port::HeadlessGlContext> context;
  {
    std::string error;
    context = port::HeadlessGlContext::create(error);
    if (!context) {
      GTEST_SKIP() << "no headless GL context: " << error;
    }
  }
  const test::TempFolder folder;
  const test::CliRun cli = test::runCli(
      {"export", "--model", programFile("UserFile/Model/tessera.tsm").string(), "--motion",
       programFile("UserFile/Motion/tessera_wave.vmd").string(), "--wav",
       programFile("UserFile/Wave/demo_beat.wav").string(), "--start", "0", "--end", "14", "--width",
       std::to_string(kWidth), "--height", std::to_string(kHeight), "--out", (folder / "cli.avi").string()});
  ASSERT_EQ(cli.exitCode, 0) << cli.err;

  WindowScene window;
  ASSERT_TRUE(window.load());
  window.ui.dialogAnswers.push_back(folder / "window.avi");
  port::FormAnswer settings;
  settings.texts = {{509, "0"}, {510, "14"}};
  window.ui.formAnswers = {settings, port::FormAnswer{}};
  window.ui.click(kMenuExportAvi);
  ASSERT_TRUE(window.scene.recording);
  for (int step = 0; window.scene.recording && step < 100; ++step) {
    frameStep(window.scene, *window.systems);
  }
  EXPECT_FALSE(window.scene.recording);
  EXPECT_TRUE(window.ui.messages.empty());

  const auto fromCli = picturesOf(folder / "cli.avi");
  ASSERT_EQ(fromCli.size(), 15u);
  EXPECT_TRUE(picturesOf(folder / "window.avi") == fromCli);
  const auto music = port::readAudioBytes(folder / "window.avi");
  ASSERT_TRUE(music);
  EXPECT_FALSE(music->empty());
  EXPECT_TRUE(music == port::readAudioBytes(folder / "cli.avi"));
  releaseFrameSystems(*window.systems, window.scene);
}

}  // namespace
}  // namespace zv
