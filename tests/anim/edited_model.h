// A scene holding one small model in slot 0, in model mode, with its undo history attached, and
// a reader of a track's frames: the starting point of the editing operations' tests.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "scene/key_test_models.h"
#include "scene/undo/undo.h"

namespace zv::test {

struct EditedModel : KeyTestScene {
  explicit EditedModel(std::unique_ptr<Model> loaded) : KeyTestScene(std::move(loaded)) {
    attachUndoHistory(scene, *model);
  }
};

// The frames of the track headed by `head`, head included.
template <typename Record>
std::vector<std::uint32_t> trackFrames(const KeyPool<Record>& pool, std::uint32_t head) {
  std::vector<std::uint32_t> frames{pool[head].frame};
  for (std::uint32_t key = pool[head].next; key != 0; key = pool[key].next) {
    frames.push_back(pool[key].frame);
  }
  return frames;
}

// The key at `frame` on the track headed by `head`; the test fails when there is none.
template <typename Record>
const Record& keyAt(const KeyPool<Record>& pool, std::uint32_t head, std::uint32_t frame) {
  for (std::uint32_t key = head;; key = pool[key].next) {
    if (pool[key].frame == frame) {
      return pool[key];
    }
    if (pool[key].next == 0) {
      ADD_FAILURE() << "no key at frame " << frame;
      return pool[head];
    }
  }
}

}  // namespace zv::test
