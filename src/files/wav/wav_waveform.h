// The waveform strip above the frame editor: per column of 1/390 s (13 columns per frame) the strip
// rows of the largest and the smallest sample. The strip is 50 pixels high with silence on row 25.
#pragma once

#include <cstdint>
#include <vector>

#include "files/wav/wav_format.h"

namespace zv {

inline constexpr int kWaveformStripHeight = 50;
inline constexpr int kWaveformZeroRow = 25;
inline constexpr int kWaveformColumnsPerFrame = 13;
inline constexpr int kWaveformCurrentFrameX = 74;  // strip x where the current frame's sound sits

struct Waveform {
  std::vector<std::uint8_t> waveMax;  // per column, strip row of the largest sample (0..49)
  std::vector<std::uint8_t> waveMin;  // per column, strip row of the smallest sample
  std::int32_t columnCount = 0;       // dataBytes / columnBytes + 1; columns past the data stay 0
};

// Columns of the data chunk of the WAV open on `descriptor`. Stops at the first column that the
// data chunk cannot fill; the rest keep 0, which draws nothing.
Waveform buildWaveform(int descriptor, const WavHeader& header);

// One vertical stroke of the strip, from row yFrom towards row yTo, the end row excluded.
struct WaveformStroke {
  int x = 0;
  int yFrom = 0;
  int yTo = 0;
  bool operator==(const WaveformStroke&) const = default;
};

// The strokes of a strip `panelWidth` - 10 pixels wide whose x = 74 shows `currentFrame`.
std::vector<WaveformStroke> waveformStrokes(const Waveform& waveform, std::uint32_t currentFrame,
                                            int panelWidth);

}  // namespace zv
