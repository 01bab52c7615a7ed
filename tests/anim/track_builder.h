// Building key tracks for sampling tests directly in the pools, independent of the registration
// rules (automatic curves, selection, last frames).
#pragma once

#include <cstdint>
#include <vector>

#include "scene/document/model.h"
#include "scene/keys/key_pool.h"
#include "scene/keys/key_pool_setup.h"

namespace zv::test {

// Appends `record` at the end of the track headed by `head` (its frame above the track's last),
// or overwrites the head's values when its frame is 0. Returns the record's pool index.
template <typename Record>
std::uint32_t appendKey(KeyPool<Record>& pool, std::uint32_t head, Record record) {
  std::uint32_t last = head;
  while (pool[last].next != 0) {
    last = pool[last].next;
  }
  if (record.frame == 0) {
    record.next = pool[head].next;
    pool.put(head, record);
    return head;
  }
  std::uint32_t index = *pool.lowestFree();
  record.prev = last;
  record.next = 0;
  pool.put(index, record);
  Record previous = pool[last];
  previous.next = index;
  pool.put(last, previous);
  return index;
}

// A model with bones of the given types, `morphCount` morphs and `ikCount` IK chains, with fresh
// pools and cursors.
inline Model modelWithTracks(const std::vector<std::uint8_t>& boneTypes, int morphCount = 0,
                             int ikCount = 0) {
  Model model;
  for (std::uint8_t type : boneTypes) {
    Bone bone;
    bone.type = type;
    model.bones.push_back(bone);
  }
  model.morphs.resize(morphCount);
  model.ikChains.resize(ikCount);
  createModelKeyPools(model);
  model.visible = true;
  return model;
}

inline BoneKey boneKey(std::uint32_t frame, Vec3 translation, Quat rotation = {}) {
  BoneKey key;
  key.frame = frame;
  key.translation = translation;
  key.rotation = rotation;
  return key;
}

}  // namespace zv::test
