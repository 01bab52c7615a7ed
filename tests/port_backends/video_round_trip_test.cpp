// Writing AVI files and reading their frames back: exact for the lossless codecs, recognisable for
// the lossy ones, and the frame asked for whatever the order of the requests.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "port/video/avi_writer.h"
#include "port/video/video_file_info.h"
#include "port/video/video_reader.h"
#include "support/temp_folder.h"
#include "support/video_test_pictures.h"

namespace zv::port {
namespace {

using test::TempFolder;

constexpr int kWidth = 64;
constexpr int kHeight = 48;

bool codecAvailable(VideoCodec codec) {
  const std::vector<VideoCodecInfo> codecs = availableVideoCodecs();
  return std::any_of(codecs.begin(), codecs.end(),
                     [&](const VideoCodecInfo& info) { return info.codec == codec; });
}

void writeVideo(const std::filesystem::path& file, const std::vector<Picture>& pictures,
                VideoCodecChoice codec, int rate = 30, int scale = 1) {
  AviWriteError error = AviWriteError::None;
  auto writer = AviWriter::create({file, kWidth, kHeight, rate, scale, codec, std::nullopt}, error);
  ASSERT_NE(writer, nullptr) << static_cast<int>(error);
  for (const Picture& picture : pictures) {
    ASSERT_EQ(writer->writeFrame(picture), AviWriteError::None);
  }
  ASSERT_EQ(writer->finish(), AviWriteError::None);
}

// Requests that jump backwards, repeat, skip ahead and walk on.
std::vector<int> scrambledOrder(int count) {
  std::vector<int> order = {count - 1, 0, 5, 5, 4, 6, 7, 1, count - 2, 3, 2, 8, 9, 10, 11};
  order.erase(std::remove_if(order.begin(), order.end(), [&](int frame) { return frame >= count; }),
              order.end());
  return order;
}

class LosslessRoundTrip : public ::testing::TestWithParam<VideoCodec> {};

TEST_P(LosslessRoundTrip, EveryFrameComesBackExactlyInAnyOrder) {
  if (!codecAvailable(GetParam())) {
    GTEST_SKIP() << "encoder not in this FFmpeg";
  }
  TempFolder folder;
  std::vector<Picture> pictures;
  for (int index = 0; index < 12; ++index) {
    pictures.push_back(test::noisePicture(kWidth, kHeight, index));
  }
  writeVideo(folder / "out.avi", pictures, {GetParam(), 5, 0});

  VideoOpenError error = VideoOpenError::None;
  auto reader = VideoReader::open(folder / "out.avi", error);
  ASSERT_NE(reader, nullptr) << static_cast<int>(error);
  EXPECT_EQ(reader->width(), kWidth);
  EXPECT_EQ(reader->height(), kHeight);
  EXPECT_EQ(reader->frameCount(), 12);
  for (int frame : scrambledOrder(12)) {
    const Picture* picture = reader->decodeFrame(frame);
    ASSERT_NE(picture, nullptr) << frame;
    EXPECT_TRUE(picture->pixels == pictures[frame].pixels) << "frame " << frame;
  }
}

INSTANTIATE_TEST_SUITE_P(Codecs, LosslessRoundTrip,
                         ::testing::Values(VideoCodec::Uncompressed, VideoCodec::Ffv1, VideoCodec::Huffyuv));

class LossyRoundTrip : public ::testing::TestWithParam<VideoCodec> {};

TEST_P(LossyRoundTrip, SeekingReturnsTheFrameAskedFor) {
  if (!codecAvailable(GetParam())) {
    GTEST_SKIP() << "encoder not in this FFmpeg";
  }
  TempFolder folder;
  std::vector<Picture> pictures;
  for (int index = 0; index < 12; ++index) {
    pictures.push_back(test::markedPicture(kWidth, kHeight, index));
  }
  writeVideo(folder / "out.avi", pictures, {GetParam(), 4, 0});

  VideoOpenError error = VideoOpenError::None;
  auto reader = VideoReader::open(folder / "out.avi", error);
  ASSERT_NE(reader, nullptr) << static_cast<int>(error);
  EXPECT_EQ(reader->frameCount(), 12);
  for (int frame : scrambledOrder(12)) {
    const Picture* picture = reader->decodeFrame(frame);
    ASSERT_NE(picture, nullptr) << frame;
    EXPECT_EQ(test::closestPicture(*picture, pictures), frame);
    EXPECT_LT(test::meanDifference(*picture, pictures[frame]), 6.0) << "frame " << frame;
  }
}

INSTANTIATE_TEST_SUITE_P(Codecs, LossyRoundTrip,
                         ::testing::Values(VideoCodec::Mjpeg, VideoCodec::Mpeg4, VideoCodec::H264));

TEST(AviWriter, UncompressedFramesAreBottomUp32BitBitmaps) {
  TempFolder folder;
  const Picture picture = test::noisePicture(kWidth, kHeight, 3);
  writeVideo(folder / "raw.avi", {picture}, {});
  const std::string bytes = test::readFile(folder / "raw.avi");

  const std::size_t format = bytes.find("strf");
  ASSERT_NE(format, std::string::npos);
  std::int32_t header[5];  // size, width, height, planes and bit count, compression
  std::memcpy(header, bytes.data() + format + 8, sizeof header);
  EXPECT_EQ(header[0], 40);
  EXPECT_EQ(header[1], kWidth);
  EXPECT_EQ(header[2], kHeight);  // positive: bottom-up
  EXPECT_EQ(header[3], 1 | (32 << 16));
  EXPECT_EQ(header[4], 0);

  const std::size_t chunk = bytes.find("00dc", bytes.find("movi"));
  ASSERT_NE(chunk, std::string::npos);
  std::uint32_t size = 0;
  std::memcpy(&size, bytes.data() + chunk + 4, 4);
  ASSERT_EQ(size, static_cast<std::uint32_t>(kWidth * kHeight * 4));
  EXPECT_EQ(std::memcmp(bytes.data() + chunk + 8, picture.row(kHeight - 1), kWidth * 4), 0);
  EXPECT_EQ(std::memcmp(bytes.data() + chunk + 8 + (kHeight - 1) * kWidth * 4, picture.row(0), kWidth * 4),
            0);
}

TEST(AviWriter, StreamRateIsKeptAsRateOverScale) {
  TempFolder folder;
  writeVideo(folder / "rate.avi",
             {test::noisePicture(kWidth, kHeight, 1), test::noisePicture(kWidth, kHeight, 2)}, {}, 2397, 100);
  const auto info = describeVideoFile(folder / "rate.avi");
  ASSERT_TRUE(info.has_value());
  ASSERT_EQ(info->streams.size(), 1u);
  EXPECT_EQ(info->streams[0].kind, VideoStreamInfo::Kind::Video);
  EXPECT_EQ(info->streams[0].rate, 2397);
  EXPECT_EQ(info->streams[0].scale, 100);
  EXPECT_EQ(info->streams[0].frameCount, 2);
  EXPECT_EQ(info->streams[0].codecName, "rawvideo");
}

TEST(AviWriter, PicturesOfAnotherSizeAreScaled) {
  TempFolder folder;
  writeVideo(folder / "scaled.avi", {makePicture(kWidth * 2, kHeight * 3, 0xff336699)}, {});
  VideoOpenError error = VideoOpenError::None;
  auto reader = VideoReader::open(folder / "scaled.avi", error);
  ASSERT_NE(reader, nullptr);
  const Picture* picture = reader->decodeFrame(0);
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(picture->pixels == makePicture(kWidth, kHeight, 0xff336699).pixels);
}

TEST(AviWriter, AudioStreamHoldsThePcmWritten) {
  TempFolder folder;
  std::vector<std::uint8_t> pcm(44100 * 4 + 3);  // 1 s of 16-bit stereo and a partial frame
  for (std::size_t index = 0; index < pcm.size(); ++index) {
    pcm[index] = static_cast<std::uint8_t>(index * 7);
  }
  AviWriteError error = AviWriteError::None;
  auto writer = AviWriter::create(
      {folder / "sound.avi", kWidth, kHeight, 30, 1, {}, AviAudioFormat{2, 44100, 16}}, error);
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(writer->writeFrame(test::noisePicture(kWidth, kHeight, 0)), AviWriteError::None);
  ASSERT_EQ(writer->writeAudio(pcm), AviWriteError::None);
  ASSERT_EQ(writer->finish(), AviWriteError::None);

  const auto info = describeVideoFile(folder / "sound.avi");
  ASSERT_TRUE(info.has_value());
  ASSERT_EQ(info->streams.size(), 2u);
  EXPECT_EQ(info->streams[1].kind, VideoStreamInfo::Kind::Audio);
  EXPECT_EQ(info->streams[1].codecName, "pcm_s16le");
  EXPECT_EQ(info->streams[1].channels, 2);
  EXPECT_EQ(info->streams[1].rate, 44100);
  const auto audio = readAudioBytes(folder / "sound.avi");
  ASSERT_TRUE(audio.has_value());
  EXPECT_TRUE(*audio == std::vector<std::uint8_t>(pcm.begin(), pcm.end() - 3));
}

TEST(AviWriter, RefusedSettingsLeaveNoFile) {
  TempFolder folder;
  const std::filesystem::path file = folder / "out.avi";
  struct Case {
    AviWriterSettings settings;
    AviWriteError expected;
  };
  const std::vector<Case> cases = {
      {{file, 0, 48, 30, 1, {}, std::nullopt}, AviWriteError::BadSettings},
      {{file, kMaxPictureSide + 1, 48, 30, 1, {}, std::nullopt}, AviWriteError::BadSettings},
      {{file, 64, 48, 0, 1, {}, std::nullopt}, AviWriteError::BadSettings},
      {{file, 64, 48, 30, 1, {}, AviAudioFormat{2, 44100, 12}}, AviWriteError::BadSettings},
      {{file, 63, 48, 30, 1, {VideoCodec::Mjpeg, 0, 0}, std::nullopt}, AviWriteError::SizeNotEven},
      {{folder / "missing" / "out.avi", 64, 48, 30, 1, {}, std::nullopt}, AviWriteError::CannotCreateFile},
  };
  for (const Case& refused : cases) {
    AviWriteError error = AviWriteError::None;
    EXPECT_EQ(AviWriter::create(refused.settings, error), nullptr);
    EXPECT_EQ(error, refused.expected);
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(AviWriter, AnAbandonedWriterLeavesTheOldFileAlone) {
  TempFolder folder;
  test::writeFile(folder / "out.avi", "old");
  {
    AviWriteError error = AviWriteError::None;
    auto writer = AviWriter::create({folder / "out.avi", kWidth, kHeight, 30, 1, {}, std::nullopt}, error);
    ASSERT_NE(writer, nullptr);
    ASSERT_EQ(writer->writeFrame(test::noisePicture(kWidth, kHeight, 0)), AviWriteError::None);
  }
  EXPECT_EQ(test::readFile(folder / "out.avi"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(VideoReader, FramesAndTimesFollowTheStreamRate) {
  TempFolder folder;
  std::vector<Picture> pictures(3, test::noisePicture(kWidth, kHeight, 0));
  writeVideo(folder / "25.avi", pictures, {}, 25, 1);
  VideoOpenError error = VideoOpenError::None;
  auto reader = VideoReader::open(folder / "25.avi", error);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->rate(), 25);
  EXPECT_EQ(reader->scale(), 1);
  EXPECT_EQ(reader->millisecondsAtFrame(1), 40);
  EXPECT_EQ(reader->frameAtMilliseconds(39), 0);
  EXPECT_EQ(reader->frameAtMilliseconds(40), 1);
  EXPECT_EQ(reader->frameAtMilliseconds(1000), 25);
}

TEST(VideoReader, HostileFilesAreRefusedWithoutCrashing) {
  TempFolder folder;
  std::vector<Picture> pictures;
  for (int index = 0; index < 4; ++index) {
    pictures.push_back(test::noisePicture(kWidth, kHeight, index));
  }
  writeVideo(folder / "good.avi", pictures, {});
  const std::string good = test::readFile(folder / "good.avi");
  test::writeFile(folder / "empty.avi", "");
  test::writeFile(folder / "text.avi", "this is not a video file at all");
  test::writeFile(folder / "header.avi", good.substr(0, 200));
  std::string scrambled = good;
  for (std::size_t index = 64; index < scrambled.size(); index += 97) {
    scrambled[index] = static_cast<char>(scrambled[index] ^ 0x5a);
  }
  test::writeFile(folder / "scrambled.avi", scrambled);

  for (const char* name : {"missing.avi", "empty.avi", "text.avi", "header.avi", "scrambled.avi"}) {
    VideoOpenError error = VideoOpenError::None;
    auto reader = VideoReader::open(folder / name, error);
    if (reader == nullptr) {
      EXPECT_NE(error, VideoOpenError::None) << name;
      continue;
    }
    for (int frame : {3, 0, 2, 100, -5}) {
      const Picture* picture = reader->decodeFrame(frame);
      if (picture != nullptr) {
        EXPECT_EQ(picture->pixels.size(), static_cast<std::size_t>(picture->width) * picture->height * 4)
            << name;
      }
    }
  }
}

TEST(VideoReader, ATruncatedFileFailsToDecodeTheLostFrames) {
  TempFolder folder;
  std::vector<Picture> pictures;
  for (int index = 0; index < 6; ++index) {
    pictures.push_back(test::noisePicture(kWidth, kHeight, index));
  }
  writeVideo(folder / "cut.avi", pictures, {});
  VideoOpenError error = VideoOpenError::None;
  auto reader = VideoReader::open(folder / "cut.avi", error);
  ASSERT_NE(reader, nullptr);
  ASSERT_NE(reader->decodeFrame(0), nullptr);
  std::filesystem::resize_file(folder / "cut.avi", 2048 + kWidth * kHeight * 4);
  EXPECT_EQ(reader->decodeFrame(5), nullptr);
}

}  // namespace
}  // namespace zv::port
