// Building the waveform strip of a song as long as a typical music track.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <string>
#include <vector>

#include "files/wav/wav_format.h"
#include "files/wav/wav_waveform.h"

namespace {

// Four minutes of 44.1 kHz 16-bit stereo in an unlinked temporary file.
int fourMinuteSong() {
  constexpr int kFrames = 44100 * 240;
  std::vector<std::uint8_t> data(static_cast<std::size_t>(kFrames) * 4);
  for (int i = 0; i < kFrames; ++i) {
    auto sample = static_cast<std::int16_t>(20000 * std::sin(i * 0.0627));
    for (int byte = 0; byte < 4; ++byte) {
      data[4 * i + byte] = static_cast<std::uint8_t>(sample >> (8 * (byte % 2)));
    }
  }
  std::string bytes = zv::wavFileBytes(zv::pcmFormat(2, 44100, 16), data);
  char name[] = "/tmp/zolvanta-wav-bench-XXXXXX";
  int descriptor = ::mkstemp(name);
  ::unlink(name);
  if (::write(descriptor, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    return -1;
  }
  return descriptor;
}

void BM_BuildWaveformOfFourMinutes(benchmark::State& state) {
  int descriptor = fourMinuteSong();
  std::optional<zv::WavHeader> header = zv::readWavHeader(descriptor);
  if (!header) {
    state.SkipWithError("cannot write the song");
    return;
  }
  for (auto _ : state) {
    zv::Waveform waveform = zv::buildWaveform(descriptor, *header);
    benchmark::DoNotOptimize(waveform.waveMax.data());
  }
  ::close(descriptor);
}
BENCHMARK(BM_BuildWaveformOfFourMinutes)->Unit(benchmark::kMillisecond);

}  // namespace
