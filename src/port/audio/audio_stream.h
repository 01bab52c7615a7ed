// Streaming sound output: one looping buffer that the device plays from a moving play cursor
// while its owner refills the part already played. Backed by SDL2's audio subsystem.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace zv::port {

// Starts the audio subsystem (the driver named by SDL_AUDIODRIVER, if set). False when no
// sound output can be used at all.
bool initialiseAudio();
void shutdownAudio();

struct AudioFormat {
  int channels = 0;          // 1 or 2
  int samplesPerSecond = 0;  // frames per second
  int bitsPerSample = 0;     // 8 (unsigned) or 16 (signed little-endian)
};

class AudioStream {
 public:
  virtual ~AudioStream() = default;

  // Copies `bytes` into the buffer at `offset`, wrapping at its end. Safe while the device plays.
  virtual void write(std::int64_t offset, std::span<const std::uint8_t> bytes) = 0;
  // Starts looping playback from the play cursor; stop halts it at once, keeping the cursor.
  virtual void play() = 0;
  virtual void stop() = 0;
  // Offset of the next byte the device takes from the buffer.
  virtual std::int64_t playCursor() const = 0;
  virtual std::int64_t size() const = 0;
};

// A stopped stream of `bufferBytes` (a whole number of frames) filled with silence, with the
// device opened in `format`; null when the device refuses it. Needs initialiseAudio.
std::unique_ptr<AudioStream> createAudioStream(const AudioFormat& format, std::int64_t bufferBytes);

}  // namespace zv::port
