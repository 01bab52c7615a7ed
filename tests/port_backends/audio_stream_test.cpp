#include "port/audio/audio_stream.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <thread>

#include "temp_folder.h"

namespace zv::port {
namespace {

using test::TempFolder;

// SDL's disk driver, writing what the device plays to `file` as fast as it can.
class DiskAudio {
 public:
  explicit DiskAudio(const std::filesystem::path& file) {
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    ::setenv("SDL_DISKAUDIODELAY", "0", 1);
    available_ = initialiseAudio();
  }
  ~DiskAudio() { shutdownAudio(); }
  bool available() const { return available_; }

 private:
  bool available_ = false;
};

// Waits until the play cursor has come round to the buffer start `laps` times.
void playLaps(const AudioStream& stream, int laps) {
  std::int64_t previous = stream.playCursor();
  while (laps > 0) {
    std::int64_t cursor = stream.playCursor();
    if (cursor < previous) {
      --laps;
    }
    previous = cursor;
    std::this_thread::yield();
  }
}

TEST(AudioStream, LoopsItsBufferFromTheStartInTheGivenFormat) {
  TempFolder folder;
  DiskAudio audio(folder / "out.raw");
  ASSERT_TRUE(audio.available());
  // 8-bit mono: bytes are frames, and unplayed parts are 128 (silence).
  std::unique_ptr<AudioStream> stream = createAudioStream({1, 8000, 8}, 3000);
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->size(), 3000);
  EXPECT_EQ(stream->playCursor(), 0);
  std::vector<std::uint8_t> pattern(3000);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    pattern[i] = static_cast<std::uint8_t>(1 + i % 97);
  }
  stream->write(0, pattern);
  // A write across the end continues at the start.
  std::vector<std::uint8_t> across = {200, 201, 202, 203};
  stream->write(2998, across);
  pattern[2998] = 200;
  pattern[2999] = 201;
  pattern[0] = 202;
  pattern[1] = 203;

  stream->play();
  playLaps(*stream, 2);
  stream->stop();
  std::int64_t stoppedAt = stream->playCursor();
  stream.reset();

  std::string played = test::readFile(folder / "out.raw");
  std::size_t start = played.find_first_not_of('\x80');
  ASSERT_NE(start, std::string::npos);
  std::string expected(pattern.begin(), pattern.end());
  ASSERT_GE(played.size(), start + 2 * expected.size() + stoppedAt);
  EXPECT_EQ(played.substr(start, expected.size()), expected);
  EXPECT_EQ(played.substr(start + expected.size(), expected.size()), expected);
}

TEST(AudioStream, RefusesFormatsTheFilesCannotHold) {
  TempFolder folder;
  DiskAudio audio(folder / "out.raw");
  ASSERT_TRUE(audio.available());
  EXPECT_EQ(createAudioStream({3, 44100, 16}, 4000), nullptr);
  EXPECT_EQ(createAudioStream({2, 44100, 24}, 4000), nullptr);
  EXPECT_EQ(createAudioStream({2, 0, 16}, 4000), nullptr);
  EXPECT_EQ(createAudioStream({2, 44100, 16}, 0), nullptr);
  EXPECT_NE(createAudioStream({2, 44100, 16}, 4000), nullptr);
}

}  // namespace
}  // namespace zv::port
