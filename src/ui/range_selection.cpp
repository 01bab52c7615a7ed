#include "ui/range_selection.h"

#include <string>

#include "port/text.h"

namespace zv {
namespace {

// Walks the track from its head (frame 0) and selects every key in first..last. The walk is
// bounded by the pool so that broken links cannot loop.
template <typename Record>
void selectOnTrack(KeyPool<Record>& pool, std::uint32_t head, std::uint32_t first, std::uint32_t last) {
  std::uint32_t key = head;
  for (std::uint32_t steps = 0; steps < pool.capacity(); ++steps) {
    const Record& record = pool[key];
    if (record.frame > last) {
      return;
    }
    if (record.frame >= first) {
      pool.at(key).selected = true;
    }
    if (record.next == 0 || record.next >= pool.capacity()) {
      return;
    }
    key = record.next;
  }
}

}  // namespace

bool selectKeysInRange(Model& model, std::uint32_t first, std::uint32_t last, std::string_view rowName) {
  const std::string name = port::utf8ToCp932(rowName);
  for (const MorphListEntry& entry : model.morphList) {
    if (entry.name == name) {
      selectOnTrack(model.morphKeyPool, entry.morphIndex, first, last);
      return true;
    }
  }
  if (rowName == "表示･IK") {
    selectOnTrack(model.displayIkKeyPool, 0, first, last);
    return true;
  }
  if (rowName == "センター" || rowName == "ﾎﾞｰﾝ01") {
    selectOnTrack(model.boneKeyPool, 0, first, last);
    return true;
  }
  for (const BoneListEntry& entry : model.boneList) {
    if (entry.name == name) {
      selectOnTrack(model.boneKeyPool, entry.boneIndex, first, last);
      return true;
    }
  }
  return false;
}

}  // namespace zv
