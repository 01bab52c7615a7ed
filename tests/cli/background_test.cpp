// Backgrounds under the scene of `render` and `export`: the recorded pictures must be the ones the
// window records, and a background that cannot be used must stop the command before any file.
#include <gtest/gtest.h>

#include <QJsonObject>
#include <cstdlib>
#include <optional>
#include <string>

#include "cli_runner.h"
#include "port/canvas/canvas.h"
#include "port/gl/headless_gl_context.h"
#include "port/paths.h"
#include "port/video/video_reader.h"
#include "temp_folder.h"

namespace zv {
namespace {

std::string programFile(const char* relative) {
  return (port::executableDirectory() / relative).string();
}

const std::vector<std::string> kSize{"--width", "96", "--height", "64"};

class CliBackground : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    if (!port::HeadlessGlContext::create(error)) {
      GTEST_SKIP() << "no headless GL context: " << error;
    }
    if (const char* display = std::getenv("DISPLAY")) {
      display_ = display;
      ::unsetenv("DISPLAY");
    }
  }
  void TearDown() override {
    if (display_) {
      ::setenv("DISPLAY", display_->c_str(), 1);
    }
  }

  static test::CliRun run(const char* command, std::vector<std::string> extra) {
    std::vector<std::string> arguments{command, "--model", programFile("UserFile/Model/tessera.tsm"),
                                       "--motion", programFile("UserFile/Motion/tessera_wave.vmd")};
    arguments.insert(arguments.end(), kSize.begin(), kSize.end());
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return test::runCli(arguments);
  }

  port::Canvas rendered(int frame, const std::vector<std::string>& backgrounds) {
    const std::filesystem::path out = folder_ / ("frame" + std::to_string(frame) + ".png");
    std::vector<std::string> extra{"--frame", std::to_string(frame), "--out", out.string()};
    extra.insert(extra.end(), backgrounds.begin(), backgrounds.end());
    const test::CliRun render = run("render", extra);
    EXPECT_EQ(render.exitCode, 0) << render.err;
    EXPECT_EQ(render.err, "");
    port::Canvas picture(0, 0);
    EXPECT_TRUE(port::Canvas::readPng(out, picture));
    return picture;
  }

  // Exports frames `start` to `end` over `backgrounds` and compares every recorded picture with
  // `render` of its frame; returns how many pixels the first picture differs from a render
  // without any background, so that a background that was never drawn shows.
  int exportMatchesRender(int start, int end, const std::vector<std::string>& backgrounds) {
    const std::filesystem::path clip = folder_ / "clip.avi";
    std::vector<std::string> extra{"--out", clip.string(),      "--start", std::to_string(start),
                                   "--end", std::to_string(end)};
    extra.insert(extra.end(), backgrounds.begin(), backgrounds.end());
    const test::CliRun recording = run("export", extra);
    EXPECT_EQ(recording.exitCode, 0) << recording.err;
    EXPECT_EQ(recording.err, "");
    EXPECT_EQ(recording.json().object()["framesWritten"].toInt(), end - start + 1);
    port::VideoOpenError error = port::VideoOpenError::None;
    const auto reader = port::VideoReader::open(clip, error);
    if (!reader) {
      ADD_FAILURE() << "the export cannot be read back";
      return 0;
    }
    for (int frame = start; frame <= end; ++frame) {
      const port::Canvas expected = rendered(frame, backgrounds);
      const port::Picture* recorded = reader->decodeFrame(frame - start);
      EXPECT_EQ(differingPixels(expected, recorded), 0) << "frame " << frame;
    }
    return differingPixels(rendered(start, {}), reader->decodeFrame(0));
  }

  static int differingPixels(const port::Canvas& picture, const port::Picture* recorded) {
    if (recorded == nullptr || recorded->width != picture.width() || recorded->height != picture.height()) {
      return -1;
    }
    int differing = 0;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        const std::uint8_t* bgra = recorded->row(y) + x * 4;
        const port::Colour p = picture.pixel(x, y);
        differing += p.r != bgra[2] || p.g != bgra[1] || p.b != bgra[0] ? 1 : 0;
      }
    }
    return differing;
  }

  test::TempFolder folder_;
  std::optional<std::string> display_;
};

TEST_F(CliBackground, ExportOverAVideoRecordsWhatRenderDrawsFrameByFrame) {
  const std::vector<std::string> video{"--background-video",
                                       programFile("UserFile/BackGround/demo_background.avi")};
  EXPECT_GT(exportMatchesRender(3, 6, video), 1000);
}

TEST_F(CliBackground, ExportOverAnImageAndUnderAVideoRecordsWhatRenderDraws) {
  const std::string image = programFile("UserFile/BackGround/demo_background.bmp");
  EXPECT_GT(exportMatchesRender(0, 1, {"--background-image", image}), 1000);
  const std::vector<std::string> both{"--background-image", image, "--background-video",
                                      programFile("UserFile/BackGround/demo_background.avi")};
  EXPECT_GT(exportMatchesRender(10, 11, both), 1000);
}

TEST_F(CliBackground, ABackgroundThatCannotBeUsedStopsTheCommandWithItsReason) {
  const std::filesystem::path out = folder_ / "kept.avi";
  test::writeFile(out, "earlier");
  test::writeFile(folder_ / "text.avi", "not a video");
  test::writeFile(folder_ / "text.bmp", "not a picture");
  // Its streams are all there, its first frame is not.
  test::writeFile(folder_ / "cut.avi",
                  test::readFile(programFile("UserFile/BackGround/demo_background.avi")).substr(0, 2000));
  struct Case {
    std::vector<std::string> options;
    const char* reason;
  };
  const Case cases[] = {
      {{"--background-video", (folder_ / "missing.avi").string()},
       "AVIデータ読込: AVIファイルが読み込めません\n"},
      {{"--background-video", (folder_ / "text.avi").string()},
       "AVIデータ読込: AVIファイルが読み込めません\n"},
      {{"--background-video", (folder_ / "cut.avi").string()},
       "AVIデータ読込: AVIファイルを読み込めません\n"},
      {{"--background-image", (folder_ / "text.bmp").string()},
       "BMPファイル読込: BMPファイルを読み込めませんでした\n"},
      {{"--background-image", (folder_ / "missing.bmp").string()},
       "BMPファイル読込: BMPファイルを読み込めませんでした\n"},
  };
  for (const Case& bad : cases) {
    std::vector<std::string> exportArguments{"--out", out.string(), "--start", "0", "--end", "1"};
    exportArguments.insert(exportArguments.end(), bad.options.begin(), bad.options.end());
    const test::CliRun recording = run("export", exportArguments);
    EXPECT_EQ(recording.exitCode, 1) << bad.options[1];
    EXPECT_EQ(recording.err, bad.reason);
    EXPECT_EQ(recording.out, "");
    std::vector<std::string> renderArguments{"--frame", "0", "--out", (folder_ / "no.png").string()};
    renderArguments.insert(renderArguments.end(), bad.options.begin(), bad.options.end());
    const test::CliRun render = run("render", renderArguments);
    EXPECT_EQ(render.exitCode, 1);
    EXPECT_EQ(render.err, bad.reason);
  }
  EXPECT_EQ(test::readFile(out), "earlier");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "no.png"));
}

// The demo project stores a background image; a video given on the command line lies over it. Both
// are 16:9 and fill the width, so the margins above and below stay white in both pictures.
TEST_F(CliBackground, AVideoGivenWithAProjectLiesOverTheProjectsImage) {
  auto renderProject = [this](const char* name, std::vector<std::string> extra) {
    const std::filesystem::path out = folder_ / name;
    std::vector<std::string> arguments{
        "render", "--project", programFile("UserFile/demo.tsf"), "--frame", "0", "--out", out.string()};
    arguments.insert(arguments.end(), kSize.begin(), kSize.end());
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    const test::CliRun render = test::runCli(arguments);
    EXPECT_EQ(render.exitCode, 0) << render.err;
    EXPECT_EQ(render.err, "");
    port::Canvas picture(0, 0);
    EXPECT_TRUE(port::Canvas::readPng(out, picture));
    return picture;
  };
  const port::Canvas imageOnly = renderProject("image.png", {});
  const port::Canvas withVideo = renderProject(
      "video.png", {"--background-video", programFile("UserFile/BackGround/demo_background.avi")});
  ASSERT_EQ(withVideo.height(), 64);
  auto sameRow = [&](int y) {
    for (int x = 0; x < imageOnly.width(); ++x) {
      const port::Colour p = imageOnly.pixel(x, y);
      const port::Colour q = withVideo.pixel(x, y);
      if (p.r != q.r || p.g != q.g || p.b != q.b) {
        return false;
      }
    }
    return true;
  };
  const port::Colour corner = withVideo.pixel(0, 0);
  EXPECT_TRUE(corner.r == 255 && corner.g == 255 && corner.b == 255);
  EXPECT_TRUE(sameRow(0));
  EXPECT_FALSE(sameRow(20));  // the sky of the video, not the image's
}

TEST_F(CliBackground, ABackgroundGivenTwiceIsAUsageError) {
  const std::string video = programFile("UserFile/BackGround/demo_background.avi");
  const test::CliRun twice = run("render", {"--frame", "0", "--out", (folder_ / "a.png").string(),
                                            "--background-video", video, "--background-video", video});
  EXPECT_EQ(twice.exitCode, 2);
  EXPECT_NE(twice.err.find("--background-video takes one file"), std::string::npos) << twice.err;
  EXPECT_FALSE(std::filesystem::exists(folder_ / "a.png"));
}

}  // namespace
}  // namespace zv
