// A fixed-capacity pool of key records in which every track is a doubly linked list by pool index
// in ascending frame order. The first headCount records are the tracks' heads (their frame-0 keys);
// a record above them is free while its frame is 0. A record never moves once placed: project
// files and undo steps refer to keys by index.
//
// The capacity is a contract about indices, not memory: records live in pages that are allocated
// the first time a record in them is written, and an untouched record reads as the blank record.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "scene/keys/key_free_indices.h"
#include "scene/keys/key_records.h"

namespace zv {

// Lets an undo history keep the state of records before key operations change them. The
// registration and deletion operations call it; writing records back (put) does not.
class KeyChangeObserver {
 public:
  virtual ~KeyChangeObserver() = default;
  // An edit of several keys starts (registering the selected bones, deleting the selected keys),
  // at the given current frame.
  virtual void beginKeyEdit(std::uint32_t frame) = 0;
  // The record at `index` is about to change: its frame, links, values, curves or selection.
  virtual void beforeKeyChange(std::uint32_t index) = 0;
};

template <typename Record>
class KeyPool {
 public:
  static constexpr std::uint32_t kCapacity = Record::kPoolCapacity;

  // `blank` is what every record holds before it is first written: the head values of the
  // tracks (its frame, links and selection must be clear).
  explicit KeyPool(std::uint32_t headCount = 1, Record blank = {})
      : headCount_(headCount),
        blank_(std::move(blank)),
        pages_((kCapacity + kPageSize - 1) / kPageSize),
        free_(kCapacity, headCount),
        tracks_(headCount) {
    assert(headCount <= kCapacity && "more tracks than the pool holds: the reader must refuse the file");
    assert(blank_.frame == 0 && blank_.prev == 0 && blank_.next == 0 && !blank_.selected);
  }

  std::uint32_t capacity() const { return kCapacity; }
  std::uint32_t headCount() const { return headCount_; }
  bool isHead(std::uint32_t index) const { return index < headCount_; }
  const Record& blank() const { return blank_; }

  // Records at and above this index have never been written and read as the blank record;
  // scans over "every record in index order" can stop here.
  std::uint32_t extent() const { return extent_; }

  const Record& operator[](std::uint32_t index) const {
    assert(index < kCapacity && "key index out of range");
    const auto& page = pages_[index / kPageSize];
    return page ? (*page)[index % kPageSize] : blank_;
  }

  // The record to change in place: values and selection. Frames and links change only through
  // linkAfter, unlink and put, which keep the free records and the track ends in step.
  Record& at(std::uint32_t index) {
    assert(index < kCapacity && "key index out of range");
    auto& page = pages_[index / kPageSize];
    if (!page) {
      page = std::make_unique<Page>();
      page->fill(blank_);
    }
    extent_ = std::max(extent_, index + 1);
    return (*page)[index % kPageSize];
  }

  // Writes a whole record back at its index, links included, as undo and project loading do.
  void put(std::uint32_t index, Record record) {
    at(index) = std::move(record);
    updateFree(index);
    ++structureStamp_;
  }

  // The lowest free record above the heads, or nothing when all are in use.
  std::optional<std::uint32_t> lowestFree() const { return free_.lowest(); }

  // The last key of the track headed by `head` whose frame is at most `frame` (at least the
  // head), found by binary search in the track's directory.
  std::uint32_t keyAtOrBefore(std::uint32_t head, std::uint32_t frame) {
    const std::vector<FrameAndKey>& keys = directory(head).keys;
    const auto after =
        std::upper_bound(keys.begin(), keys.end(), frame,
                         [](std::uint32_t f, const FrameAndKey& key) { return f < key.frame; });
    return after == keys.begin() ? head : std::prev(after)->key;
  }

  // Puts the free record `fresh` on the track headed by `head` right after `key`, at `frame`
  // (above key's frame and below its successor's).
  void linkAfter(std::uint32_t head, std::uint32_t key, std::uint32_t fresh, std::uint32_t frame) {
    const std::uint32_t next = (*this)[key].next;
    Record& added = at(fresh);
    added.frame = frame;
    added.prev = key;
    added.next = next;
    at(key).next = fresh;
    if (next != 0) {
      at(next).prev = fresh;
    }
    free_.markUsed(fresh);
    TrackDirectory& track = tracks_[head];
    if (track.stamp == structureStamp_) {
      const FrameAndKey entry{frame, fresh};
      const auto after =
          std::upper_bound(track.keys.begin(), track.keys.end(), entry,
                           [](const FrameAndKey& a, const FrameAndKey& b) { return a.frame < b.frame; });
      track.keys.insert(after, entry);
    }
  }

  // Takes a non-head key off its track and frees its record (frame and links cleared; the values
  // stay for the caller to reset). The last key of a track leaves record 0 alone.
  void unlink(std::uint32_t index) {
    assert(!isHead(index) && "a head cannot be unlinked");
    Record& key = at(index);
    at(key.prev).next = key.next;
    if (key.next != 0) {
      at(key.next).prev = key.prev;
    }
    key.frame = 0;
    key.prev = 0;
    key.next = 0;
    free_.markFree(index);
    ++structureStamp_;
  }

  // Told before registration and deletion change records; null when nobody listens.
  KeyChangeObserver* observer = nullptr;

 private:
  static constexpr std::uint32_t kPageSize = 256;
  using Page = std::array<Record, kPageSize>;

  struct FrameAndKey {
    std::uint32_t frame;
    std::uint32_t key;
  };
  // The keys of one track after its head, in frame order, as of a stamp: a stamp older than the
  // pool's means a record may have left the track since, and the directory is read again.
  struct TrackDirectory {
    std::vector<FrameAndKey> keys;
    std::uint64_t stamp = 0;
  };

  void updateFree(std::uint32_t index) {
    if (isHead(index)) {
      return;
    }
    if ((*this)[index].frame == 0) {
      free_.markFree(index);
    } else {
      free_.markUsed(index);
    }
  }

  TrackDirectory& directory(std::uint32_t head) {
    assert(head < headCount_ && "not the head of a track");
    TrackDirectory& track = tracks_[head];
    if (track.stamp != structureStamp_) {
      track.keys.clear();
      // Bounded by the capacity so that links broken by a bad project file cannot loop forever.
      for (std::uint32_t key = (*this)[head].next;
           key != 0 && key < kCapacity && track.keys.size() < kCapacity; key = (*this)[key].next) {
        track.keys.push_back({(*this)[key].frame, key});
      }
      track.stamp = structureStamp_;
    }
    return track;
  }

  std::uint32_t headCount_;
  Record blank_;
  std::vector<std::unique_ptr<Page>> pages_;
  KeyFreeIndices free_;
  std::uint32_t extent_ = 0;
  std::vector<TrackDirectory> tracks_;  // indexed by head
  std::uint64_t structureStamp_ = 1;    // bumped whenever a record may leave a track
};

}  // namespace zv
