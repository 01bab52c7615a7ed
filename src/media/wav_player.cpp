#include "media/wav_player.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "port/paths.h"

namespace zv {
namespace {

constexpr port::Colour kWhite{255, 255, 255, 255};
constexpr port::Colour kBlack{0, 0, 0, 255};
constexpr port::Colour kBlue{0, 0, 255, 255};

int openForReading(std::filesystem::path& path) {
  int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor >= 0) {
    return descriptor;
  }
  std::filesystem::path matched = port::resolveCaseInsensitive(path);
  if (matched == path) {
    return -1;
  }
  descriptor = ::open(matched.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor >= 0) {
    path = matched;
  }
  return descriptor;
}

void closeFile(WavPlayer& player) {
  if (player.file >= 0) {
    ::close(player.file);
    player.file = -1;
  }
}

std::int64_t readUpTo(int descriptor, std::uint8_t* bytes, std::int64_t count) {
  std::int64_t total = 0;
  while (total < count) {
    ssize_t got = ::read(descriptor, bytes + total, static_cast<std::size_t>(count - total));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      break;
    }
    total += got;
  }
  return total;
}

// Reads the next part of the data into `staging`, never past the data chunk; what the data cannot
// fill is silence, and such a fill counts once as a short read.
void fill(WavPlayer& player, std::vector<std::uint8_t>& staging) {
  const auto wanted = static_cast<std::int64_t>(staging.size());
  std::int64_t allowed = std::clamp<std::int64_t>(player.dataBytes - player.dataRead, 0, wanted);
  std::int64_t got = readUpTo(player.file, staging.data(), allowed);
  player.dataRead += got;
  if (got < wanted) {
    std::uint8_t silence = player.format.bitsPerSample == 8 ? 128 : 0;
    std::memset(staging.data() + got, silence, static_cast<std::size_t>(wanted - got));
    ++player.shortReads;
  }
}

// 100 ms between two looks at the play cursor, watching the stop word every 10 ms. False when a
// stop was requested.
bool pauseBetweenPolls(const WavPlayer& player) {
  for (int i = 0; i < 10; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (player.stopState.load() == kWavStopRequested) {
      return false;
    }
  }
  return true;
}

// Waits until the half at `writeOffset` is no longer the one the device will reach next: after a
// wrap of the write offset, first for the cursor to come round to the buffer start (a reading
// below the previous one), then for it to pass `writeOffset`. False when a stop was requested.
bool waitForCursor(const WavPlayer& player, std::int64_t writeOffset, bool wrapped, std::int64_t& previous) {
  const port::AudioStream& buffer = *player.buffer;
  if (wrapped) {
    for (;;) {
      std::int64_t cursor = buffer.playCursor();
      bool cameRound = cursor < previous;
      previous = cursor;
      if (cameRound) {
        break;
      }
      if (!pauseBetweenPolls(player)) {
        return false;
      }
    }
  }
  for (;;) {
    std::int64_t cursor = buffer.playCursor();
    previous = cursor;
    if (cursor > writeOffset) {
      return true;
    }
    if (!pauseBetweenPolls(player)) {
      return false;
    }
  }
}

// Double buffering: the buffer holds two halves of one second; while the device plays one, the
// other is refilled from the file.
void streamPlayback(WavPlayer& player) {
  port::AudioStream& buffer = *player.buffer;
  const std::int64_t half = player.format.averageBytesPerSecond;
  std::vector<std::uint8_t> staging(static_cast<std::size_t>(half));
  fill(player, staging);
  buffer.write(0, staging);
  buffer.play();

  std::int64_t writeOffset = half;
  bool wrapped = false;
  std::int64_t previousCursor = 0;
  while (player.stopState.load() != kWavStopRequested) {
    fill(player, staging);
    buffer.write(writeOffset, staging);
    if (player.shortReads > 2) {
      break;
    }
    if (!waitForCursor(player, writeOffset, wrapped, previousCursor)) {
      break;
    }
    writeOffset += half;
    wrapped = writeOffset == player.bufferBytes;
    if (wrapped) {
      writeOffset = 0;
    }
  }
  buffer.stop();
  player.buffer.reset();
  player.stopState.store(kWavFinished);
}

void forget(WavPlayer& player) {
  stop(player);
  player.format = {};
  player.path.clear();
  player.bufferBytes = 0;
  player.dataBytes = 0;
  player.dataRead = 0;
  player.dataOffset = 0;
  player.shortReads = 0;
  player.waveform = {};
}

void paintBlankStrip(WavPlayer& player) {
  if (player.waveformStrip == nullptr) {
    return;
  }
  player.waveformStrip->fill({0, 0, kBlankStripWidth, kBlankStripHeight}, kWhite);
  player.waveformStrip->fill({0, kWaveformZeroRow, kBlankStripWidth, kWaveformZeroRow + 1}, kBlack);
}

// The parsed file becomes the player's, positioned at the first data byte.
void keepFileAtDataStart(WavPlayer& player, int descriptor, const WavHeader& header) {
  player.format = header.format;
  player.dataBytes = header.dataBytes;
  player.dataOffset = header.dataOffset;
  player.dataRead = 0;
  player.bufferBytes = 2 * std::int64_t{header.format.averageBytesPerSecond};
  player.file = descriptor;
  ::lseek(player.file, player.dataOffset, SEEK_SET);
}

Outcome refused(std::string_view text, std::string_view caption, bool standalone = false) {
  return {false, {{std::string(text), std::string(caption), standalone}}};
}

}  // namespace

WavPlayer::~WavPlayer() {
  stop(*this);
}

Outcome initialise(WavPlayer& player, port::Canvas* waveformStrip) {
  player.waveformStrip = waveformStrip;
  player.audioAvailable = port::initialiseAudio();
  if (!player.audioAvailable) {
    return refused(kSoundCreateFailedMessage, "", true);
  }
  return {true, {}};
}

Outcome open(WavPlayer& player, std::filesystem::path& path,
             const std::filesystem::path& executableDirectory) {
  stop(player);
  player.format = {};
  player.path = path;
  int descriptor = openForReading(player.path);
  if (descriptor < 0) {
    std::optional<std::filesystem::path> fallback =
        port::userFileFallback(path, executableDirectory, "Wave", ".wav");
    if (fallback) {
      player.path = *fallback;
      descriptor = openForReading(player.path);
    }
  }
  if (descriptor < 0) {
    return refused(kWavNotFoundMessage, kWavNotFoundCaption);
  }
  path = player.path;

  std::optional<WavHeader> header = readWavHeader(descriptor);
  if (!header) {
    ::close(descriptor);
    return refused(kWavNotPcmMessage, kWavNotPcmCaption);
  }
  player.waveform = buildWaveform(descriptor, *header);
  keepFileAtDataStart(player, descriptor, *header);
  return {true, {}};
}

bool prepare(WavPlayer& player) {
  stop(player);
  int descriptor = openForReading(player.path);
  if (descriptor < 0) {
    return false;
  }
  std::optional<WavHeader> header = readWavHeader(descriptor);
  if (!header) {
    ::close(descriptor);
    return false;
  }
  keepFileAtDataStart(player, descriptor, *header);
  if (!player.audioAvailable) {
    return false;
  }
  port::AudioFormat format{player.format.channels, static_cast<int>(player.format.samplesPerSecond),
                           player.format.bitsPerSample};
  player.buffer = port::createAudioStream(format, player.bufferBytes);
  return player.buffer != nullptr;
}

bool playFrom(WavPlayer& player, float seconds) {
  if (player.thread.joinable() || player.buffer == nullptr || player.file < 0) {
    if (!prepare(player)) {
      return false;
    }
  }
  player.stopState.store(kWavRunning);
  player.shortReads = 0;
  WavHeader header{player.format, player.dataOffset, player.dataBytes};
  std::int64_t offset = playbackDataOffset(header, seconds);
  ::lseek(player.file, player.dataOffset + offset, SEEK_SET);
  // The bytes before the start count as read, so playback ends where the data chunk ends.
  player.dataRead = offset;
  player.thread = std::thread(streamPlayback, std::ref(player));
  return true;
}

void stop(WavPlayer& player) {
  if (player.thread.joinable()) {
    int running = kWavRunning;
    player.stopState.compare_exchange_strong(running, kWavStopRequested);
    player.thread.join();
  }
  closeFile(player);
  player.buffer.reset();
}

void drawWaveform(WavPlayer& player, std::uint32_t currentFrame, int panelWidth) {
  if (player.waveformStrip == nullptr) {
    return;
  }
  port::Canvas& strip = *player.waveformStrip;
  const int width = panelWidth - 10;
  strip.fill({0, 0, width, kWaveformStripHeight}, kWhite);
  // A stroke covers its start row and stops short of its end row, as a pen line does.
  for (const WaveformStroke& stroke : waveformStrokes(player.waveform, currentFrame, panelWidth)) {
    int top = std::min(stroke.yFrom, stroke.yTo);
    int bottom = std::max(stroke.yFrom, stroke.yTo);
    if (stroke.yFrom > stroke.yTo) {
      ++top;
      ++bottom;
    }
    strip.fill({stroke.x, top, stroke.x + 1, bottom}, kBlue);
  }
  strip.fill({0, kWaveformZeroRow, width, kWaveformZeroRow + 1}, kBlack);
}

void shutdown(WavPlayer& player) {
  stop(player);
  if (player.audioAvailable) {
    port::shutdownAudio();
    player.audioAvailable = false;
  }
}

Outcome loadWav(WavPlayer& player, std::filesystem::path& path,
                const std::filesystem::path& executableDirectory, std::uint32_t currentFrame,
                int panelWidth) {
  if (!player.audioAvailable) {
    return refused(kSoundUnavailableMessage, kSoundUnavailableCaption, true);
  }
  forget(player);
  Outcome opened = open(player, path, executableDirectory);
  if (!opened) {
    forget(player);
    paintBlankStrip(player);
    return opened;
  }
  prepare(player);
  drawWaveform(player, currentFrame, panelWidth);
  return opened;
}

}  // namespace zv
