#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <cstdlib>
#include <optional>
#include <string>

#include "cli_runner.h"
#include "files/motion_test_bytes.h"
#include "port/canvas/canvas.h"
#include "port/gl/headless_gl_context.h"
#include "port/paths.h"
#include "port/text.h"
#include "port/video/video_reader.h"
#include "temp_folder.h"

namespace zv {
namespace {

std::string programFile(const char* relative) {
  return (port::executableDirectory() / relative).string();
}

// Every run here goes without a display: the tool must draw on EGL alone.
class CliRender : public ::testing::Test {
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

  std::vector<std::string> waving() const {
    return {"--model", programFile("UserFile/Model/tessera.tsm"), "--motion",
            programFile("UserFile/Motion/tessera_wave.vmd")};
  }

  test::CliRun render(int frame, const std::filesystem::path& out, std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments{"render"};
    for (const std::string& argument : waving()) {
      arguments.push_back(argument);
    }
    arguments.insert(arguments.end(), {"--frame", std::to_string(frame), "--out", out.string()});
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return test::runCli(arguments);
  }

  test::CliRun exportAvi(const std::filesystem::path& out, std::vector<std::string> extra) {
    std::vector<std::string> arguments{"export"};
    for (const std::string& argument : waving()) {
      arguments.push_back(argument);
    }
    arguments.insert(arguments.end(), {"--out", out.string()});
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return test::runCli(arguments);
  }

  // The streams `info` finds in an AVI file.
  static QJsonArray streamsOf(const std::filesystem::path& file) {
    test::CliRun info = test::runCli({"info", file.string()});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    return info.json().object()["streams"].toArray();
  }

  test::TempFolder folder_;
  std::optional<std::string> display_;
};

int differingPixels(const port::Canvas& a, const port::Canvas& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const port::Colour p = a.pixel(x, y);
      const port::Colour q = b.pixel(x, y);
      count += p.r != q.r || p.g != q.g || p.b != q.b ? 1 : 0;
    }
  }
  return count;
}

TEST_F(CliRender, APictureOfTheSizeAskedWithTheModelMovingBetweenFrames) {
  test::CliRun first = render(0, folder_ / "f0.png", {"--width", "160", "--height", "120"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_EQ(first.err, "");  // a headless tool prints only its own output
  EXPECT_EQ(first.json().object()["width"].toInt(), 160);
  test::CliRun again = render(0, folder_ / "f0b.png", {"--width", "160", "--height", "120"});
  test::CliRun later = render(10, folder_ / "f10.png", {"--width", "160", "--height", "120"});
  ASSERT_EQ(later.exitCode, 0) << later.err;
  port::Canvas frame0(0, 0), frame0Again(0, 0), frame10(0, 0), white(160, 120);
  ASSERT_TRUE(port::Canvas::readPng(folder_ / "f0.png", frame0));
  ASSERT_TRUE(port::Canvas::readPng(folder_ / "f0b.png", frame0Again));
  ASSERT_TRUE(port::Canvas::readPng(folder_ / "f10.png", frame10));
  ASSERT_EQ(frame0.width(), 160);
  ASSERT_EQ(frame0.height(), 120);
  white.fill({0, 0, 160, 120}, {255, 255, 255, 255});
  EXPECT_GT(differingPixels(frame0, white), 500);      // the model, floor and axes are drawn
  EXPECT_EQ(differingPixels(frame0, frame0Again), 0);  // the same frame draws the same picture
  EXPECT_GT(differingPixels(frame0, frame10), 20);     // the arm has moved by frame 10
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 3);  // no leftovers
}

TEST_F(CliRender, ThePictureIsTheOneTheExportRecordsOfThatFrame) {
  const std::vector<std::string> size{"--width", "96", "--height", "64"};
  ASSERT_EQ(render(12, folder_ / "f12.png", size).exitCode, 0);
  std::vector<std::string> range{"--start", "12", "--end", "12"};
  range.insert(range.end(), size.begin(), size.end());
  ASSERT_EQ(exportAvi(folder_ / "f12.avi", range).exitCode, 0);
  port::Canvas picture(0, 0);
  ASSERT_TRUE(port::Canvas::readPng(folder_ / "f12.png", picture));
  port::VideoOpenError error = port::VideoOpenError::None;
  const auto reader = port::VideoReader::open(folder_ / "f12.avi", error);
  const port::Picture* recorded = reader ? reader->decodeFrame(0) : nullptr;
  ASSERT_NE(recorded, nullptr);
  ASSERT_EQ(recorded->width, picture.width());
  ASSERT_EQ(recorded->height, picture.height());
  int differing = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const std::uint8_t* bgra = recorded->row(y) + x * 4;
      const port::Colour p = picture.pixel(x, y);
      differing += p.r != bgra[2] || p.g != bgra[1] || p.b != bgra[0] || p.a != 255 ? 1 : 0;
    }
  }
  EXPECT_EQ(differing, 0);
}

TEST_F(CliRender, ExportWritesOnePicturePerOutputFrame) {
  struct Case {
    const char* start;
    const char* end;
    const char* rate;
    int frames;
  };
  for (const Case& recording : {Case{"0", "0", "30", 1}, Case{"0", "0", "60", 2}, Case{"4", "13", "15", 5}}) {
    const std::filesystem::path out = folder_ / "clip.avi";
    test::CliRun run = exportAvi(out, {"--start", recording.start, "--end", recording.end, "--rate",
                                       recording.rate, "--width", "64", "--height", "48"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");  // no progress line when stderr is not a terminal
    EXPECT_EQ(run.json().object()["framesWritten"].toInt(), recording.frames);
    QJsonArray streams = streamsOf(out);
    ASSERT_EQ(streams.size(), 1);
    EXPECT_EQ(streams[0].toObject()["frameCount"].toInt(), recording.frames) << recording.rate;
    EXPECT_EQ(streams[0].toObject()["width"].toInt(), 64);
  }
}

TEST_F(CliRender, TheMusicGoesInOnlyWhenTheRecordingStartsAtFrameZero) {
  const std::string wav = programFile("UserFile/Wave/demo_beat.wav");
  test::CliRun fromZero = exportAvi(
      folder_ / "zero.avi",
      {"--start", "0", "--end", "29", "--wav", wav, "--width", "32", "--height", "32", "--codec", "mjpeg"});
  ASSERT_EQ(fromZero.exitCode, 0) << fromZero.err;
  QJsonArray streams = streamsOf(folder_ / "zero.avi");
  ASSERT_EQ(streams.size(), 2);
  EXPECT_EQ(streams[0].toObject()["codec"].toString(), "mjpeg");
  QJsonObject sound = streams[1].toObject();
  EXPECT_EQ(sound["type"].toString(), "audio");
  // One second recorded: the music ends where the recording did.
  EXPECT_NEAR(sound["sampleCount"].toDouble() / sound["rate"].toDouble(), 1.0, 0.01);

  test::CliRun later = exportAvi(folder_ / "later.avi", {"--start", "100", "--end", "101", "--wav", wav,
                                                         "--width", "32", "--height", "32"});
  ASSERT_EQ(later.exitCode, 0) << later.err;
  EXPECT_EQ(streamsOf(folder_ / "later.avi").size(), 1);
}

TEST_F(CliRender, RefusedSettingsLeaveAnEarlierFileAsItWas) {
  const std::filesystem::path out = folder_ / "kept.avi";
  test::writeFile(out, "earlier");
  test::CliRun backwards = exportAvi(out, {"--start", "20", "--end", "10"});
  EXPECT_EQ(backwards.exitCode, 1);
  EXPECT_NE(backwards.err.find("録画終了ﾌﾚｰﾑが録画開始ﾌﾚｰﾑよりも小さいです"), std::string::npos)
      << backwards.err;
  test::CliRun noRate = exportAvi(out, {"--start", "0", "--end", "10", "--rate", "0"});
  EXPECT_EQ(noRate.exitCode, 1);
  EXPECT_NE(noRate.err.find("フレームレートが正しくありません"), std::string::npos) << noRate.err;
  EXPECT_EQ(test::readFile(out), "earlier");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 1);

  test::CliRun missingModel = test::runCli({"render", "--model", (folder_ / "none.tsm").string(), "--frame",
                                            "0", "--out", (folder_ / "a.png").string()});
  EXPECT_EQ(missingModel.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "a.png"));
}

TEST_F(CliRender, PropsStandOnTheGroundOrFollowTheBoneTheyAreGiven) {
  const std::vector<std::string> size{"--width", "160", "--height", "120"};
  auto withSize = [&size](std::vector<std::string> extra) {
    extra.insert(extra.end(), size.begin(), size.end());
    return extra;
  };
  ASSERT_EQ(render(0, folder_ / "none.png", size).exitCode, 0);
  test::CliRun ground = render(0, folder_ / "ground.png", withSize({"--accessory", "lamp.vac"}));
  ASSERT_EQ(ground.exitCode, 0) << ground.err;
  test::CliRun wrist =
      render(0, folder_ / "wrist.png", withSize({"--accessory", "lamp.vac", "--parent", "0:右手首"}));
  ASSERT_EQ(wrist.exitCode, 0) << wrist.err;
  port::Canvas none(0, 0), onGround(0, 0), onWrist(0, 0);
  ASSERT_TRUE(port::Canvas::readPng(folder_ / "none.png", none));
  ASSERT_TRUE(port::Canvas::readPng(folder_ / "ground.png", onGround));
  ASSERT_TRUE(port::Canvas::readPng(folder_ / "wrist.png", onWrist));
  EXPECT_GT(differingPixels(none, onGround), 50);
  EXPECT_GT(differingPixels(onGround, onWrist), 50);

  test::CliRun clip =
      exportAvi(folder_ / "props.avi",
                withSize({"--start", "0", "--end", "2", "--accessory", "lamp.x", "--accessory", "lamp.vac"}));
  ASSERT_EQ(clip.exitCode, 0) << clip.err;
  EXPECT_EQ(clip.json().object()["framesWritten"].toInt(), 3);
}

TEST_F(CliRender, AnUnknownPropOrParentIsRefusedAndWritesNothing) {
  const std::filesystem::path out = folder_ / "p.png";
  test::CliRun missing = render(0, out, {"--accessory", (folder_ / "missing.x").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("アクセサリ読込: 正しいｘファイルではありません"), std::string::npos)
      << missing.err;
  test::CliRun noBone = render(0, out, {"--accessory", "lamp.vac", "--parent", "0:しっぽ"});
  EXPECT_EQ(noBone.exitCode, 1);
  EXPECT_NE(noBone.err.find("0:しっぽ"), std::string::npos) << noBone.err;
  EXPECT_EQ(render(0, out, {"--accessory", "lamp.vac", "--parent", "1:右手首"}).exitCode, 1);
  EXPECT_EQ(render(0, out, {"--accessory", "lamp.vac", "--parent", "右手首"}).exitCode, 1);
  EXPECT_EQ(render(0, out, {"--parent", "0:右手首", "--accessory", "lamp.vac"}).exitCode, 2);
  EXPECT_EQ(render(0, out, {"--accessory", "lamp.vac", "--parent", "0:頭", "--parent", "0:首"}).exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(CliRender, ACutMotionDrawsWhatItKeptAndFailsAfterTheJson) {
  test::MotionBytes cut;
  cut.header(2, port::utf8ToCp932("テセラ")).u32(2).bone(port::utf8ToCp932("センター"), 0, 3.0f);
  cut.bytes += port::utf8ToCp932("センター");
  test::writeFile(folder_ / "cut.vmd", cut.bytes);
  const std::filesystem::path out = folder_ / "cut.png";
  test::CliRun run =
      render(0, out, {"--motion", (folder_ / "cut.vmd").string(), "--width", "64", "--height", "48"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("ファイルが読み込めません:5"), std::string::npos) << run.err;
  EXPECT_EQ(run.json().object()["width"].toInt(), 64) << run.out;
  EXPECT_TRUE(std::filesystem::exists(out));
}

TEST_F(CliRender, UsageErrorsExitTwo) {
  const std::string png = (folder_ / "a.png").string();
  const std::string model = programFile("UserFile/Model/tessera.tsm");
  EXPECT_EQ(test::runCli({"render", "--model", model, "--out", png}).exitCode, 2);
  EXPECT_EQ(test::runCli({"render", "--model", model, "--frame", "-1", "--out", png}).exitCode, 2);
  EXPECT_EQ(test::runCli({"render", "--frame", "0", "--out", png}).exitCode, 2);
  EXPECT_EQ(
      test::runCli({"render", "--motion", "a.vmd", "--model", model, "--frame", "0", "--out", png}).exitCode,
      2);
  EXPECT_EQ(test::runCli({"render", "--model", model, "--frame", "0", "--out", png, "--width", "0"}).exitCode,
            2);
  EXPECT_EQ(
      test::runCli({"export", "--model", model, "--start", "0", "--end", "1", "--out", png, "--codec", "gif"})
          .exitCode,
      2);
  EXPECT_EQ(test::runCli({"export", "--model", model, "--start", "0", "--out", png}).exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(png));
}

}  // namespace
}  // namespace zv
