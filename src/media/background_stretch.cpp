#include "media/background_stretch.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace zv {

namespace {

// One target column or row: the two source pixels it lies between and the weight of the second,
// in 256ths.
struct SourceTap {
  int first = 0;
  int second = 0;
  int weight = 0;
};

// Source positions for target pixels [begin, end) of a span `areaBegin` .. `areaBegin` + `areaSize`
// showing `sourceSize` pixels; pixel centres map onto pixel centres.
std::vector<SourceTap> sourceTaps(std::int64_t begin, std::int64_t end, std::int64_t areaBegin,
                                  std::int64_t areaSize, int sourceSize) {
  std::vector<SourceTap> taps;
  taps.reserve(static_cast<std::size_t>(end - begin));
  const double step = static_cast<double>(sourceSize) / static_cast<double>(areaSize);
  for (std::int64_t position = begin; position < end; ++position) {
    const double source = (static_cast<double>(position - areaBegin) + 0.5) * step - 0.5;
    const double floor = std::floor(source);
    SourceTap tap;
    tap.first = static_cast<int>(std::clamp(floor, 0.0, static_cast<double>(sourceSize - 1)));
    tap.second = std::min(tap.first + 1, sourceSize - 1);
    tap.weight = source <= 0.0 ? 0 : static_cast<int>((source - floor) * 256.0 + 0.5);
    if (tap.weight == 256) {
      tap.first = tap.second;
      tap.weight = 0;
    }
    taps.push_back(tap);
  }
  return taps;
}

}  // namespace

void stretchPicture(port::Picture& target, const PlacedArea& area, const port::Picture& source) {
  const std::int64_t left = std::max<std::int64_t>(area.left, 0);
  const std::int64_t top = std::max<std::int64_t>(area.top, 0);
  const std::int64_t right = std::min<std::int64_t>(area.right, target.width);
  const std::int64_t bottom = std::min<std::int64_t>(area.bottom, target.height);
  if (left >= right || top >= bottom || source.width < 1 || source.height < 1) {
    return;
  }
  const std::vector<SourceTap> columns =
      sourceTaps(left, right, area.left, area.right - area.left, source.width);
  const std::vector<SourceTap> rows =
      sourceTaps(top, bottom, area.top, area.bottom - area.top, source.height);
  for (std::int64_t y = top; y < bottom; ++y) {
    const SourceTap& row = rows[static_cast<std::size_t>(y - top)];
    const std::uint8_t* upper = source.row(row.first);
    const std::uint8_t* lower = source.row(row.second);
    std::uint8_t* out = target.row(static_cast<int>(y)) + left * 4;
    for (const SourceTap& column : columns) {
      for (int channel = 0; channel < 3; ++channel) {
        const int a = upper[column.first * 4 + channel] * (256 - column.weight) +
                      upper[column.second * 4 + channel] * column.weight;
        const int b = lower[column.first * 4 + channel] * (256 - column.weight) +
                      lower[column.second * 4 + channel] * column.weight;
        out[channel] = static_cast<std::uint8_t>((a * (256 - row.weight) + b * row.weight + 32768) >> 16);
      }
      out[3] = 255;
      out += 4;
    }
  }
}

void fillWhite(port::Picture& target) {
  std::memset(target.pixels.data(), 0xff, target.pixels.size());
}

}  // namespace zv
