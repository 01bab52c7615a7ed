#include "port/audio/audio_stream.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

namespace zv::port {
namespace {

// Frames per device callback: small enough that the play cursor moves in steps of a few hundredths
// of a second at common rates.
constexpr Uint16 kCallbackFrames = 1024;

class SdlAudioStream : public AudioStream {
 public:
  SdlAudioStream(std::int64_t bufferBytes, std::uint8_t silence)
      : buffer_(static_cast<std::size_t>(bufferBytes), silence) {}

  ~SdlAudioStream() override {
    if (device_ != 0) {
      SDL_CloseAudioDevice(device_);
    }
  }

  bool open(const AudioFormat& format) {
    SDL_AudioSpec wanted{};
    wanted.freq = format.samplesPerSecond;
    wanted.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    wanted.channels = static_cast<Uint8>(format.channels);
    wanted.samples = kCallbackFrames;
    wanted.callback = &SdlAudioStream::feed;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to what the hardware takes, so the buffer stays in the file's format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    return device_ != 0;
  }

  void write(std::int64_t offset, std::span<const std::uint8_t> bytes) override {
    SDL_LockAudioDevice(device_);
    std::size_t at = static_cast<std::size_t>(offset) % buffer_.size();
    while (!bytes.empty()) {
      std::size_t part = std::min(bytes.size(), buffer_.size() - at);
      std::memcpy(buffer_.data() + at, bytes.data(), part);
      bytes = bytes.subspan(part);
      at = 0;
    }
    SDL_UnlockAudioDevice(device_);
  }

  void play() override { SDL_PauseAudioDevice(device_, 0); }
  void stop() override { SDL_PauseAudioDevice(device_, 1); }
  std::int64_t playCursor() const override { return cursor_.load(std::memory_order_acquire); }
  std::int64_t size() const override { return static_cast<std::int64_t>(buffer_.size()); }

 private:
  // Runs on SDL's audio thread with the device locked.
  static void SDLCALL feed(void* user, Uint8* stream, int length) {
    auto* self = static_cast<SdlAudioStream*>(user);
    std::size_t at = static_cast<std::size_t>(self->cursor_.load(std::memory_order_relaxed));
    std::size_t remaining = static_cast<std::size_t>(length);
    while (remaining > 0) {
      std::size_t part = std::min(remaining, self->buffer_.size() - at);
      std::memcpy(stream, self->buffer_.data() + at, part);
      stream += part;
      remaining -= part;
      at = (at + part) % self->buffer_.size();
    }
    self->cursor_.store(static_cast<std::int64_t>(at), std::memory_order_release);
  }

  std::vector<std::uint8_t> buffer_;
  std::atomic<std::int64_t> cursor_{0};
  SDL_AudioDeviceID device_ = 0;
};

}  // namespace

bool initialiseAudio() {
  // SDL would take over SIGINT and SIGTERM and turn them into quit events nobody reads, leaving the
  // program deaf to a plain kill.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

void shutdownAudio() {
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::unique_ptr<AudioStream> createAudioStream(const AudioFormat& format, std::int64_t bufferBytes) {
  bool formatUsable = (format.channels == 1 || format.channels == 2) &&
                      (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
                      format.samplesPerSecond > 0;
  if (!formatUsable || bufferBytes <= 0) {
    return nullptr;
  }
  auto stream = std::make_unique<SdlAudioStream>(bufferBytes, format.bitsPerSample == 8 ? 128 : 0);
  if (!stream->open(format)) {
    return nullptr;
  }
  return stream;
}

}  // namespace zv::port
