// Pictures the video tests write and recognise again after a round trip through a codec.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "port/video/picture.h"

namespace zv::test {

// Noise that differs in every pixel and every frame: only a lossless path returns it unchanged.
inline port::Picture noisePicture(int width, int height, int seed) {
  port::Picture picture{width, height,
                        std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
  std::uint32_t state = 2463534242u + static_cast<std::uint32_t>(seed) * 7919u;
  for (std::size_t index = 0; index < picture.pixels.size(); ++index) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    picture.pixels[index] = index % 4 == 3 ? 255 : static_cast<std::uint8_t>(state);
  }
  return picture;
}

// A smooth gradient with a dark block whose place depends on `seed`: lossy codecs keep it
// recognisable.
inline port::Picture markedPicture(int width, int height, int seed) {
  port::Picture picture{width, height,
                        std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
  const int blockLeft = (seed * 8) % (width - 16);
  const int blockTop = (seed * 5) % (height - 16);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* pixel = picture.row(y) + x * 4;
      const bool inBlock = x >= blockLeft && x < blockLeft + 16 && y >= blockTop && y < blockTop + 16;
      pixel[0] = inBlock ? 20 : static_cast<std::uint8_t>(80 + x * 120 / width);
      pixel[1] = inBlock ? 20 : static_cast<std::uint8_t>(100 + y * 120 / height);
      pixel[2] = inBlock ? 30 : 200;
      pixel[3] = 255;
    }
  }
  return picture;
}

// Mean absolute difference of the colour channels.
inline double meanDifference(const port::Picture& a, const port::Picture& b) {
  if (a.width != b.width || a.height != b.height) {
    return std::numeric_limits<double>::infinity();
  }
  double sum = 0;
  for (std::size_t index = 0; index < a.pixels.size(); ++index) {
    if (index % 4 != 3) {
      sum += std::abs(a.pixels[index] - b.pixels[index]);
    }
  }
  return sum / (static_cast<double>(a.width) * a.height * 3);
}

// Index of the candidate closest to `picture`.
inline int closestPicture(const port::Picture& picture, const std::vector<port::Picture>& candidates) {
  int best = -1;
  double bestDifference = std::numeric_limits<double>::infinity();
  for (std::size_t index = 0; index < candidates.size(); ++index) {
    const double difference = meanDifference(picture, candidates[index]);
    if (difference < bestDifference) {
      bestDifference = difference;
      best = static_cast<int>(index);
    }
  }
  return best;
}

}  // namespace zv::test
