#include "files/wav/wav_waveform.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>

#include "files/wav/wav_info.h"
#include "wav_test_files.h"

namespace zv {
namespace {

using test::TempFolder;

Waveform waveformOf(const std::filesystem::path& file) {
  int descriptor = ::open(file.c_str(), O_RDONLY);
  std::optional<WavHeader> header = readWavHeader(descriptor);
  Waveform waveform = header ? buildWaveform(descriptor, *header) : Waveform{};
  ::close(descriptor);
  return waveform;
}

// Stereo 44.1 kHz 16-bit, both channels the same sine of `amplitude` at 441 Hz (100 frames a period).
std::vector<std::uint8_t> stereoSine(int frames, double amplitude) {
  std::vector<std::int16_t> samples;
  for (int i = 0; i < frames; ++i) {
    auto value = static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * M_PI * i / 100.0)));
    samples.push_back(value);
    samples.push_back(value);
  }
  return test::samples16(samples);
}

TEST(WavWaveform, SineColumnsFollowTheStripFormula) {
  TempFolder folder;
  // 44100 frames: 176400 bytes, 452 bytes (113 frames, over one period) a column.
  Waveform loud =
      waveformOf(test::writeWav(folder, "loud.wav", pcmFormat(2, 44100, 16), stereoSine(44100, 32767)));
  ASSERT_EQ(loud.columnCount, 176400 / 452 + 1);
  // 25 + 32767 x 25 / 32768 and 25 + (-32767 x 25) / 32768, both shifted down (floored).
  for (int column = 0; column < 390; ++column) {
    ASSERT_EQ(loud.waveMax[column], 49) << column;
    ASSERT_EQ(loud.waveMin[column], 0) << column;
  }
  // The last column would run past the data: it stays empty.
  EXPECT_EQ(loud.waveMax[390], 0);
  EXPECT_EQ(loud.waveMin[390], 0);

  Waveform half =
      waveformOf(test::writeWav(folder, "half.wav", pcmFormat(2, 44100, 16), stereoSine(44100, 16384)));
  for (int column = 0; column < 390; ++column) {
    ASSERT_EQ(half.waveMax[column], 25 + 12) << column;
    ASSERT_EQ(half.waveMin[column], 25 - 13) << column;
  }
}

TEST(WavWaveform, ColumnsStartAtWholeFramesOf390thsOfASecond) {
  TempFolder folder;
  // Column 12 covers frames 1356..1468 and column 13 starts at frame 1470 (5880 / 4): frame 1469
  // falls between them; frames 1468 and 1470 do not.
  for (int spikeFrame : {1468, 1469, 1470}) {
    std::vector<std::int16_t> samples(2 * 4410, 0);
    samples[2 * spikeFrame + 1] = 32767;  // right channel only
    Waveform waveform =
        waveformOf(test::writeWav(folder, "spike.wav", pcmFormat(2, 44100, 16), test::samples16(samples)));
    int columnsWithSpike = 0;
    for (int column = 0; column < waveform.columnCount; ++column) {
      if (waveform.waveMax[column] == 49) {
        ++columnsWithSpike;
        EXPECT_EQ(column, spikeFrame == 1468 ? 12 : 13);
      }
    }
    EXPECT_EQ(columnsWithSpike, spikeFrame == 1469 ? 0 : 1) << spikeFrame;
  }
}

TEST(WavWaveform, EightBitSamplesUseTheSameStrip) {
  TempFolder folder;
  // 8 kHz mono 8-bit: 20-byte columns. Column 0 silence, column 1 full scale, column 2 a quarter up.
  std::vector<std::uint8_t> data(70, 128);
  data[25] = 255;
  data[30] = 0;
  data[45] = 128 + 64;
  Waveform waveform = waveformOf(test::writeWav(folder, "byte.wav", pcmFormat(1, 8000, 8), data));
  ASSERT_EQ(waveform.columnCount, 4);
  EXPECT_EQ(waveform.waveMax[0], 25);
  EXPECT_EQ(waveform.waveMin[0], 25);
  EXPECT_EQ(waveform.waveMax[1], 49);
  EXPECT_EQ(waveform.waveMin[1], 0);
  EXPECT_EQ(waveform.waveMax[2], 25 + 12);
  EXPECT_EQ(waveform.waveMin[2], 25);

  // 8-bit stereo takes both channels.
  std::vector<std::uint8_t> stereo(80, 128);
  stereo[1] = 0;
  waveform = waveformOf(test::writeWav(folder, "byte2.wav", pcmFormat(2, 8000, 8), stereo));
  EXPECT_EQ(waveform.waveMin[0], 0);
  EXPECT_EQ(waveform.waveMax[0], 25);
}

TEST(WavWaveform, TrailingChunksAreNotTakenForSound) {
  TempFolder folder;
  std::vector<std::uint8_t> data(40, 128);
  Waveform waveform = waveformOf(
      test::writeWav(folder, "tail.wav", pcmFormat(1, 8000, 8), data, "LIST" + std::string(200, '\xFF')));
  ASSERT_EQ(waveform.columnCount, 3);
  EXPECT_EQ(waveform.waveMax[1], 25);
  EXPECT_EQ(waveform.waveMax[2], 0) << "the third column would read the LIST chunk";
}

TEST(WavWaveform, StrokesPlaceTheCurrentFrameAtX74) {
  Waveform waveform;
  waveform.columnCount = 200;
  for (int i = 0; i < 200; ++i) {
    waveform.waveMax.push_back(static_cast<std::uint8_t>(30 + i % 7));
    waveform.waveMin.push_back(static_cast<std::uint8_t>(20 - i % 5));
  }
  std::vector<WaveformStroke> strokes = waveformStrokes(waveform, 0, 250);
  ASSERT_EQ(strokes.size(), 240u - 74u);
  EXPECT_EQ(strokes.front(), (WaveformStroke{74, 30, 20}));
  EXPECT_EQ(strokes.back(), (WaveformStroke{239, waveform.waveMax[165], waveform.waveMin[165]}));

  // Frame 10: column 130 - 74 = 56 at x 0; the strip ends with the last column at x 143.
  strokes = waveformStrokes(waveform, 10, 250);
  ASSERT_EQ(strokes.size(), 144u);
  EXPECT_EQ(strokes.front().x, 0);
  EXPECT_EQ(strokes.front().yFrom, waveform.waveMax[56]);
  EXPECT_EQ(strokes.back().x, 143);

  EXPECT_TRUE(waveformStrokes(waveform, 4'000'000'000u, 250).empty());
  EXPECT_TRUE(waveformStrokes(waveform, 0, 5).empty());
}

TEST(WavInfo, ReportsFormatColumnsAndRefusals) {
  TempFolder folder;
  std::vector<std::uint8_t> data(45, 128);
  data[3] = 255;
  WavInfo info = readWavInfo(test::writeWav(folder, "info.wav", pcmFormat(1, 8000, 8), data));
  ASSERT_TRUE(info.ok);
  EXPECT_EQ(wavInfoJson(info),
            "{\"formatTag\":1,\"channels\":1,\"samplesPerSecond\":8000,\"averageBytesPerSecond\":8000,"
            "\"blockAlign\":1,\"bitsPerSample\":8,\"dataOffset\":44,\"dataBytes\":45,\"columnBytes\":20,"
            "\"columnCount\":3,\"waveMax\":[49,25,0],\"waveMin\":[25,25,0]}");

  WavInfo missing = readWavInfo(folder / "none.wav");
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.message, "WAVEファイルが見つかりません");
  EXPECT_EQ(missing.caption, "WAVE読込");
  test::writeFile(folder / "text.wav", "hello, this is not a sound file at all......");
  WavInfo text = readWavInfo(folder / "text.wav");
  EXPECT_FALSE(text.ok);
  EXPECT_EQ(text.message, "WAVE(PCM)ファイルではありません");
  EXPECT_EQ(text.caption, "WAVE");
}

TEST(WavInfo, ReadsTheWholeDataChunkAndNothingAfterIt) {
  TempFolder folder;
  std::vector<std::uint8_t> data = test::samples16({1, -2, 300, -32768});
  std::optional<WavPcm> pcm = readWavPcm(
      test::writeWav(folder, "pcm.wav", pcmFormat(2, 8000, 16), data, std::string("LIST\4\0\0\0abcd", 12)));
  ASSERT_TRUE(pcm);
  EXPECT_EQ(pcm->format, pcmFormat(2, 8000, 16));
  EXPECT_EQ(pcm->data, data);
  EXPECT_FALSE(readWavPcm(folder / "none.wav"));
  test::writeFile(folder / "text.wav", "not a sound file, but long enough to be read as a header");
  EXPECT_FALSE(readWavPcm(folder / "text.wav"));
}

}  // namespace
}  // namespace zv
