// The recording's pictures read back while the next is drawn and coded on the writer's thread:
// the file must be the one written picture by picture, however the recording ends.

#include "app/recording_frames.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include "anim/sampling.h"
#include "app/frame_step.h"
#include "app/recording_commands.h"
#include "files/motion/motion_file.h"
#include "frame_fixture.h"
#include "port/video/video_file_info.h"
#include "temp_folder.h"

namespace zv {
namespace {

class RecordingFramesTest : public test::FrameStepTest {
 protected:
  void SetUp() override {
    FrameStepTest::SetUp();
    if (IsSkipped()) {
      return;
    }
    loadDemoCharacter();
    ASSERT_TRUE(loadMotion(scene_, "UserFile/Motion/tessera_wave.vmd").done);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    shutdown(systems_->wav);
    ASSERT_TRUE(initialise(systems_->wav, nullptr));
    std::filesystem::path music = "UserFile/Wave/demo_beat.wav";
    ASSERT_TRUE(loadWav(systems_->wav, music, scene_.exeDirectory, 0, scene_.panelWidth));
  }

  RecordingSettings settings(const std::string& name, std::uint32_t endFrame, port::VideoCodec codec) const {
    RecordingSettings recording;
    recording.recordPath = folder_ / name;
    recording.recordEndFrame = endFrame;
    recording.recordWave = true;
    recording.codec.codec = codec;
    return recording;
  }

  // Records from frame 0, picture by picture or overlapped, for at most `steps` frame steps and
  // stops it there as Esc does when it still runs; the file's bytes.
  std::string record(const RecordingSettings& chosen, bool overlap, int steps) {
    systems_->aviExport.overlapCoding = overlap;
    scene_.frameElapsedSeconds = 1.0f / 30.0f;
    EXPECT_TRUE(startWindowRecording(scene_, *systems_, chosen));
    for (int step = 0; step < steps && scene_.recording; ++step) {
      frameStep(scene_, *systems_);
    }
    stopRecording(scene_, *systems_);
    return test::readFile(chosen.recordPath);
  }

  test::TempFolder folder_;
};

TEST_F(RecordingFramesTest, OverlappedRecordingsWriteTheBytesOfRecordingsPictureByPicture) {
  for (const port::VideoCodec codec : {port::VideoCodec::Uncompressed, port::VideoCodec::Mjpeg}) {
    // To the end frame: twelve pictures and the music up to where the clock stopped.
    const std::string atOnce = record(settings("at_once.avi", 11, codec), false, 100);
    EXPECT_EQ(systems_->aviExport.framesWritten, 12);
    const std::string overlapped = record(settings("overlapped.avi", 11, codec), true, 100);
    EXPECT_EQ(systems_->aviExport.framesWritten, 12);
    EXPECT_FALSE(atOnce.empty());
    EXPECT_TRUE(atOnce == overlapped) << "codec " << static_cast<int>(codec);

    const auto info = port::describeVideoFile(folder_ / "overlapped.avi");
    ASSERT_TRUE(info.has_value());
    ASSERT_EQ(info->streams.size(), 2u);
    EXPECT_EQ(info->streams[0].frameCount, 12);

    // Stopped after five steps: the picture drawn in the fifth is the file's last.
    const std::string stoppedAtOnce = record(settings("stopped_at_once.avi", 300, codec), false, 5);
    const std::string stoppedOverlapped = record(settings("stopped_overlapped.avi", 300, codec), true, 5);
    EXPECT_TRUE(stoppedAtOnce == stoppedOverlapped) << "codec " << static_cast<int>(codec);

    EXPECT_EQ(systems_->aviExport.framesWritten, 5);
    EXPECT_EQ(port::describeVideoFile(folder_ / "stopped_overlapped.avi")->streams[0].frameCount, 5);
  }
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(RecordingFramesTest, AWriteFailureEndsAnOverlappedRecordingWithItsMessageAndLeavesNoFile) {
  signal(SIGXFSZ, SIG_IGN);
  rlimit original{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
  for (const bool overlap : {false, true}) {
    ui_.messages.clear();
    rlimit limited = original;
    limited.rlim_cur = 3 << 20;  // room for three uncompressed pictures of 768 KiB
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const RecordingSettings chosen =
        settings(overlap ? "overlapped.avi" : "at_once.avi", 300, port::VideoCodec::Uncompressed);
    const std::string written = record(chosen, overlap, 20);
    setrlimit(RLIMIT_FSIZE, &original);
    EXPECT_FALSE(scene_.recording);
    EXPECT_FALSE(scene_.playing);
    EXPECT_TRUE(systems_->aviExport.failed);
    EXPECT_EQ(systems_->aviExport.picturesReadingBack, 0);
    ASSERT_EQ(ui_.messages.size(), 1u) << overlap;
    EXPECT_EQ(ui_.messages[0].text, kExportWriteMessage);
    EXPECT_TRUE(ui_.control(kPlayButton).enabled);
    // The disk stays full, so not even the pictures before the failure can be finished.
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder_.path())) << overlap;
  }
  // The next recording starts clean: nothing of the failed one is handed over.
  EXPECT_FALSE(record(settings("after.avi", 2, port::VideoCodec::Uncompressed), true, 100).empty());
  EXPECT_EQ(systems_->aviExport.framesWritten, 3);
  EXPECT_EQ(ui_.messages.size(), 1u);
}

TEST_F(RecordingFramesTest, ProgressCountsPicturesWrittenWhileTheTimeLineShowsTheClock) {
  const RecordingSettings chosen = settings("progress.avi", 300, port::VideoCodec::Mjpeg);
  EXPECT_TRUE(startWindowRecording(scene_, *systems_, chosen));
  for (int step = 0; step < 3; ++step) {
    frameStep(scene_, *systems_);
  }
  // The third picture is still being read back: the clock has passed it, the file has not.
  EXPECT_EQ(picturesDrawn(systems_->aviExport), 3);
  EXPECT_EQ(systems_->aviExport.picturesReadingBack, 1);
  EXPECT_LE(systems_->aviExport.framesWritten, 2);
  stopRecording(scene_, *systems_);
  EXPECT_EQ(systems_->aviExport.framesWritten, 3);
  EXPECT_EQ(systems_->aviExport.picturesReadingBack, 0);
}

}  // namespace
}  // namespace zv
