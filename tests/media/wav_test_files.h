// WAV files for the music tests, written into a temporary folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "files/wav/wav_format.h"
#include "temp_folder.h"

namespace zv::test {

// Little-endian 16-bit samples as data bytes.
inline std::vector<std::uint8_t> samples16(const std::vector<std::int16_t>& samples) {
  std::vector<std::uint8_t> bytes;
  for (std::int16_t sample : samples) {
    bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
  }
  return bytes;
}

inline std::filesystem::path writeWav(const TempFolder& folder, const std::string& name,
                                      const PcmFormat& format, const std::vector<std::uint8_t>& data,
                                      const std::string& trailer = "") {
  std::filesystem::path file = folder / name;
  writeFile(file, wavFileBytes(format, data) + trailer);
  return file;
}

}  // namespace zv::test
