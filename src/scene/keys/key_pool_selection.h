// Timeline selection over a whole pool. Only written records can be selected, so the scans stop
// at the pool's extent.
#pragma once

#include "scene/keys/key_pool.h"

namespace zv {

template <typename Record>
bool anyKeySelected(const KeyPool<Record>& pool) {
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    if (pool[index].selected) {
      return true;
    }
  }
  return false;
}

template <typename Record>
void clearKeySelection(KeyPool<Record>& pool) {
  for (std::uint32_t index = 0; index < pool.extent(); ++index) {
    if (pool[index].selected) {
      pool.at(index).selected = false;
    }
  }
}

}  // namespace zv
