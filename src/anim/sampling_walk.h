// Walking one track of a key pool, shared by playback and edit sampling. Links are followed only
// while frames strictly increase, so a damaged pool (a loop, an index past the end) ends the track
// instead of hanging or reading outside the pool.
#pragma once

#include <cstdint>

#include "scene/keys/key_pool.h"

namespace zv::sampling {

inline constexpr std::uint32_t kNoKey = 0;  // as in the pools' links: index 0 is never a successor
inline constexpr std::uint32_t kBrokenLink = UINT32_MAX;  // a previous-key link that cannot be followed

// The key after `index` on its track, or kNoKey at the end of the track.
template <typename Record>
std::uint32_t nextKey(const KeyPool<Record>& pool, std::uint32_t index) {
  std::uint32_t next = pool[index].next;
  if (next == kNoKey || next >= pool.capacity() || pool[next].frame <= pool[index].frame) {
    return kNoKey;
  }
  return next;
}

// The key before non-head key `index` (index 0 is a head here), or kBrokenLink when the link is
// damaged.
template <typename Record>
std::uint32_t previousKey(const KeyPool<Record>& pool, std::uint32_t index) {
  std::uint32_t prev = pool[index].prev;
  if (prev >= pool.capacity() || pool[prev].frame >= pool[index].frame) {
    return kBrokenLink;
  }
  return prev;
}

// A track's cursor during playback: the key it stands on and whether it still animates.
template <typename ActiveFlag>
struct Cursor {
  std::uint32_t& key;
  ActiveFlag& active;
};
template <typename ActiveFlag>
Cursor(std::uint32_t&, ActiveFlag&) -> Cursor<ActiveFlag>;

// Moves the cursor to the first key at or after frame position f. When the track ends before f
// it becomes inactive and its last key is applied: the value after the last key holds.
template <typename Record, typename ActiveFlag, typename ApplyKey>
void passKeysBefore(const KeyPool<Record>& pool, Cursor<ActiveFlag> cursor, float f, ApplyKey applyKey) {
  while (cursor.active && static_cast<float>(pool[cursor.key].frame) < f) {
    std::uint32_t next = nextKey(pool, cursor.key);
    if (next == kNoKey) {
      cursor.active = false;
      applyKey(pool[cursor.key]);
    } else {
      cursor.key = next;
    }
  }
}

// One playback step of a track at frame position f: passes the keys behind f, then applies the
// cursor key when f stands on it, else the segment that ends at it.
template <typename Record, typename ActiveFlag, typename ApplyKey, typename ApplySegment>
void advanceCursor(const KeyPool<Record>& pool, Cursor<ActiveFlag> cursor, float f, ApplyKey applyKey,
                   ApplySegment applySegment) {
  passKeysBefore(pool, cursor, f, applyKey);
  if (!cursor.active) {
    return;
  }
  const Record& key = pool[cursor.key];
  std::uint32_t prev = pool.isHead(cursor.key) ? kBrokenLink : previousKey(pool, cursor.key);
  if (static_cast<float>(key.frame) == f || prev == kBrokenLink) {
    applyKey(key);
  } else {
    applySegment(pool[prev], key, f);
  }
}

// Edit sampling of a track at whole frame `frame`, walking from its head: the key at the frame,
// else the segment the frame falls in, else (past the end) the last key.
template <typename Record, typename ApplyKey, typename ApplySegment>
void sampleTrack(const KeyPool<Record>& pool, std::uint32_t head, std::uint32_t frame, ApplyKey applyKey,
                 ApplySegment applySegment) {
  std::uint32_t previous = kNoKey;
  std::uint32_t index = head;
  while (pool[index].frame < frame) {
    std::uint32_t next = nextKey(pool, index);
    if (next == kNoKey) {
      applyKey(pool[index]);
      return;
    }
    previous = index;
    index = next;
  }
  if (pool[index].frame == frame || index == head) {
    applyKey(pool[index]);
  } else {
    applySegment(pool[previous], pool[index], static_cast<float>(frame));
  }
}

}  // namespace zv::sampling
