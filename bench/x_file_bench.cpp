// Reading a large prop: a 250 x 250 vertex grid of quads with normals, coordinates and two
// materials (62,500 vertices, 61,752 faces), from text and from binary X files.
#include <benchmark/benchmark.h>

#include "files/x/x_frame_tree.h"
#include "files/x/x_writer.h"

namespace {

constexpr std::uint32_t kGridSide = 250;

zv::XFileContent gridProp() {
  zv::XFileMesh mesh;
  mesh.name = "Grid";
  for (std::uint32_t row = 0; row < kGridSide; ++row) {
    for (std::uint32_t column = 0; column < kGridSide; ++column) {
      mesh.positions.push_back({static_cast<float>(column) * 0.1f, 0, static_cast<float>(row) * 0.1f});
      mesh.normals.push_back({0, 1, 0});
      mesh.textureCoords.push_back(
          {static_cast<float>(column) / kGridSide, static_cast<float>(row) / kGridSide});
    }
  }
  for (std::uint32_t row = 0; row + 1 < kGridSide; ++row) {
    for (std::uint32_t column = 0; column + 1 < kGridSide; ++column) {
      std::uint32_t corner = row * kGridSide + column;
      mesh.faces.push_back({corner, corner + kGridSide, corner + kGridSide + 1, corner + 1});
      mesh.faceMaterials.push_back((row + column) % 2);
    }
  }
  mesh.materials.resize(2);
  zv::XFileContent content;
  content.meshes.push_back(std::move(mesh));
  return content;
}

void readProp(benchmark::State& state, const std::string& bytes) {
  for (auto _ : state) {
    zv::XTreeResult result = zv::readXFrameTree(bytes);
    benchmark::DoNotOptimize(result.root);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_ReadTextXFile(benchmark::State& state) {
  readProp(state, zv::formatXText(gridProp()));
}
void BM_ReadBinaryXFile(benchmark::State& state) {
  readProp(state, zv::formatXBinary(gridProp(), 32));
}

BENCHMARK(BM_ReadTextXFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBinaryXFile)->Unit(benchmark::kMillisecond);

}  // namespace
