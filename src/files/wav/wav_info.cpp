#include "files/wav/wav_info.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace zv {
namespace {

void appendArray(std::string& out, const std::vector<std::uint8_t>& values) {
  out += '[';
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) {
      out += ',';
    }
    out += std::to_string(values[i]);
  }
  out += ']';
}

void appendField(std::string& out, const char* name, std::int64_t value) {
  out += '"';
  out += name;
  out += "\":";
  out += std::to_string(value);
  out += ',';
}

}  // namespace

WavInfo readWavInfo(const std::filesystem::path& file) {
  WavInfo info;
  int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    info.message = kWavNotFoundMessage;
    info.caption = kWavNotFoundCaption;
    return info;
  }
  std::optional<WavHeader> header = readWavHeader(descriptor);
  if (header) {
    info.ok = true;
    info.header = *header;
    info.columnBytes = waveformColumnBytes(header->format);
    info.waveform = buildWaveform(descriptor, *header);
  } else {
    info.message = kWavNotPcmMessage;
    info.caption = kWavNotPcmCaption;
  }
  ::close(descriptor);
  return info;
}

std::optional<WavPcm> readWavPcm(const std::filesystem::path& file) {
  int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    return std::nullopt;
  }
  std::optional<WavPcm> pcm;
  if (std::optional<WavHeader> header = readWavHeader(descriptor)) {
    pcm.emplace();
    pcm->format = header->format;
    pcm->data.resize(static_cast<std::size_t>(header->dataBytes));
    std::int64_t total = 0;
    while (total < header->dataBytes) {
      ssize_t got = ::pread(descriptor, pcm->data.data() + total,
                            static_cast<std::size_t>(header->dataBytes - total), header->dataOffset + total);
      if (got < 0 && errno == EINTR) {
        continue;
      }
      if (got <= 0) {
        break;
      }
      total += got;
    }
    if (total != header->dataBytes) {
      pcm.reset();
    }
  }
  ::close(descriptor);
  return pcm;
}

std::string wavInfoJson(const WavInfo& info) {
  const PcmFormat& format = info.header.format;
  std::string out = "{";
  appendField(out, "formatTag", format.formatTag);
  appendField(out, "channels", format.channels);
  appendField(out, "samplesPerSecond", format.samplesPerSecond);
  appendField(out, "averageBytesPerSecond", format.averageBytesPerSecond);
  appendField(out, "blockAlign", format.blockAlign);
  appendField(out, "bitsPerSample", format.bitsPerSample);
  appendField(out, "dataOffset", info.header.dataOffset);
  appendField(out, "dataBytes", info.header.dataBytes);
  appendField(out, "columnBytes", info.columnBytes);
  appendField(out, "columnCount", info.waveform.columnCount);
  out += "\"waveMax\":";
  appendArray(out, info.waveform.waveMax);
  out += ",\"waveMin\":";
  appendArray(out, info.waveform.waveMin);
  out += "}";
  return out;
}

}  // namespace zv
