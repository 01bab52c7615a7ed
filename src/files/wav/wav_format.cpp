#include "files/wav/wav_format.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cmath>

namespace zv {
namespace {

constexpr std::int64_t kFormatTagOffset = 20;  // "RIFF", size, "WAVE", "fmt ", chunk size
constexpr std::int64_t kFormatFieldsEnd = 36;
constexpr std::int64_t kScanBlockBytes = 64 * 1024;

// Reads up to `count` bytes at `offset`; the number read, short only at the end of the file.
std::int64_t readAt(int descriptor, std::int64_t offset, std::uint8_t* bytes, std::int64_t count) {
  std::int64_t total = 0;
  while (total < count) {
    ssize_t got = ::pread(descriptor, bytes + total, static_cast<std::size_t>(count - total), offset + total);
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

std::uint16_t little16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

std::uint32_t little32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void putLittle(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
  }
}

// Offset just after the first "data" read as four matching bytes in a row. A mismatching byte ends
// the run and is not itself taken as a new "d", so "ddata" is not found.
std::optional<std::int64_t> findDataTag(int descriptor, std::int64_t from) {
  static constexpr std::array<std::uint8_t, 4> kTag = {'d', 'a', 't', 'a'};
  std::array<std::uint8_t, kScanBlockBytes> block;
  std::size_t matched = 0;
  for (std::int64_t offset = from;;) {
    std::int64_t got = readAt(descriptor, offset, block.data(), kScanBlockBytes);
    if (got <= 0) {
      return std::nullopt;
    }
    for (std::int64_t i = 0; i < got; ++i) {
      matched = block[i] == kTag[matched] ? matched + 1 : 0;
      if (matched == kTag.size()) {
        return offset + i + 1;
      }
    }
    offset += got;
  }
}

bool consistent(const PcmFormat& format) {
  if (format.formatTag != 1 || (format.channels != 1 && format.channels != 2) ||
      (format.bitsPerSample != 8 && format.bitsPerSample != 16)) {
    return false;
  }
  if (format.samplesPerSecond == 0 || format.samplesPerSecond > kMaxWavSampleRate) {
    return false;
  }
  if (format.blockAlign != format.channels * format.bitsPerSample / 8) {
    return false;
  }
  return format.averageBytesPerSecond == std::uint64_t{format.samplesPerSecond} * format.blockAlign &&
         waveformColumnBytes(format) >= format.blockAlign;
}

}  // namespace

std::optional<WavHeader> readWavHeader(int descriptor) {
  std::array<std::uint8_t, kFormatFieldsEnd> head{};
  if (readAt(descriptor, 0, head.data(), kFormatFieldsEnd) != kFormatFieldsEnd) {
    return std::nullopt;
  }
  if (head[0] != 'R' || head[1] != 'I' || head[2] != 'F' || head[3] != 'F') {
    return std::nullopt;
  }
  const std::uint8_t* fields = head.data() + kFormatTagOffset;
  WavHeader header;
  header.format.formatTag = little16(fields);
  header.format.channels = little16(fields + 2);
  header.format.samplesPerSecond = little32(fields + 4);
  header.format.averageBytesPerSecond = little32(fields + 8);
  header.format.blockAlign = little16(fields + 12);
  header.format.bitsPerSample = little16(fields + 14);
  header.format.extraSize = 18;
  if (!consistent(header.format)) {
    return std::nullopt;
  }

  std::optional<std::int64_t> afterTag = findDataTag(descriptor, kFormatFieldsEnd);
  std::array<std::uint8_t, 4> size{};
  if (!afterTag || readAt(descriptor, *afterTag, size.data(), 4) != 4) {
    return std::nullopt;
  }
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) {
    return std::nullopt;
  }
  header.dataOffset = *afterTag + 4;
  // A truncated file, or one written as a stream with an unknown size, holds only what is there.
  header.dataBytes = std::min<std::int64_t>(little32(size.data()), status.st_size - header.dataOffset);
  return header;
}

std::int64_t waveformColumnBytes(const PcmFormat& format) {
  if (format.blockAlign == 0) {
    return 0;
  }
  double blocks = format.averageBytesPerSecond * 0.033333 / 13 / format.blockAlign;
  return format.blockAlign * static_cast<std::int64_t>(blocks);
}

std::int64_t playbackDataOffset(const WavHeader& header, float seconds) {
  double bytes = static_cast<double>(seconds) * header.format.averageBytesPerSecond;
  if (!(bytes > 0)) {
    return 0;
  }
  if (bytes >= static_cast<double>(header.dataBytes)) {
    bytes = static_cast<double>(header.dataBytes);
  }
  std::int64_t offset = static_cast<std::int64_t>(bytes);
  return offset - offset % header.format.blockAlign;
}

std::string wavFileBytes(const PcmFormat& format, std::span<const std::uint8_t> data) {
  std::string out = "RIFF";
  putLittle(out, static_cast<std::uint32_t>(36 + data.size()), 4);
  out += "WAVEfmt ";
  putLittle(out, 16, 4);
  putLittle(out, format.formatTag, 2);
  putLittle(out, format.channels, 2);
  putLittle(out, format.samplesPerSecond, 4);
  putLittle(out, format.averageBytesPerSecond, 4);
  putLittle(out, format.blockAlign, 2);
  putLittle(out, format.bitsPerSample, 2);
  out += "data";
  putLittle(out, static_cast<std::uint32_t>(data.size()), 4);
  out.append(reinterpret_cast<const char*>(data.data()), data.size());
  return out;
}

PcmFormat pcmFormat(std::uint16_t channels, std::uint32_t samplesPerSecond, std::uint16_t bitsPerSample) {
  PcmFormat format;
  format.formatTag = 1;
  format.channels = channels;
  format.samplesPerSecond = samplesPerSecond;
  format.blockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);
  format.bitsPerSample = bitsPerSample;
  format.averageBytesPerSecond = samplesPerSecond * format.blockAlign;
  format.extraSize = 18;
  return format;
}

}  // namespace zv
