#include "media/wav_player.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/told_messages.h"
#include "wav_test_files.h"

namespace zv {
namespace {

using test::TempFolder;

// A player on SDL's `driver`; the disk driver writes what was played to `diskFile`.
struct PlayerFixture {
  explicit PlayerFixture(const char* driver, const std::filesystem::path& diskFile = {}) {
    ::setenv("SDL_AUDIODRIVER", driver, 1);
    if (!diskFile.empty()) {
      ::setenv("SDL_DISKAUDIOFILE", diskFile.c_str(), 1);
    }
  }
  ~PlayerFixture() { shutdown(player); }

  // The player's operations, keeping what they tell in `ui`.
  bool initialise(port::Canvas* strip) { return ui.kept(zv::initialise(player, strip)).done; }
  bool open(std::filesystem::path& path, const std::filesystem::path& executableDirectory) {
    return ui.kept(zv::open(player, path, executableDirectory)).done;
  }
  bool loadWav(std::filesystem::path& path, const std::filesystem::path& executableDirectory,
               std::uint32_t currentFrame, int panelWidth) {
    return ui.kept(zv::loadWav(player, path, executableDirectory, currentFrame, panelWidth)).done;
  }

  test::ToldMessages ui;
  WavPlayer player;
};

// 16-bit mono at 8 kHz whose samples are never 0, so played sound stands out from silence.
std::vector<std::uint8_t> countingSamples(int frames) {
  std::vector<std::int16_t> samples;
  for (int i = 0; i < frames; ++i) {
    samples.push_back(static_cast<std::int16_t>(1 + (i * 37) % 20000));
  }
  return test::samples16(samples);
}

TEST(WavPlayer, PlaysTheFileFromTheGivenTimeThenSilenceAndStopsAfterThreeShortFills) {
  TempFolder folder;
  PlayerFixture fixture("disk", folder / "played.raw");
  ASSERT_TRUE(fixture.initialise(nullptr));
  // 0.75 s, followed by a chunk whose bytes must never be played.
  std::vector<std::uint8_t> data = countingSamples(6000);
  std::filesystem::path path =
      test::writeWav(folder, "song.wav", pcmFormat(1, 8000, 16), data, "LIST" + std::string(40000, '\x55'));
  ASSERT_TRUE(fixture.open(path, folder.path()));
  ASSERT_TRUE(prepare(fixture.player));
  ASSERT_TRUE(playFrom(fixture.player, 0.25f));
  // The thread ends by itself once the data is used up.
  fixture.player.thread.join();
  EXPECT_EQ(fixture.player.stopState.load(), kWavFinished);
  EXPECT_EQ(fixture.player.shortReads, 3);
  EXPECT_EQ(fixture.player.buffer, nullptr);
  EXPECT_EQ(fixture.player.dataRead, 12000);
  stop(fixture.player);

  std::string played = test::readFile(folder / "played.raw");
  // Before playback starts the paused device may have written silence.
  std::size_t start = 0;
  while (start + 1 < played.size() && played[start] == 0 && played[start + 1] == 0) {
    start += 2;
  }
  const std::size_t expectedBytes = data.size() - 4000;
  ASSERT_GE(played.size(), start + expectedBytes);
  EXPECT_EQ(played.substr(start, expectedBytes),
            std::string(reinterpret_cast<const char*>(data.data()) + 4000, expectedBytes));
  std::string after = played.substr(start + expectedBytes);
  EXPECT_GT(after.size(), 0u);
  EXPECT_EQ(after.find_first_not_of('\0'), std::string::npos) << "silence after the data";
}

TEST(WavPlayer, StopEndsPlaybackAndCanBeRepeated) {
  TempFolder folder;
  PlayerFixture fixture("dummy");
  ASSERT_TRUE(fixture.initialise(nullptr));
  std::filesystem::path path =
      test::writeWav(folder, "long.wav", pcmFormat(2, 22050, 16), countingSamples(220500));
  ASSERT_TRUE(fixture.open(path, folder.path()));
  stop(fixture.player);
  stop(fixture.player);

  // After stop the player prepares itself again, so playback can start straight away.
  ASSERT_TRUE(playFrom(fixture.player, 1.0f));
  EXPECT_TRUE(fixture.player.thread.joinable());
  // A second start replaces the running thread instead of racing it.
  ASSERT_TRUE(playFrom(fixture.player, 2.0f));
  stop(fixture.player);
  EXPECT_FALSE(fixture.player.thread.joinable());
  EXPECT_EQ(fixture.player.stopState.load(), kWavFinished);
  EXPECT_EQ(fixture.player.file, -1);
  EXPECT_EQ(fixture.player.buffer, nullptr);
  EXPECT_LT(fixture.player.shortReads, 3);
  stop(fixture.player);
  EXPECT_TRUE(fixture.ui.messages.empty());
}

TEST(WavPlayer, OpenRefusesMissingAndForeignFilesWithTheirMessages) {
  TempFolder folder;
  PlayerFixture fixture("dummy");
  ASSERT_TRUE(fixture.initialise(nullptr));
  std::filesystem::create_directories(folder / "UserFile/Wave");
  test::writeWav(folder, "UserFile/Wave/song", pcmFormat(1, 8000, 8), std::vector<std::uint8_t>(100, 128));

  // Without ".wav" there is no second look under UserFile/Wave, even though that file exists.
  std::filesystem::path missing = folder / "elsewhere/song";
  EXPECT_FALSE(fixture.open(missing, folder.path()));
  ASSERT_EQ(fixture.ui.messages.size(), 1u);
  EXPECT_EQ(fixture.ui.messages[0].text, "WAVEファイルが見つかりません");
  EXPECT_EQ(fixture.ui.messages[0].caption, "WAVE読込");
  EXPECT_EQ(missing, folder / "elsewhere/song");

  std::string good = wavFileBytes(pcmFormat(2, 44100, 16), std::vector<std::uint8_t>(400, 1));
  std::string fmtSecond = good;
  fmtSecond.insert(12, "LIST\4\0\0\0abcd", 12);
  test::writeFile(folder / "late.wav", fmtSecond);
  std::string adpcm = good;
  adpcm[20] = 2;
  test::writeFile(folder / "adpcm.wav", adpcm);
  for (const char* name : {"late.wav", "adpcm.wav"}) {
    std::filesystem::path path = folder / name;
    fixture.ui.messages.clear();
    EXPECT_FALSE(fixture.open(path, folder.path())) << name;
    ASSERT_EQ(fixture.ui.messages.size(), 1u);
    EXPECT_EQ(fixture.ui.messages[0].text, "WAVE(PCM)ファイルではありません");
    EXPECT_EQ(fixture.ui.messages[0].caption, "WAVE");
  }
}

TEST(WavPlayer, AMovedFileIsFoundInTheWaveFolder) {
  TempFolder folder;
  PlayerFixture fixture("dummy");
  ASSERT_TRUE(fixture.initialise(nullptr));
  std::filesystem::create_directories(folder / "UserFile/Wave");
  test::writeWav(folder, "UserFile/Wave/moved.wav", pcmFormat(1, 8000, 8),
                 std::vector<std::uint8_t>(100, 128));
  std::filesystem::path path = "/no/such/folder/moved.wav";
  ASSERT_TRUE(fixture.open(path, folder.path()));
  EXPECT_EQ(path, folder / "UserFile/Wave/moved.wav");
  EXPECT_EQ(fixture.player.path, path);
  EXPECT_EQ(fixture.player.dataBytes, 100);
  EXPECT_EQ(fixture.player.waveform.columnCount, 6);
  EXPECT_TRUE(fixture.ui.messages.empty());
}

TEST(WavPlayer, WithoutSoundOutputLoadingIsRefused) {
  PlayerFixture fixture("no-such-driver");
  EXPECT_FALSE(fixture.initialise(nullptr));
  ASSERT_EQ(fixture.ui.messages.size(), 1u);
  EXPECT_TRUE(fixture.ui.messages[0].standalone);
  EXPECT_EQ(fixture.ui.messages[0].text, "DirectSoundが生成できません\nDirectSoundの使用が不可能です");
  EXPECT_EQ(fixture.ui.messages[0].caption, "");

  TempFolder folder;
  std::filesystem::path path =
      test::writeWav(folder, "ok.wav", pcmFormat(1, 8000, 8), std::vector<std::uint8_t>(100, 128));
  EXPECT_FALSE(fixture.loadWav(path, folder.path(), 0, 250));
  ASSERT_EQ(fixture.ui.messages.size(), 2u);
  EXPECT_EQ(fixture.ui.messages[1].text, "DirectSoundの初期化に失敗しているため、WAVは鳴らせません");
  EXPECT_EQ(fixture.ui.messages[1].caption, "DirectSoundエラー");
  EXPECT_FALSE(playFrom(fixture.player, 0.0f));
}

TEST(WavPlayer, DrawsTheStripWithTheCurrentFrameAtX74) {
  PlayerFixture fixture("dummy");
  port::Canvas strip(1000, 50);
  ASSERT_TRUE(fixture.initialise(&strip));
  Waveform& waveform = fixture.player.waveform;
  waveform.columnCount = 30;
  waveform.waveMax.assign(30, 25);
  waveform.waveMin.assign(30, 25);
  waveform.waveMax[0] = 40;
  waveform.waveMin[0] = 10;
  waveform.waveMax[1] = 0;
  waveform.waveMin[1] = 0;

  drawWaveform(fixture.player, 0, 250);
  const port::Colour white{255, 255, 255, 255}, blue{0, 0, 255, 255}, black{0, 0, 0, 255};
  EXPECT_EQ(strip.pixel(0, 0), white);
  EXPECT_EQ(strip.pixel(73, 30), white) << "before the first column";
  EXPECT_EQ(strip.pixel(239, 49), white);
  EXPECT_EQ(strip.pixel(240, 0).a, 0) << "right of the strip is left alone";
  for (int x : {0, 100, 239}) {
    EXPECT_EQ(strip.pixel(x, 25), black) << x;
  }
  // Column 0 at x 74: the stroke runs from row 40 up to row 10, which it does not cover.
  EXPECT_EQ(strip.pixel(74, 40), blue);
  EXPECT_EQ(strip.pixel(74, 11), blue);
  EXPECT_EQ(strip.pixel(74, 10), white);
  EXPECT_EQ(strip.pixel(74, 41), white);
  // A column whose rows coincide draws nothing, as a pen line of no length.
  EXPECT_EQ(strip.pixel(75, 0), white);

  // One frame on, column 0 sits 13 pixels further left.
  drawWaveform(fixture.player, 1, 250);
  EXPECT_EQ(strip.pixel(61, 30), blue);
  EXPECT_EQ(strip.pixel(74, 30), white);
}

TEST(WavPlayer, AFailedLoadLeavesABlankStripAndNoFile) {
  TempFolder folder;
  PlayerFixture fixture("dummy");
  port::Canvas strip(1000, 50);
  ASSERT_TRUE(fixture.initialise(&strip));
  std::vector<std::uint8_t> fullScale(2000);
  for (std::size_t i = 0; i < fullScale.size(); ++i) {
    fullScale[i] = i % 2 == 0 ? 0 : 255;
  }
  std::filesystem::path good = test::writeWav(folder, "good.wav", pcmFormat(1, 8000, 8), fullScale);
  ASSERT_TRUE(fixture.loadWav(good, folder.path(), 0, 250));
  EXPECT_TRUE(fixture.player.buffer != nullptr);
  EXPECT_EQ(strip.pixel(74, 30), (port::Colour{0, 0, 255, 255}));

  std::filesystem::path bad = folder / "missing.wav";
  EXPECT_FALSE(fixture.loadWav(bad, folder.path(), 0, 250));
  EXPECT_TRUE(fixture.player.path.empty());
  EXPECT_EQ(fixture.player.waveform.columnCount, 0);
  EXPECT_EQ(fixture.player.file, -1);
  EXPECT_EQ(fixture.player.buffer, nullptr);
  EXPECT_EQ(strip.pixel(74, 30), (port::Colour{255, 255, 255, 255}));
  EXPECT_EQ(strip.pixel(238, 25), (port::Colour{0, 0, 0, 255}));
  EXPECT_EQ(strip.pixel(0, 48), (port::Colour{255, 255, 255, 255}));
  EXPECT_FALSE(playFrom(fixture.player, 0.0f));
  ASSERT_EQ(fixture.ui.messages.size(), 1u);
  EXPECT_EQ(fixture.ui.messages[0].text, "WAVEファイルが見つかりません");
}

}  // namespace
}  // namespace zv
