#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <vector>

#include "cli_runner.h"
#include "port/paths.h"
#include "port/video/avi_writer.h"
#include "temp_folder.h"

namespace zv {
namespace {

// An uncompressed AVI of `frames` 16 x 8 pictures at `rate` per second, with 400 mono 16-bit
// samples of sound when `withAudio`.
void writeAvi(const std::filesystem::path& file, int rate, int frames, bool withAudio) {
  port::AviWriterSettings settings;
  settings.file = file;
  settings.width = 16;
  settings.height = 8;
  settings.rate = rate;
  if (withAudio) {
    settings.audio = port::AviAudioFormat{1, 8000, 16};
  }
  port::AviWriteError error = port::AviWriteError::None;
  auto writer = port::AviWriter::create(settings, error);
  ASSERT_NE(writer, nullptr);
  for (int frame = 0; frame < frames; ++frame) {
    ASSERT_EQ(writer->writeFrame(port::makePicture(16, 8, 0xff204060u)), port::AviWriteError::None);
  }
  if (withAudio) {
    std::vector<std::uint8_t> pcm(800, 0);
    ASSERT_EQ(writer->writeAudio(pcm), port::AviWriteError::None);
  }
  ASSERT_EQ(writer->finish(), port::AviWriteError::None);
}

TEST(CliVideoInfo, DescribesPictureAndSoundStreams) {
  test::TempFolder folder;
  writeAvi(folder / "clip.avi", 30, 3, true);
  test::CliRun run = test::runCli({"info", (folder / "clip.avi").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  QJsonObject video = run.json().object();
  EXPECT_EQ(video["kind"].toString(), "video");
  EXPECT_EQ(video["container"].toString(), "avi");
  QJsonArray streams = video["streams"].toArray();
  ASSERT_EQ(streams.size(), 2);
  QJsonObject picture = streams[0].toObject();
  EXPECT_EQ(picture["type"].toString(), "video");
  EXPECT_EQ(picture["codec"].toString(), "rawvideo");
  EXPECT_EQ(picture["width"].toInt(), 16);
  EXPECT_EQ(picture["height"].toInt(), 8);
  EXPECT_EQ(picture["frameCount"].toInt(), 3);
  EXPECT_EQ(picture["rate"].toInt() / picture["scale"].toInt(), 30);
  EXPECT_TRUE(picture["frameLocked"].toBool());
  QJsonObject sound = streams[1].toObject();
  EXPECT_EQ(sound["type"].toString(), "audio");
  EXPECT_EQ(sound["codec"].toString(), "pcm_s16le");
  EXPECT_EQ(sound["channels"].toInt(), 1);
  EXPECT_EQ(sound["bitsPerSample"].toInt(), 16);
  EXPECT_EQ(sound["sampleCount"].toInt(), 400);
}

TEST(CliVideoInfo, OnlyThirtyPicturesASecondFollowTheAnimation) {
  test::TempFolder folder;
  writeAvi(folder / "pal.avi", 25, 2, false);
  test::CliRun run = test::runCli({"info", (folder / "pal.avi").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  QJsonArray streams = run.json().object()["streams"].toArray();
  ASSERT_EQ(streams.size(), 1);
  EXPECT_FALSE(streams[0].toObject()["frameLocked"].toBool());

  test::CliRun demo = test::runCli(
      {"info", (port::executableDirectory() / "UserFile" / "BackGround" / "demo_background.avi").string()});
  ASSERT_EQ(demo.exitCode, 0) << demo.err;
  QJsonObject demoPicture = demo.json().object()["streams"].toArray()[0].toObject();
  EXPECT_EQ(demoPicture["width"].toInt(), 96);
  EXPECT_EQ(demoPicture["frameCount"].toInt(), 30);
  EXPECT_TRUE(demoPicture["frameLocked"].toBool());
}

TEST(CliVideoInfo, AFileThatIsNoVideoIsRefused) {
  test::TempFolder folder;
  test::writeFile(folder / "fake.avi",
                  "RIFF\x10\x00\x00\x00"
                  "AVI LIST");
  for (const std::filesystem::path& file : {folder / "fake.avi", folder / "missing.avi"}) {
    test::CliRun run = test::runCli({"info", file.string()});
    EXPECT_EQ(run.exitCode, 1) << file;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("AVIデータ読込: AVIファイルが読み込めません"), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace zv
