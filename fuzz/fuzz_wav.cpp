// Hostile bytes into the WAV header reader and the waveform builder, through an in-memory file
// since both read a descriptor. An accepted header must point inside the file and every waveform
// row must land on the strip.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

#include "files/wav/wav_format.h"
#include "files/wav/wav_waveform.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

bool writeAll(int descriptor, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    ssize_t written = ::write(descriptor, data, size);
    if (written <= 0) {
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

void checkAccepted(int descriptor, const zv::WavHeader& header, std::size_t fileSize) {
  require(header.dataOffset > 0 && header.dataBytes >= 0);
  require(header.dataOffset + header.dataBytes <= static_cast<std::int64_t>(fileSize));
  for (float seconds : {-1.0f, 0.0f, 0.5f, 1e9f}) {
    std::int64_t offset = zv::playbackDataOffset(header, seconds);
    require(offset >= 0 && offset <= header.dataBytes && offset % header.format.blockAlign == 0);
  }
  zv::Waveform waveform = zv::buildWaveform(descriptor, header);
  require(waveform.columnCount >= 0);
  require(waveform.waveMax.size() == static_cast<std::size_t>(waveform.columnCount));
  require(waveform.waveMin.size() == static_cast<std::size_t>(waveform.columnCount));
  for (std::int32_t column = 0; column < waveform.columnCount; ++column) {
    require(waveform.waveMax[column] < zv::kWaveformStripHeight);
    require(waveform.waveMin[column] <= waveform.waveMax[column]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int descriptor = ::memfd_create("fuzz_wav", MFD_CLOEXEC);
  require(descriptor >= 0);
  require(writeAll(descriptor, data, size));
  if (auto header = zv::readWavHeader(descriptor)) {
    checkAccepted(descriptor, *header, size);
  }
  ::close(descriptor);
  return 0;
}
