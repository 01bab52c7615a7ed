// What the command-line tool reports about a WAV file: the format, the data chunk and the columns
// of the waveform strip, exactly as the music player would build them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/wav/wav_format.h"
#include "files/wav/wav_waveform.h"

namespace zv {

struct WavInfo {
  bool ok = false;
  std::string message;  // the refusal text when !ok (UTF-8)
  std::string caption;
  WavHeader header;
  std::int64_t columnBytes = 0;
  Waveform waveform;
};

WavInfo readWavInfo(const std::filesystem::path& file);

// The whole sound of a WAV file: its format and the bytes of its data chunk.
struct WavPcm {
  PcmFormat format;
  std::vector<std::uint8_t> data;
};

// Nothing when the file does not open, is refused like the player refuses it, or cannot be read.
std::optional<WavPcm> readWavPcm(const std::filesystem::path& file);

// One JSON object: format fields, dataOffset, dataBytes, columnBytes, columnCount, waveMax, waveMin.
std::string wavInfoJson(const WavInfo& info);

}  // namespace zv
