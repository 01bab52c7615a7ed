#include "scene/keys/key_free_indices.h"

#include <bit>

namespace zv {

namespace {

constexpr std::uint32_t kWordBits = 64;

std::uint64_t bitOf(std::uint64_t index) {
  return std::uint64_t{1} << (index % kWordBits);
}

}  // namespace

KeyFreeIndices::KeyFreeIndices(std::uint32_t size, std::uint32_t firstFree) {
  std::uint64_t bitCount = size;
  do {
    const std::uint64_t wordCount = (bitCount + kWordBits - 1) / kWordBits;
    levels_.emplace_back(wordCount == 0 ? 1 : wordCount, 0);
    bitCount = wordCount;
  } while (bitCount > 1);
  auto& leaves = levels_.front();
  std::uint64_t index = firstFree;
  for (; index < size && index % kWordBits != 0; ++index) {
    leaves[index / kWordBits] |= bitOf(index);
  }
  for (; index + kWordBits <= size; index += kWordBits) {
    leaves[index / kWordBits] = ~std::uint64_t{0};
  }
  for (; index < size; ++index) {
    leaves[index / kWordBits] |= bitOf(index);
  }
  for (std::size_t level = 1; level < levels_.size(); ++level) {
    const auto& below = levels_[level - 1];
    for (std::uint64_t word = 0; word < below.size(); ++word) {
      if (below[word] != 0) {
        levels_[level][word / kWordBits] |= bitOf(word);
      }
    }
  }
}

bool KeyFreeIndices::isFree(std::uint32_t index) const {
  const auto& leaves = levels_.front();
  return index / kWordBits < leaves.size() && (leaves[index / kWordBits] & bitOf(index)) != 0;
}

void KeyFreeIndices::markUsed(std::uint32_t index) {
  std::uint64_t position = index;
  for (auto& level : levels_) {
    std::uint64_t& word = level[position / kWordBits];
    word &= ~bitOf(position);
    if (word != 0) {
      return;
    }
    position /= kWordBits;
  }
}

void KeyFreeIndices::markFree(std::uint32_t index) {
  std::uint64_t position = index;
  for (auto& level : levels_) {
    std::uint64_t& word = level[position / kWordBits];
    const bool wasEmpty = word == 0;
    word |= bitOf(position);
    if (!wasEmpty) {
      return;
    }
    position /= kWordBits;
  }
}

std::optional<std::uint32_t> KeyFreeIndices::lowest() const {
  std::uint64_t position = 0;
  for (auto level = levels_.rbegin(); level != levels_.rend(); ++level) {
    const std::uint64_t word = (*level)[position];
    if (word == 0) {
      return std::nullopt;
    }
    position = position * kWordBits + static_cast<std::uint64_t>(std::countr_zero(word));
  }
  return static_cast<std::uint32_t>(position);
}

}  // namespace zv
