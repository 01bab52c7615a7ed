#include <benchmark/benchmark.h>

#include "scene/document/math.h"

namespace {

// The matrix product runs per bone per frame; this keeps an eye on its cost.
void matrixProduct(benchmark::State& state) {
  zv::Mat4 a = zv::rotationY(0.3f) * zv::translation({1, 2, 3});
  zv::Mat4 b = zv::rotationX(0.7f);
  for (auto _ : state) {
    a = a * b;
    benchmark::DoNotOptimize(a);
  }
}
BENCHMARK(matrixProduct);

}  // namespace
