// Pictures queued to the AVI writer's own thread: the file is the one written picture by picture,
// scaled or not, and a writer dropped with pictures still queued leaves nothing behind.

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "port/video/avi_writer.h"
#include "support/temp_folder.h"
#include "support/video_test_pictures.h"

namespace zv::port {
namespace {

using test::TempFolder;

constexpr int kWidth = 64;
constexpr int kHeight = 48;

std::unique_ptr<AviWriter> openWriter(const std::filesystem::path& file, VideoCodec codec) {
  AviWriteError error = AviWriteError::None;
  VideoCodecChoice choice;
  choice.codec = codec;
  auto writer = AviWriter::create({file, kWidth, kHeight, 30, 1, choice, std::nullopt}, error);
  EXPECT_NE(writer, nullptr) << static_cast<int>(error);
  return writer;
}

TEST(AviWriterQueue, QueuedPicturesMakeTheFileOfPicturesWrittenAtOnce) {
  TempFolder folder;
  for (const VideoCodec codec : {VideoCodec::Uncompressed, VideoCodec::Mjpeg}) {
    // The second half is larger than the output and goes through the scaler.
    std::vector<Picture> pictures;
    for (int seed = 0; seed < 8; ++seed) {
      pictures.push_back(seed < 4 ? test::markedPicture(kWidth, kHeight, seed)
                                  : test::markedPicture(kWidth * 2, kHeight * 2, seed));
    }
    auto atOnce = openWriter(folder / "at_once.avi", codec);
    auto queued = openWriter(folder / "queued.avi", codec);
    ASSERT_TRUE(atOnce && queued);
    for (const Picture& picture : pictures) {
      EXPECT_EQ(atOnce->writeFrame(picture, RowOrder::BottomUp), AviWriteError::None);
      Picture handed = picture;
      EXPECT_EQ(queued->queueFrame(handed, RowOrder::BottomUp), AviWriteError::None);
      handed.pixels.assign(picture.pixels.size(), 0x5A);  // the caller fills its next picture at once
    }
    EXPECT_EQ(queued->waitForQueuedFrames(), AviWriteError::None);
    EXPECT_EQ(queued->framesWritten(), 8);
    EXPECT_EQ(atOnce->finish(), AviWriteError::None);
    EXPECT_EQ(queued->finish(), AviWriteError::None);
    const std::string expected = test::readFile(folder / "at_once.avi");
    EXPECT_FALSE(expected.empty());
    EXPECT_TRUE(expected == test::readFile(folder / "queued.avi")) << static_cast<int>(codec);
  }
}

TEST(AviWriterQueue, AQueuedPictureMadeOpaqueOnTheWritersThreadIsStoredOpaque) {
  TempFolder folder;
  for (const VideoCodec codec : {VideoCodec::Uncompressed, VideoCodec::Mjpeg}) {
    Picture seeThrough = test::noisePicture(kWidth, kHeight, 5);
    for (std::size_t alpha = 3; alpha < seeThrough.pixels.size(); alpha += 8) {
      seeThrough.pixels[alpha] = 0;
    }
    Picture opaque = seeThrough;
    makeOpaque(opaque);
    auto atOnce = openWriter(folder / "at_once.avi", codec);
    auto queued = openWriter(folder / "queued.avi", codec);
    ASSERT_TRUE(atOnce && queued);
    EXPECT_EQ(atOnce->writeFrame(opaque), AviWriteError::None);
    EXPECT_EQ(queued->queueFrame(seeThrough, RowOrder::TopDown, QueuedAlpha::Opaque), AviWriteError::None);
    EXPECT_EQ(atOnce->finish(), AviWriteError::None);
    EXPECT_EQ(queued->finish(), AviWriteError::None);
    EXPECT_TRUE(test::readFile(folder / "at_once.avi") == test::readFile(folder / "queued.avi"))
        << static_cast<int>(codec);
  }
}

TEST(AviWriterQueue, ABadPictureIsRefusedAtOnceAndNothingIsQueuedAfterFinishing) {
  TempFolder folder;
  auto writer = openWriter(folder / "out.avi", VideoCodec::Uncompressed);
  ASSERT_TRUE(writer);
  Picture empty;
  EXPECT_EQ(writer->queueFrame(empty), AviWriteError::BadSettings);
  Picture cut = test::noisePicture(kWidth, kHeight, 1);
  cut.pixels.pop_back();
  EXPECT_EQ(writer->queueFrame(cut), AviWriteError::BadSettings);
  EXPECT_EQ(cut.pixels.size(), static_cast<std::size_t>(kWidth) * kHeight * 4 - 1);  // not taken
  Picture good = test::noisePicture(kWidth, kHeight, 2);
  EXPECT_EQ(writer->queueFrame(good), AviWriteError::None);
  EXPECT_EQ(writer->finish(), AviWriteError::None);
  EXPECT_EQ(writer->framesWritten(), 1);
  Picture late = test::noisePicture(kWidth, kHeight, 3);
  EXPECT_EQ(writer->queueFrame(late), AviWriteError::WriteFailed);
}

TEST(AviWriterQueue, AWriterDroppedWithPicturesQueuedLeavesTheTargetAsItWas) {
  TempFolder folder;
  test::writeFile(folder / "out.avi", "earlier");
  {
    auto writer = openWriter(folder / "out.avi", VideoCodec::Mjpeg);
    ASSERT_TRUE(writer);
    for (int seed = 0; seed < 6; ++seed) {
      Picture picture = test::noisePicture(kWidth, kHeight, seed);
      EXPECT_EQ(writer->queueFrame(picture), AviWriteError::None);
    }
  }
  EXPECT_EQ(test::readFile(folder / "out.avi"), "earlier");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace zv::port
