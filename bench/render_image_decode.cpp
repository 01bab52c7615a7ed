// Texture and sprite decoding: every model load and device reset reads its images through these.
#include <benchmark/benchmark.h>

#include "files/image/bmp_reader.h"
#include "files/image/bmp_writer.h"
#include "files/image/tga_reader.h"
#include "files/image/tga_writer.h"

namespace {

zv::RgbaImage gradient(int size) {
  zv::RgbaImage image = zv::makeImage(size, size, 32);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      std::uint8_t* p = image.at(x, y);
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = static_cast<std::uint8_t>(x ^ y);
      p[3] = 255;
    }
  }
  return image;
}

// A run-length file of the same size: each row one repeated packet of 128 pixels after another.
std::string runLengthTga(int size) {
  std::string file(18, '\0');
  file[2] = 10;
  file[12] = static_cast<char>(size & 0xFF);
  file[13] = static_cast<char>(size >> 8);
  file[14] = static_cast<char>(size & 0xFF);
  file[15] = static_cast<char>(size >> 8);
  file[16] = 32;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; x += 128) {
      file += std::string("\xFF\x10\x20\x30\xFF", 5);
    }
  }
  return file;
}

void decodeBmp24(benchmark::State& state) {
  const std::string file = zv::encodeBmp24(gradient(static_cast<int>(state.range(0))));
  std::string error;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zv::decodeBmp(std::as_bytes(std::span(file)), error));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(file.size()));
}
BENCHMARK(decodeBmp24)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

void decodeTga32(benchmark::State& state) {
  const std::string file = zv::encodeTga32(gradient(static_cast<int>(state.range(0))));
  std::string error;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zv::decodeTga(std::as_bytes(std::span(file)), error));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(file.size()));
}
BENCHMARK(decodeTga32)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

void decodeRunLengthTga(benchmark::State& state) {
  const std::string file = runLengthTga(static_cast<int>(state.range(0)));
  std::string error;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zv::decodeTga(std::as_bytes(std::span(file)), error));
  }
}
BENCHMARK(decodeRunLengthTga)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace
