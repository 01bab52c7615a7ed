// PCM WAV files: the header as the music player reads it, the data-chunk position and the byte
// arithmetic that turns a time into a place in the data. Reads go straight to a file descriptor.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zv {

inline constexpr std::string_view kWavNotFoundMessage = "WAVEファイルが見つかりません";
inline constexpr std::string_view kWavNotFoundCaption = "WAVE読込";
inline constexpr std::string_view kWavNotPcmMessage = "WAVE(PCM)ファイルではありません";
inline constexpr std::string_view kWavNotPcmCaption = "WAVE";

// Highest sample rate accepted: keeps the two-second stream buffer to a few megabytes.
inline constexpr std::uint32_t kMaxWavSampleRate = 384000;

// The format record of a PCM file, as the audio device is opened with it.
struct PcmFormat {
  std::uint16_t formatTag = 0;              // 1 for PCM
  std::uint16_t channels = 0;               // 1 or 2
  std::uint32_t samplesPerSecond = 0;       // frames per second
  std::uint32_t averageBytesPerSecond = 0;  // samplesPerSecond x blockAlign
  std::uint16_t blockAlign = 0;             // bytes of one frame, all channels
  std::uint16_t bitsPerSample = 0;          // 8 (unsigned, 128 is silence) or 16 (signed little-endian)
  std::uint16_t extraSize = 0;              // 18 once read, as the device record expects
  bool operator==(const PcmFormat&) const = default;
};

struct WavHeader {
  PcmFormat format;
  std::int64_t dataOffset = 0;  // file offset of the first data byte
  std::int64_t dataBytes = 0;   // size of the "data" chunk, never more than the file holds after dataOffset
};

// Reads the header of the WAV open on `descriptor` without moving its file position. The format
// chunk must come first (the format tag is read at byte 20); the data chunk is found by scanning
// bytes for "data" from the end of the format fields. Nothing is returned for a file that is not
// RIFF, not PCM, has no data chunk, or whose format fields do not agree with one another.
std::optional<WavHeader> readWavHeader(int descriptor);

// Bytes one waveform column reads: 1/390 s of sound in whole frames; 0 for a format too slow to
// fill one frame per column.
std::int64_t waveformColumnBytes(const PcmFormat& format);

// Offset in the data chunk where playback at `seconds` begins: the byte at that time, rounded down
// to a whole frame and kept within 0..dataBytes.
std::int64_t playbackDataOffset(const WavHeader& header, float seconds);

// A complete RIFF/WAVE file holding `data` in `format` (the format record is the 16-byte PCM form).
std::string wavFileBytes(const PcmFormat& format, std::span<const std::uint8_t> data);

// A PCM format record with the derived fields filled in.
PcmFormat pcmFormat(std::uint16_t channels, std::uint32_t samplesPerSecond, std::uint16_t bitsPerSample);

}  // namespace zv
