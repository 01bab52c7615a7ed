#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>

#include "files/wav/wav_info.h"

namespace zv {
namespace {

TEST(WavDemo, TheShippedBeatIsAPlayableFourSecondSong) {
  const char* source = std::getenv("ZV_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  WavInfo info = readWavInfo(std::filesystem::path(source) / "UserFile/Wave/demo_beat.wav");
  ASSERT_TRUE(info.ok) << info.message;
  EXPECT_EQ(info.header.format, pcmFormat(1, 22050, 16));
  EXPECT_EQ(info.header.dataBytes, 4 * 22050 * 2);
  ASSERT_EQ(info.waveform.columnCount, 4 * 22050 * 2 / 112 + 1);
  // Each beat opens loud and dies away before the next: the strip is not one flat band.
  auto loudest = std::max_element(info.waveform.waveMax.begin(), info.waveform.waveMax.end());
  EXPECT_GE(*loudest, 45);
  int quietColumns = 0;
  for (int column = 0; column + 1 < info.waveform.columnCount; ++column) {
    quietColumns += info.waveform.waveMax[column] - info.waveform.waveMin[column] < 10 ? 1 : 0;
  }
  EXPECT_GT(quietColumns, 100);
}

}  // namespace
}  // namespace zv
