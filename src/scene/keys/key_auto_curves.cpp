#include "scene/keys/key_auto_curves.h"

#include "scene/keys/key_track_edit.h"

namespace zv {

namespace {

float component(Vec3 v, int channel) {
  return channel == kBoneMoveX ? v.x : channel == kBoneMoveY ? v.y : v.z;
}

void setStart(BoneKey& key, int channel, std::uint8_t x, std::uint8_t y) {
  key.curves.x1[channel] = x;
  key.curves.y1[channel] = y;
}

void setEnd(BoneKey& key, int channel, std::uint8_t x, std::uint8_t y) {
  key.curves.x2[channel] = x;
  key.curves.y2[channel] = y;
}

void setStraight(BoneKey& key, int channel) {
  key.curves.setCurve(channel, InterpolationCurve{});
}

// True when the motion keeps its direction from the step `before` into the step `after`.
bool keepsDirection(float before, float after) {
  return before * after > 0;
}

void applyMovementCurve(KeyPool<BoneKey>& pool, std::uint32_t index, int channel) {
  BoneKey& key = pool.at(index);
  BoneKey& prev = pool.at(key.prev);
  const float value = component(key.translation, channel);
  const float prevValue = component(prev.translation, channel);
  if (prevValue == value) {
    setStraight(key, channel);
    return;
  }
  if (pool.isHead(key.prev)) {
    setStart(key, channel, 64, 0);
  } else if (keepsDirection(prevValue - component(pool[prev.prev].translation, channel), value - prevValue)) {
    setEnd(prev, channel, 87, 87);
    setStart(key, channel, 40, 40);
  } else {
    setEnd(prev, channel, 64, 127);
    setStart(key, channel, 64, 0);
  }
  // The last key of a track eases out; there is no following key to give an ease-in.
  if (key.next == 0) {
    setEnd(key, channel, 64, 127);
    return;
  }
  BoneKey& next = pool.at(key.next);
  if (keepsDirection(value - prevValue, component(next.translation, channel) - value)) {
    setEnd(key, channel, 87, 87);
    setStart(next, channel, 40, 40);
  } else {
    setEnd(key, channel, 64, 127);
    setStart(next, channel, 64, 0);
  }
}

}  // namespace

void applyAutomaticCurves(KeyPool<BoneKey>& pool, std::uint32_t index) {
  noteKeyChange(pool, index);
  BoneKey& key = pool.at(index);
  if (pool.isHead(index)) {
    for (int channel = 0; channel < kBoneChannelCount; ++channel) {
      setStraight(key, channel);
    }
    return;
  }
  noteKeyChange(pool, key.prev);
  if (key.next != 0) {
    noteKeyChange(pool, key.next);
  }
  setStraight(key, kBoneRotation);
  for (int channel = kBoneMoveX; channel <= kBoneMoveZ; ++channel) {
    applyMovementCurve(pool, index, channel);
  }
}

}  // namespace zv
