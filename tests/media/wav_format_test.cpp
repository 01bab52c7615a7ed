#include "files/wav/wav_format.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "port/paths.h"
#include "wav_test_files.h"

namespace zv {
namespace {

using test::TempFolder;

std::optional<WavHeader> headerOf(const std::filesystem::path& file) {
  int descriptor = ::open(file.c_str(), O_RDONLY);
  std::optional<WavHeader> header = readWavHeader(descriptor);
  ::close(descriptor);
  return header;
}

std::optional<WavHeader> headerOfBytes(const TempFolder& folder, const std::string& bytes) {
  test::writeFile(folder / "case.wav", bytes);
  return headerOf(folder / "case.wav");
}

void putLittle(std::string& bytes, std::size_t at, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) {
    bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
  }
}

TEST(WavFormat, StartAtThreePointSevenSecondsOfCdAudioIsDataOffset652680) {
  WavHeader header{pcmFormat(2, 44100, 16), 44, 10'000'000};
  EXPECT_EQ(playbackDataOffset(header, 3.7f), 652680);
  // Offsets are whole frames, never before the data or past its end.
  WavHeader mono8{pcmFormat(1, 11025, 8), 44, 100'000};
  EXPECT_EQ(playbackDataOffset(mono8, 3.7f), 40792);
  WavHeader stereo8{pcmFormat(2, 11025, 8), 44, 100'001};
  EXPECT_EQ(playbackDataOffset(stereo8, 0.5f), 11024);
  EXPECT_EQ(playbackDataOffset(header, -1.0f), 0);
  EXPECT_EQ(playbackDataOffset(stereo8, 1e30f), 100'000);
  // Far past 2 GB of data the offset is still exact: it is kept in 64 bits.
  WavHeader huge{pcmFormat(2, 48000, 16), 44, 4'000'000'000};
  EXPECT_EQ(playbackDataOffset(huge, 20000.0f), 3'840'000'000);
}

TEST(WavFormat, ReadsTheHeaderOfAPlainFile) {
  TempFolder folder;
  std::vector<std::uint8_t> data(1000, 7);
  std::optional<WavHeader> header = headerOf(test::writeWav(folder, "plain.wav", pcmFormat(2, 22050, 16),
                                                            data, std::string("LIST\4\0\0\0abcd", 12)));
  ASSERT_TRUE(header);
  EXPECT_EQ(header->format, pcmFormat(2, 22050, 16));
  EXPECT_EQ(header->format.averageBytesPerSecond, 88200u);
  EXPECT_EQ(header->format.extraSize, 18);
  EXPECT_EQ(header->dataOffset, 44);
  EXPECT_EQ(header->dataBytes, 1000);
}

TEST(WavFormat, FindsTheDataChunkAfterOtherChunks) {
  TempFolder folder;
  std::string bytes = wavFileBytes(pcmFormat(1, 8000, 8), std::vector<std::uint8_t>(10, 128));
  bytes.insert(36, "fact\4\0\0\0\x10\0\0\0", 12);
  std::optional<WavHeader> header = headerOfBytes(folder, bytes);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->dataOffset, 56);
  EXPECT_EQ(header->dataBytes, 10);
}

TEST(WavFormat, DataSizeIsLimitedToWhatTheFileHolds) {
  TempFolder folder;
  std::string bytes = wavFileBytes(pcmFormat(1, 8000, 16), std::vector<std::uint8_t>(100, 1));
  putLittle(bytes, 40, 0xFFFFFFFF, 4);
  std::optional<WavHeader> header = headerOfBytes(folder, bytes);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->dataBytes, 100);
}

TEST(WavFormat, RefusesFilesItCannotPlay) {
  TempFolder folder;
  const std::string good = wavFileBytes(pcmFormat(2, 44100, 16), std::vector<std::uint8_t>(64, 1));
  ASSERT_TRUE(headerOfBytes(folder, good));

  struct Case {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    int width;
  };
  const Case cases[] = {
      {"not RIFF", 0, 'X', 1},
      {"not PCM (float)", 20, 3, 2},
      {"three channels", 22, 3, 2},
      {"no channels", 22, 0, 2},
      {"no sample rate", 24, 0, 4},
      {"rate beyond any device", 24, 10'000'000, 4},
      {"average rate disagrees", 28, 176'401, 4},
      {"block align disagrees", 32, 3, 2},
      {"zero block align", 32, 0, 2},
      {"24-bit samples", 34, 24, 2},
      {"no data tag", 36, 'x', 1},
  };
  for (const Case& c : cases) {
    std::string bytes = good;
    putLittle(bytes, c.at, c.value, c.width);
    EXPECT_FALSE(headerOfBytes(folder, bytes)) << c.what;
  }

  // The format chunk must be the first one: a chunk before it moves the fields away from byte 20.
  std::string listFirst = good;
  listFirst.insert(12, "LIST\4\0\0\0abcd", 12);
  EXPECT_FALSE(headerOfBytes(folder, listFirst));
  // Too slow for one frame per waveform column.
  PcmFormat slow = pcmFormat(1, 300, 8);
  EXPECT_FALSE(headerOfBytes(folder, wavFileBytes(slow, std::vector<std::uint8_t>(10, 128))));
  EXPECT_FALSE(headerOfBytes(folder, good.substr(0, 30)));
  EXPECT_FALSE(headerOfBytes(folder, good.substr(0, 42)));
  EXPECT_FALSE(headerOfBytes(folder, ""));
}

TEST(WavFormat, TheDataScanNeedsFourMatchingBytesInARow) {
  TempFolder folder;
  std::string bytes = wavFileBytes(pcmFormat(1, 8000, 8), std::vector<std::uint8_t>(10, 128));
  // "ddata": the second 'd' ends the first run and does not start a new one.
  bytes.replace(36, 4, "ddat");
  bytes.insert(40, "a");
  EXPECT_FALSE(headerOfBytes(folder, bytes));
  // "daxdata" is found: the run broken by "x" starts again at the next byte.
  bytes = wavFileBytes(pcmFormat(1, 8000, 8), std::vector<std::uint8_t>(10, 128));
  bytes.insert(36, "dax");
  std::optional<WavHeader> header = headerOfBytes(folder, bytes);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->dataOffset, 47);
}

TEST(WavFormat, ColumnBytesAreWholeFramesOfOne390thSecond) {
  EXPECT_EQ(waveformColumnBytes(pcmFormat(2, 44100, 16)), 452);
  EXPECT_EQ(waveformColumnBytes(pcmFormat(1, 44100, 16)), 226);
  EXPECT_EQ(waveformColumnBytes(pcmFormat(1, 8000, 8)), 20);
  EXPECT_EQ(waveformColumnBytes(pcmFormat(2, 48000, 16)), 492);
  EXPECT_EQ(waveformColumnBytes(pcmFormat(1, 300, 8)), 0);
  EXPECT_EQ(waveformColumnBytes(PcmFormat{}), 0);
}

}  // namespace
}  // namespace zv
