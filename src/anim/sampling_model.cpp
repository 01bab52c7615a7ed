#include <algorithm>

#include "anim/interpolation.h"
#include "anim/sampling.h"
#include "anim/sampling_walk.h"

namespace zv {

namespace {

using sampling::Cursor;

bool hasTrack(const Bone& bone) {
  return bone.type < kBoneTypeFirstUnkeyed;
}

// Only these bones take translation between keys; the others jump to a key's translation when
// it is reached.
bool takesKeyedTranslation(const Bone& bone) {
  return bone.type == kBoneTypeRotateMove || bone.type == kBoneTypeMove;
}

float framePosition(float t) {
  return t * kFramesPerSecond;
}

struct BoneSampler {
  Bone& bone;
  void operator()(const BoneKey& key) const {
    bone.keyTranslation = key.translation;
    bone.keyRotation = key.rotation;
  }
  void operator()(const BoneKey& prev, const BoneKey& key, float f) const {
    float u = segmentPosition(prev.frame, key.frame, f);
    bone.keyRotation = interpolateBoneRotation(prev, key, u);
    if (takesKeyedTranslation(bone)) {
      bone.keyTranslation = interpolateBoneTranslation(prev, key, u);
    }
  }
};

struct MorphSampler {
  Morph& morph;
  void operator()(const MorphKey& key) const { morph.weight = key.weight; }
  void operator()(const MorphKey& prev, const MorphKey& key, float f) const {
    morph.weight = interpolateMorphWeight(prev, key, segmentPosition(prev.frame, key.frame, f));
  }
};

// Display and IK switches step: between keys the earlier key holds.
struct DisplayIkSampler {
  Model& model;
  void operator()(const DisplayIkKey& key) const {
    model.visible = key.visible;
    std::size_t count = std::min(model.ikChains.size(), key.ikEnabled.size());
    for (std::size_t chain = 0; chain < count; ++chain) {
      model.ikChains[chain].enabled = key.ikEnabled[chain];
    }
  }
  void operator()(const DisplayIkKey& prev, const DisplayIkKey&, float) const { (*this)(prev); }
};

std::uint32_t trackHead(std::size_t index) {
  return static_cast<std::uint32_t>(index);
}

}  // namespace

void seekModel(Model& model, float t) {
  float f = framePosition(t);
  model.displayIkKeyCursor = 0;
  model.displayIkTrackActive = true;
  sampling::passKeysBefore(model.displayIkKeyPool,
                           Cursor{model.displayIkKeyCursor, model.displayIkTrackActive}, f,
                           DisplayIkSampler{model});

  model.morphKeyCursors.assign(model.morphs.size(), 0);
  model.morphTrackActive.assign(model.morphs.size(), 1);
  for (std::size_t m = 0; m < model.morphs.size(); ++m) {
    model.morphKeyCursors[m] = trackHead(m);
    sampling::passKeysBefore(model.morphKeyPool, Cursor{model.morphKeyCursors[m], model.morphTrackActive[m]},
                             f, MorphSampler{model.morphs[m]});
  }

  model.boneKeyCursors.assign(model.bones.size(), 0);
  model.boneTrackActive.assign(model.bones.size(), 0);
  for (std::size_t b = 0; b < model.bones.size(); ++b) {
    if (!hasTrack(model.bones[b])) {
      continue;
    }
    model.boneKeyCursors[b] = trackHead(b);
    model.boneTrackActive[b] = 1;
    sampling::passKeysBefore(model.boneKeyPool, Cursor{model.boneKeyCursors[b], model.boneTrackActive[b]}, f,
                             BoneSampler{model.bones[b]});
  }
}

void advanceModel(Model& model, float t) {
  float f = framePosition(t);
  DisplayIkSampler displayIk{model};
  sampling::advanceCursor(model.displayIkKeyPool,
                          Cursor{model.displayIkKeyCursor, model.displayIkTrackActive}, f, displayIk,
                          displayIk);

  std::size_t morphCount = std::min(model.morphs.size(), model.morphTrackActive.size());
  for (std::size_t m = 0; m < morphCount; ++m) {
    if (model.morphTrackActive[m]) {
      MorphSampler morph{model.morphs[m]};
      sampling::advanceCursor(model.morphKeyPool, Cursor{model.morphKeyCursors[m], model.morphTrackActive[m]},
                              f, morph, morph);
    }
  }

  std::size_t boneCount = std::min(model.bones.size(), model.boneTrackActive.size());
  for (std::size_t b = 0; b < boneCount; ++b) {
    if (model.boneTrackActive[b]) {
      BoneSampler bone{model.bones[b]};
      sampling::advanceCursor(model.boneKeyPool, Cursor{model.boneKeyCursors[b], model.boneTrackActive[b]}, f,
                              bone, bone);
    }
  }
}

void sampleModelAtFrame(Model& model, std::uint32_t frame) {
  DisplayIkSampler displayIk{model};
  sampling::sampleTrack(model.displayIkKeyPool, 0, frame, displayIk, displayIk);
  for (std::size_t m = 0; m < model.morphs.size(); ++m) {
    MorphSampler morph{model.morphs[m]};
    sampling::sampleTrack(model.morphKeyPool, trackHead(m), frame, morph, morph);
  }
  for (std::size_t b = 0; b < model.bones.size(); ++b) {
    if (hasTrack(model.bones[b])) {
      BoneSampler bone{model.bones[b]};
      sampling::sampleTrack(model.boneKeyPool, trackHead(b), frame, bone, bone);
    }
  }
}

}  // namespace zv
