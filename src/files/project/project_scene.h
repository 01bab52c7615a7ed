// The records of a project file taken from the plain scene: a model's block, the camera and light
// sections and a prop's track. Paths are given in their stored form by the caller; list texts and
// the things only the window knows (rows, scroll positions, boxes) are the caller's as well.
#pragma once

#include <string>
#include <vector>

#include "files/project/project_records.h"
#include "scene/document/scene.h"

namespace zv {

// The records of `pool` above its heads that are in use (frame not 0), ascending.
template <typename Record>
std::vector<StoredKey<Record>> storedKeys(const KeyPool<Record>& pool) {
  std::size_t count = 0;
  for (std::uint32_t index = pool.headCount(); index < pool.extent(); ++index) {
    count += pool[index].frame != 0 ? 1 : 0;
  }
  std::vector<StoredKey<Record>> keys;
  keys.reserve(count);
  for (std::uint32_t index = pool.headCount(); index < pool.extent(); ++index) {
    if (pool[index].frame != 0) {
      keys.push_back({index, pool[index]});
    }
  }
  return keys;
}

ProjectModelBlock projectModelBlock(const Model& model, int slot, std::string storedPath);
ProjectCamera projectCamera(const Scene& scene);
ProjectLight projectLight(const Scene& scene);

}  // namespace zv
