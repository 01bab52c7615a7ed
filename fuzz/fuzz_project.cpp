// Hostile bytes into the project reader. Every model a file names has 3 bones, 2 morphs and one
// IK chain (the seeds are written for such a model). Whatever the reader accepts must write back
// to bytes that read as the same records, and the link repair must end on every track it walks.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "files/project/project_links.h"
#include "files/project/project_reader.h"
#include "files/project/project_writer.h"

namespace {

constexpr zv::ProjectModelCounts kCounts{3, 2, 1};

void require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

template <typename Record>
void putKeys(zv::KeyPool<Record>& pool, const std::vector<zv::StoredKey<Record>>& keys) {
  for (const zv::StoredKey<Record>& key : keys) {
    pool.put(key.index, key.record);
  }
}

// The tracks of the file in a scene, as a load puts them, then repaired.
void repairTracks(const zv::ProjectFile& project) {
  auto scene = std::make_unique<zv::Scene>();
  for (const zv::ProjectModelBlock& block : project.models) {
    auto model = std::make_unique<zv::Model>();
    model->bones.resize(kCounts.bones);
    model->boneKeyPool = zv::KeyPool<zv::BoneKey>(kCounts.bones);
    model->morphKeyPool = zv::KeyPool<zv::MorphKey>(kCounts.morphs);
    for (std::uint32_t bone = 0; bone < kCounts.bones; ++bone) {
      model->boneKeyPool.put(bone, block.boneHeads[bone]);
    }
    putKeys(model->boneKeyPool, block.boneKeys);
    for (std::uint32_t morph = 0; morph < kCounts.morphs; ++morph) {
      model->morphKeyPool.put(morph, block.morphHeads[morph]);
    }
    putKeys(model->morphKeyPool, block.morphKeys);
    model->displayIkKeyPool.put(0, block.displayIkHead);
    putKeys(model->displayIkKeyPool, block.displayIkKeys);
    scene->modelSlots[block.slot] = std::move(model);
  }
  scene->cameraKeyPool.put(0, project.camera.head);
  putKeys(scene->cameraKeyPool, project.camera.keys);
  scene->lightKeyPool.put(0, project.light.head);
  putKeys(scene->lightKeyPool, project.light.keys);
  zv::repairProjectLinks(*scene);
  require(zv::repairProjectLinks(*scene).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto loader = [](const zv::ProjectModelBlock&) {
    return std::optional<zv::ProjectModelCounts>(kCounts);
  };
  const zv::ProjectReadResult read = zv::readProject(bytes, loader);
  require(read.project.has_value() != read.failure.has_value());
  if (!read.project) {
    return 0;
  }
  const std::string written = zv::projectBytes(*read.project);
  require(written.size() == size);
  const zv::ProjectReadResult again = zv::readProject(written, loader);
  require(again.project.has_value());
  require(zv::projectBytes(*again.project) == written);
  repairTracks(*read.project);
  return 0;
}
