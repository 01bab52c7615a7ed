// The set of free record indices of a key pool, answering "lowest free index" in a few word
// scans: records are always placed at the lowest free index, because project files and undo steps
// refer to keys by index and a later load must land them where they were.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace zv {

class KeyFreeIndices {
 public:
  // Indices firstFree .. size - 1 start free; the ones below never are.
  KeyFreeIndices(std::uint32_t size, std::uint32_t firstFree);

  bool isFree(std::uint32_t index) const;
  void markUsed(std::uint32_t index);
  void markFree(std::uint32_t index);
  // The lowest free index, or nothing when every index is in use.
  std::optional<std::uint32_t> lowest() const;

 private:
  // levels_[0] holds one bit per index (set = free); a bit of each higher level is set when the
  // word below it has any bit set. The top level is a single word.
  std::vector<std::vector<std::uint64_t>> levels_;
};

}  // namespace zv
