#include "files/wav/wav_waveform.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace zv {
namespace {

constexpr std::int64_t kReadBlockBytes = 1 << 20;

// Data bytes read in large blocks, so that building the columns of a long song costs few reads.
class DataReader {
 public:
  DataReader(int descriptor, const WavHeader& header) : descriptor_(descriptor), header_(header) {}

  // `count` bytes at `start` of the data chunk, or null when the chunk ends before them.
  const std::uint8_t* bytesAt(std::int64_t start, std::int64_t count) {
    if (start + count > header_.dataBytes) {
      return nullptr;
    }
    if (start < blockStart_ || start + count > blockStart_ + static_cast<std::int64_t>(block_.size())) {
      fill(start, std::max(count, kReadBlockBytes));
    }
    if (start + count > blockStart_ + static_cast<std::int64_t>(block_.size())) {
      return nullptr;
    }
    return block_.data() + (start - blockStart_);
  }

 private:
  void fill(std::int64_t start, std::int64_t count) {
    count = std::min(count, header_.dataBytes - start);
    block_.resize(static_cast<std::size_t>(count));
    blockStart_ = start;
    std::int64_t total = 0;
    while (total < count) {
      ssize_t got = ::pread(descriptor_, block_.data() + total, static_cast<std::size_t>(count - total),
                            header_.dataOffset + start + total);
      if (got < 0 && errno == EINTR) {
        continue;
      }
      if (got <= 0) {
        break;
      }
      total += got;
    }
    block_.resize(static_cast<std::size_t>(total));
  }

  int descriptor_;
  const WavHeader& header_;
  std::vector<std::uint8_t> block_;
  std::int64_t blockStart_ = 0;
};

struct SampleRange {
  int smallest = std::numeric_limits<int>::max();
  int largest = std::numeric_limits<int>::min();
  void add(int sample) {
    smallest = std::min(smallest, sample);
    largest = std::max(largest, sample);
  }
};

// Samples as signed values: 16-bit ones as stored, 8-bit ones moved so that 128 becomes 0.
SampleRange rangeOf(const std::uint8_t* bytes, std::int64_t count, const PcmFormat& format) {
  SampleRange range;
  if (format.bitsPerSample == 8) {
    for (std::int64_t i = 0; i < count; ++i) {
      range.add(bytes[i] - 128);
    }
    return range;
  }
  for (std::int64_t i = 0; i + 1 < count; i += 2) {
    range.add(static_cast<std::int16_t>(bytes[i] | bytes[i + 1] << 8));
  }
  return range;
}

// Both sample sizes land on the same strip: full scale spans rows 0..49 with silence on row 25.
std::uint8_t stripRow(int sample, const PcmFormat& format) {
  int shift = format.bitsPerSample == 8 ? 7 : 15;
  return static_cast<std::uint8_t>(kWaveformZeroRow + ((sample * kWaveformZeroRow) >> shift));
}

}  // namespace

Waveform buildWaveform(int descriptor, const WavHeader& header) {
  Waveform waveform;
  std::int64_t columnBytes = waveformColumnBytes(header.format);
  if (columnBytes <= 0) {
    return waveform;
  }
  std::int64_t columns = header.dataBytes / columnBytes + 1;
  waveform.columnCount = static_cast<std::int32_t>(std::min<std::int64_t>(columns, INT32_MAX));
  waveform.waveMax.assign(static_cast<std::size_t>(waveform.columnCount), 0);
  waveform.waveMin.assign(static_cast<std::size_t>(waveform.columnCount), 0);

  DataReader reader(descriptor, header);
  const std::int64_t blockAlign = header.format.blockAlign;
  for (std::int64_t column = 0; column < waveform.columnCount; ++column) {
    std::int64_t target = column * header.format.averageBytesPerSecond / 390;
    const std::uint8_t* bytes = reader.bytesAt(target - target % blockAlign, columnBytes);
    if (bytes == nullptr) {
      break;
    }
    SampleRange range = rangeOf(bytes, columnBytes, header.format);
    waveform.waveMax[column] = stripRow(range.largest, header.format);
    waveform.waveMin[column] = stripRow(range.smallest, header.format);
  }
  return waveform;
}

std::vector<WaveformStroke> waveformStrokes(const Waveform& waveform, std::uint32_t currentFrame,
                                            int panelWidth) {
  std::vector<WaveformStroke> strokes;
  std::int64_t firstColumn = std::int64_t{currentFrame} * kWaveformColumnsPerFrame - kWaveformCurrentFrameX;
  for (int x = 0; x <= panelWidth - 11; ++x) {
    std::int64_t column = firstColumn + x;
    if (column >= 0 && column < waveform.columnCount) {
      strokes.push_back({x, waveform.waveMax[column], waveform.waveMin[column]});
    }
  }
  return strokes;
}

}  // namespace zv
