// Recording through start, one picture per frame step and finish, and reading the file back.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "media/avi_export.h"
#include "port/video/video_file_info.h"
#include "port/video/video_reader.h"
#include "support/temp_folder.h"
#include "support/told_messages.h"
#include "support/video_test_pictures.h"

namespace zv {
namespace {

using port::Picture;
using test::TempFolder;

constexpr int kWidth = 64;
constexpr int kHeight = 48;

class AviExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scene.outputWidth = kWidth;
    scene.outputHeight = kHeight;
  }

  RecordingSettings settings(std::uint32_t start, std::uint32_t end, float rate) const {
    RecordingSettings recording;
    recording.recordPath = folder / "out.avi";
    recording.recordStartFrame = start;
    recording.recordEndFrame = end;
    recording.recordFrameRate = rate;
    return recording;
  }

  // Runs the recording as the frame step does, rendering picture n as `render(n)`, and returns
  // the pictures written.
  template <typename Render>
  std::vector<Picture> record(Render render, std::span<const std::uint8_t> pcm = {}) {
    std::vector<Picture> written;
    while (advanceRecordingClock(scene, aviExport)) {
      written.push_back(render(aviExport.framesWritten));
      EXPECT_TRUE(writeFrame(scene, aviExport, written.back()));
    }
    scene.playing = false;
    finishRecording(scene, aviExport, pcm);
    return written;
  }

  std::vector<Picture> readBack() const {
    port::VideoOpenError error = port::VideoOpenError::None;
    auto reader = port::VideoReader::open(folder / "out.avi", error);
    std::vector<Picture> pictures;
    for (std::int64_t frame = 0; reader != nullptr && frame < reader->frameCount(); ++frame) {
      const Picture* picture = reader->decodeFrame(frame);
      pictures.push_back(picture != nullptr ? *picture : Picture{});
    }
    return pictures;
  }

  // The recording steps as the frame step runs them, keeping what they tell in `ui`.
  port::AviWriteError startRecording(Scene& recorded, AviExport& into, const RecordingSettings& chosen,
                                     std::optional<port::AviAudioFormat> wavFormat) {
    return ui.kept(zv::startRecording(recorded, into, chosen, wavFormat)).error;
  }
  bool writeFrame(Scene& recorded, AviExport& into, const Picture& backBuffer) {
    return ui.kept(zv::writeFrame(recorded, into, backBuffer)).done;
  }
  void finishRecording(Scene& recorded, AviExport& into, std::span<const std::uint8_t> wavPcm) {
    ui.kept(zv::finishRecording(recorded, into, wavPcm));
  }

  // Records frames 0 to 9 with one second of music, each picture queued or written at once; the
  // file's bytes.
  std::string recordWithMusic(port::VideoCodec codec, bool queued) {
    RecordingSettings withWave = settings(0, 9, 30.0f);
    withWave.codec.codec = codec;
    withWave.recordWave = true;
    std::vector<std::uint8_t> pcm(8000 * 2);
    for (std::size_t index = 0; index < pcm.size(); ++index) {
      pcm[index] = static_cast<std::uint8_t>(index * 7);
    }
    EXPECT_EQ(startRecording(scene, aviExport, withWave, port::AviAudioFormat{1, 8000, 16}),
              port::AviWriteError::None);
    while (advanceRecordingClock(scene, aviExport)) {
      Picture picture = test::noisePicture(kWidth, kHeight, aviExport.picturesTaken);
      EXPECT_TRUE(queued ? ui.kept(queueFrame(scene, aviExport, picture)).done
                         : writeFrame(scene, aviExport, picture));
    }
    scene.playing = false;
    finishRecording(scene, aviExport, pcm);
    return test::readFile(folder / "out.avi");
  }

  // Records pictures of 192 KiB under a file-size limit that makes the disk "full" after a few;
  // true once a write failed.
  bool writeUntilTheDiskIsFull(bool queued = false) {
    scene.outputWidth = 256;
    scene.outputHeight = 192;
    EXPECT_EQ(startRecording(scene, aviExport, settings(0, 299, 30.0f), std::nullopt),
              port::AviWriteError::None);
    rlimit original{};
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
    signal(SIGXFSZ, SIG_IGN);
    rlimit limited = original;
    limited.rlim_cur = 1 << 20;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    bool failed = false;
    for (int picture = 0; picture < 20 && !failed && advanceRecordingClock(scene, aviExport); ++picture) {
      Picture noise = test::noisePicture(256, 192, picture);
      failed =
          queued ? !ui.kept(queueFrame(scene, aviExport, noise)).done : !writeFrame(scene, aviExport, noise);
    }
    setrlimit(RLIMIT_FSIZE, &original);
    return failed;
  }

  TempFolder folder;
  test::ToldMessages ui;
  Scene scene;
  AviExport aviExport;
};

TEST_F(AviExportTest, AnUncompressedExportReadsBackExactlyAsRendered) {
  ASSERT_EQ(startRecording(scene, aviExport, settings(10, 19, 24.0f), std::nullopt),
            port::AviWriteError::None);
  EXPECT_TRUE(scene.recording);
  EXPECT_TRUE(scene.playing);
  const std::vector<Picture> rendered = record([](int n) { return test::noisePicture(kWidth, kHeight, n); });
  ASSERT_EQ(rendered.size(), 8u);
  EXPECT_FALSE(scene.recording);
  EXPECT_TRUE(ui.messages.empty());

  const std::vector<Picture> read = readBack();
  ASSERT_EQ(read.size(), rendered.size());
  for (std::size_t frame = 0; frame < read.size(); ++frame) {
    EXPECT_TRUE(read[frame].pixels == rendered[frame].pixels) << frame;
  }
  const auto info = port::describeVideoFile(folder / "out.avi");
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->streams.size(), 1u);
  EXPECT_EQ(info->streams[0].rate, 24);  // 2400 / 100
  EXPECT_EQ(info->streams[0].scale, 1);
}

TEST_F(AviExportTest, AnMjpegExportReadsBackWithinATolerance) {
  RecordingSettings mjpeg = settings(0, 5, 30.0f);
  mjpeg.codec.codec = port::VideoCodec::Mjpeg;
  ASSERT_EQ(startRecording(scene, aviExport, mjpeg, std::nullopt), port::AviWriteError::None);
  const std::vector<Picture> rendered = record([](int n) { return test::markedPicture(kWidth, kHeight, n); });
  const std::vector<Picture> read = readBack();
  ASSERT_EQ(read.size(), 6u);
  for (std::size_t frame = 0; frame < read.size(); ++frame) {
    EXPECT_LT(test::meanDifference(read[frame], rendered[frame]), 4.0) << frame;
    EXPECT_EQ(test::closestPicture(read[frame], rendered), static_cast<int>(frame));
  }
}

TEST_F(AviExportTest, TheBackBufferIsScaledToTheOutputSize) {
  ASSERT_EQ(startRecording(scene, aviExport, settings(0, 0, 30.0f), std::nullopt), port::AviWriteError::None);
  record([](int) { return port::makePicture(kWidth * 3, kHeight * 2, 0xff405060); });
  const std::vector<Picture> read = readBack();
  ASSERT_EQ(read.size(), 1u);
  EXPECT_TRUE(read[0].pixels == port::makePicture(kWidth, kHeight, 0xff405060).pixels);
}

TEST_F(AviExportTest, TheMusicIsAppendedOnlyFromFrameZeroWhenAskedFor) {
  const port::AviAudioFormat format{1, 8000, 16};
  std::vector<std::uint8_t> pcm(8000 * 2 * 3);  // three seconds
  for (std::size_t index = 0; index < pcm.size(); ++index) {
    pcm[index] = static_cast<std::uint8_t>(index * 13);
  }
  struct Case {
    std::uint32_t start;
    bool recordWave;
    bool audio;
  };
  for (const Case& recording : {Case{0, true, true}, Case{0, false, false}, Case{100, true, false}}) {
    RecordingSettings withWave = settings(recording.start, recording.start + 29, 30.0f);
    withWave.recordWave = recording.recordWave;
    ASSERT_EQ(startRecording(scene, aviExport, withWave, format), port::AviWriteError::None);
    record([](int n) { return test::markedPicture(kWidth, kHeight, n); }, pcm);
    const auto info = port::describeVideoFile(folder / "out.avi");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->streams.size(), recording.audio ? 2u : 1u) << recording.start << recording.recordWave;
  }

  // Recorded from frame 0 to 29 the clock stops at 1 s: samples 0 .. 8000 go with the video.
  RecordingSettings withWave = settings(0, 29, 30.0f);
  withWave.recordWave = true;
  ASSERT_EQ(startRecording(scene, aviExport, withWave, format), port::AviWriteError::None);
  record([](int n) { return test::markedPicture(kWidth, kHeight, n); }, pcm);
  const auto audio = port::readAudioBytes(folder / "out.avi");
  ASSERT_TRUE(audio.has_value());
  EXPECT_TRUE(*audio == std::vector<std::uint8_t>(pcm.begin(), pcm.begin() + 8001 * 2));
}

TEST_F(AviExportTest, ARecordingStoppedEarlyKeepsTheMusicUpToThatTime) {
  RecordingSettings withWave = settings(0, 299, 30.0f);
  withWave.recordWave = true;
  std::vector<std::uint8_t> pcm(8000 * 2 * 10, 0x11);
  ASSERT_EQ(startRecording(scene, aviExport, withWave, port::AviAudioFormat{2, 8000, 8}),
            port::AviWriteError::None);
  for (int picture = 0; picture < 15; ++picture) {
    ASSERT_TRUE(advanceRecordingClock(scene, aviExport));
    ASSERT_TRUE(writeFrame(scene, aviExport, test::markedPicture(kWidth, kHeight, picture)));
  }
  finishRecording(scene, aviExport, pcm);  // Esc after 15 pictures: the clock reads 14 / 30 s
  const auto audio = port::readAudioBytes(folder / "out.avi");
  ASSERT_TRUE(audio.has_value());
  EXPECT_EQ(audio->size(), (466u * 8000 / 1000 + 1) * 2);
}

TEST_F(AviExportTest, AnMjpegExportWithMusicKeepsEveryPictureInOrderAndTheWholeMusic) {
  // The encoder may still hold the last pictures when the music is appended.
  RecordingSettings mjpeg = settings(0, 9, 30.0f);
  mjpeg.codec.codec = port::VideoCodec::Mjpeg;
  mjpeg.recordWave = true;
  std::vector<std::uint8_t> pcm(8000 * 2, 0x22);  // one second, beyond the recording
  ASSERT_EQ(startRecording(scene, aviExport, mjpeg, port::AviAudioFormat{1, 8000, 16}),
            port::AviWriteError::None);
  const std::vector<Picture> rendered =
      record([](int n) { return test::markedPicture(kWidth, kHeight, n); }, pcm);
  const std::vector<Picture> read = readBack();
  ASSERT_EQ(read.size(), 10u);
  for (std::size_t frame = 0; frame < read.size(); ++frame) {
    EXPECT_EQ(test::closestPicture(read[frame], rendered), static_cast<int>(frame));
  }
  const auto audio = port::readAudioBytes(folder / "out.avi");
  ASSERT_TRUE(audio.has_value());
  EXPECT_EQ(audio->size(), (333u * 8000 / 1000 + 1) * 2);
}

// The chunk ids of the file's movi list in file order: "00dc" pictures, "01wb" music.
std::vector<std::string> moviChunks(const std::string& file) {
  std::vector<std::string> ids;
  const std::size_t movi = file.find("movi");
  std::size_t offset = movi + 4;
  while (movi != std::string::npos && offset + 8 <= file.size() && file.compare(offset, 4, "idx1") != 0) {
    std::uint32_t size = 0;
    std::memcpy(&size, file.data() + offset + 4, 4);
    ids.push_back(file.substr(offset, 4));
    offset += 8 + size + (size & 1);
  }
  return ids;
}

TEST_F(AviExportTest, QueuedPicturesGiveTheBytesOfPicturesWrittenAtOnceWithTheMusicLast) {
  for (const port::VideoCodec codec : {port::VideoCodec::Uncompressed, port::VideoCodec::Mjpeg}) {
    const std::string atOnce = recordWithMusic(codec, false);
    const std::string queued = recordWithMusic(codec, true);
    EXPECT_TRUE(atOnce == queued) << static_cast<int>(codec);
    // Every picture goes in before the music, however long the coder takes.
    const std::vector<std::string> chunks = moviChunks(queued);
    ASSERT_EQ(std::count(chunks.begin(), chunks.end(), "00dc"), 10) << static_cast<int>(codec);
    EXPECT_EQ(std::find(chunks.begin(), chunks.end(), "01wb") - chunks.begin(), 10);
    EXPECT_EQ(aviExport.framesWritten, 10);
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AviExportTest, RefusedStartsSayWhyAndLeaveNothingBehind) {
  struct Case {
    RecordingSettings settings;
    int width;
    int height;
    std::string_view message;
  };
  RecordingSettings oddMjpeg = settings(0, 10, 30.0f);
  oddMjpeg.codec.codec = port::VideoCodec::Mjpeg;
  RecordingSettings noFolder = settings(0, 10, 30.0f);
  noFolder.recordPath = folder / "missing" / "out.avi";
  const std::vector<Case> cases = {
      {settings(0, 10, 0.0f), kWidth, kHeight, kExportRateMessage},
      {settings(0, 10, -5.0f), kWidth, kHeight, kExportRateMessage},
      {settings(10, 9, 30.0f), kWidth, kHeight, kExportRangeMessage},
      {settings(0, 10, 30.0f), 0, kHeight, kExportSizeMessage},
      {settings(0, 10, 30.0f), 70000, 70000, kExportSizeMessage},
      {oddMjpeg, 63, 47, kExportEvenSizeMessage},
      {noFolder, kWidth, kHeight, kExportCreateMessage},
  };
  for (const Case& refused : cases) {
    ui.messages.clear();
    scene.outputWidth = refused.width;
    scene.outputHeight = refused.height;
    EXPECT_NE(startRecording(scene, aviExport, refused.settings, std::nullopt), port::AviWriteError::None);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, refused.message);
    EXPECT_FALSE(scene.recording);
    EXPECT_FALSE(scene.playing);
    EXPECT_FALSE(writeFrame(scene, aviExport, test::noisePicture(kWidth, kHeight, 0)));
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(AviExportTest, AWriteErrorEndsTheRecordingWithAMessage) {
  EXPECT_TRUE(writeUntilTheDiskIsFull());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kExportWriteMessage);
  EXPECT_EQ(ui.messages[0].caption, kExportCaption);
  EXPECT_TRUE(ui.messages[0].standalone);
  EXPECT_TRUE(aviExport.failed);
  EXPECT_FALSE(scene.recording);
  EXPECT_FALSE(scene.playing);
  EXPECT_FALSE(std::filesystem::exists(folder / "out.avi.part"));
}

TEST_F(AviExportTest, AWriteErrorOfAQueuedPictureEndsTheRecordingAtTheNextHandOver) {
  EXPECT_TRUE(writeUntilTheDiskIsFull(true));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kExportWriteMessage);
  EXPECT_TRUE(aviExport.failed);
  EXPECT_FALSE(scene.recording);
  EXPECT_FALSE(scene.playing);
  EXPECT_LT(aviExport.framesWritten, aviExport.picturesTaken + 1);
  EXPECT_FALSE(std::filesystem::exists(folder / "out.avi.part"));
  EXPECT_TRUE(ui.kept(zv::finishRecording(scene, aviExport, {})).done);  // nothing runs any more
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(AviExportTest, AnExportThatKeepsNoPartLeavesTheEarlierFileAfterAWriteError) {
  test::writeFile(folder / "out.avi", "earlier");
  aviExport.keepPartOnWriteFailure = false;
  EXPECT_TRUE(writeUntilTheDiskIsFull());
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_FALSE(scene.recording);
  EXPECT_EQ(test::readFile(folder / "out.avi"), "earlier");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST_F(AviExportTest, AnAbandonedRecordingLeavesTheEarlierFileAndNoOther) {
  test::writeFile(folder / "out.avi", "earlier");
  ASSERT_EQ(startRecording(scene, aviExport, settings(0, 9, 30.0f), std::nullopt), port::AviWriteError::None);
  ASSERT_TRUE(advanceRecordingClock(scene, aviExport));
  ASSERT_TRUE(writeFrame(scene, aviExport, test::noisePicture(kWidth, kHeight, 0)));
  abandonRecording(scene, aviExport);
  EXPECT_FALSE(scene.recording);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(test::readFile(folder / "out.avi"), "earlier");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace zv
