// The track edits every registration and deletion shares: finding or placing the key at a frame,
// unlinking a key, and resetting a key to its track's head values.
#pragma once

#include <cstdint>
#include <optional>

#include "scene/document/message.h"
#include "scene/keys/key_pool.h"

namespace zv {

template <typename Record>
void noteKeyChange(KeyPool<Record>& pool, std::uint32_t index) {
  if (pool.observer) {
    pool.observer->beforeKeyChange(index);
  }
}

// The pool-full message of registration; the count is the pool's capacity.
Message keyPoolFullMessage(std::uint32_t capacity);

// The index of the key at `frame` on the track headed by `head`: the existing key there, or a
// new record linked in frame order. Null when a new record is needed and none is free; the pool
// is unchanged then.
template <typename Record>
std::optional<std::uint32_t> placeKey(KeyPool<Record>& pool, std::uint32_t head, std::uint32_t frame) {
  const std::uint32_t before = pool.keyAtOrBefore(head, frame);
  if (pool[before].frame == frame) {
    noteKeyChange(pool, before);
    return before;
  }
  const std::optional<std::uint32_t> fresh = pool.lowestFree();
  if (!fresh) {
    return std::nullopt;
  }
  noteKeyChange(pool, *fresh);
  noteKeyChange(pool, before);
  if (pool[before].next != 0) {
    noteKeyChange(pool, pool[before].next);
  }
  pool.linkAfter(head, before, *fresh, frame);
  return fresh;
}

// Copies the value fields of `values` into the key and selects it; the frame and links stay.
template <typename Record>
void writeKeyValues(Record& key, const Record& values) {
  const std::uint32_t frame = key.frame, prev = key.prev, next = key.next;
  key = values;
  key.frame = frame;
  key.prev = prev;
  key.next = next;
  key.selected = true;
}

// Back to the head values of the pool. A bone key keeps its curves and a camera key its view
// angle and projection, so that re-registering at the spot keeps what the user chose there.
template <typename Record>
void resetToHeadValues(Record& key, const Record& headValues) {
  writeKeyValues(key, headValues);
  key.selected = false;
}
void resetToHeadValues(BoneKey& key, const BoneKey& headValues);
void resetToHeadValues(CameraKey& key, const CameraKey& headValues);

// Takes a non-head key out of its track, resets it to the head values and frees its record.
template <typename Record>
void deleteKey(KeyPool<Record>& pool, std::uint32_t index) {
  noteKeyChange(pool, index);
  noteKeyChange(pool, pool[index].prev);
  if (pool[index].next != 0) {
    noteKeyChange(pool, pool[index].next);
  }
  pool.unlink(index);
  resetToHeadValues(pool.at(index), pool.blank());
}

}  // namespace zv
