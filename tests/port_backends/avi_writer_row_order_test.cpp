// Pictures handed to the AVI writer with their rows stored bottom-up (as GL reads them back) make
// the same file as the same pictures stored top-down, whether they are copied or scaled.

#include <gtest/gtest.h>

#include <cstring>
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

Picture upsideDown(const Picture& picture) {
  Picture flipped = picture;
  for (int y = 0; y < picture.height; ++y) {
    std::memcpy(flipped.row(y), picture.row(picture.height - 1 - y),
                static_cast<std::size_t>(picture.width) * 4);
  }
  return flipped;
}

std::string writeVideo(const std::filesystem::path& file, const std::vector<Picture>& pictures, RowOrder rows,
                       VideoCodec codec) {
  AviWriteError error = AviWriteError::None;
  VideoCodecChoice choice;
  choice.codec = codec;
  auto writer = AviWriter::create({file, kWidth, kHeight, 30, 1, choice, std::nullopt}, error);
  EXPECT_NE(writer, nullptr) << static_cast<int>(error);
  if (writer == nullptr) {
    return {};
  }
  for (const Picture& picture : pictures) {
    EXPECT_EQ(writer->writeFrame(picture, rows), AviWriteError::None);
  }
  EXPECT_EQ(writer->finish(), AviWriteError::None);
  return test::readFile(file);
}

TEST(AviWriterRowOrder, BottomUpPicturesMakeTheSameFileAsTopDownOnes) {
  TempFolder folder;
  for (const VideoCodec codec : {VideoCodec::Uncompressed, VideoCodec::Mjpeg}) {
    for (const auto& [width, height] :
         {std::pair{kWidth, kHeight}, std::pair{kWidth * 3 / 2, kHeight * 2 + 5}}) {
      std::vector<Picture> topDown;
      std::vector<Picture> bottomUp;
      for (int seed = 0; seed < 4; ++seed) {
        topDown.push_back(test::markedPicture(width, height, seed));
        bottomUp.push_back(upsideDown(topDown.back()));
      }
      const std::string expected = writeVideo(folder / "top.avi", topDown, RowOrder::TopDown, codec);
      const std::string written = writeVideo(folder / "bottom.avi", bottomUp, RowOrder::BottomUp, codec);
      EXPECT_FALSE(expected.empty());
      EXPECT_TRUE(written == expected) << static_cast<int>(codec) << " from " << width << " x " << height;
    }
  }
}

TEST(AviWriterRowOrder, AnUncompressedFrameOfTheOutputSizeIsTheBottomUpPictureAsGiven) {
  TempFolder folder;
  const Picture bottomUp = test::noisePicture(kWidth, kHeight, 9);
  const std::string bytes =
      writeVideo(folder / "raw.avi", {bottomUp}, RowOrder::BottomUp, VideoCodec::Uncompressed);
  const std::size_t chunk = bytes.find("00dc", bytes.find("movi"));
  ASSERT_NE(chunk, std::string::npos);
  ASSERT_GE(bytes.size(), chunk + 8 + bottomUp.pixels.size());
  EXPECT_EQ(std::memcmp(bytes.data() + chunk + 8, bottomUp.pixels.data(), bottomUp.pixels.size()), 0);
}

TEST(Picture, MakeOpaqueSetsEveryAlphaAndKeepsTheColour) {
  Picture picture{3, 1, {1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255}};
  makeOpaque(picture);
  EXPECT_EQ(picture.pixels, (std::vector<std::uint8_t>{1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255}));
}

}  // namespace
}  // namespace zv::port
