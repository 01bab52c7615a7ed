// The records of a model's undo history: a ring of the last 30 editing steps on its bone pose and
// bone keys, and a parallel ring holding what undoing each step displaced, for redo.
#pragma once

#include <array>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "scene/document/math.h"
#include "scene/keys/key_pool.h"
#include "scene/keys/key_records.h"

namespace zv {

struct Model;
struct Scene;

inline constexpr int kUndoSteps = 30;

enum class UndoKind : std::int32_t {
  Empty = 0,
  Pose = 1,         // the pose of the bones, before a drag in the view
  KeyEdit = 2,      // bone keys, before registration, deletion, loading or timeline edits
  PoseAtFrame = 3,  // unregistered pose edits, before the current frame changed
  KeyEditHead = 4,  // first half of a two-step key edit: undone and redone with the step after it
};

// One bone's pose as a step saw it.
struct PoseEntry {
  std::uint32_t bone = 0;
  Vec3 keyTranslation;
  Quat keyRotation;
  bool moved = false;
};

// A bone key record as it was before the step changed it.
struct SavedKey {
  std::uint32_t index = 0;  // bone-key pool index
  BoneKey record;
};

struct UndoStep {
  UndoKind kind = UndoKind::Empty;
  std::uint32_t frame = 0;  // currentFrame when the step was recorded
  std::vector<PoseEntry> poses;
  std::vector<SavedKey> keys;
};

// Feeds the key store's changes into the model's current step.
class UndoRecorder : public KeyChangeObserver {
 public:
  void beginKeyEdit(std::uint32_t frame) override;
  void beforeKeyChange(std::uint32_t index) override;

  Scene* scene = nullptr;
  Model* model = nullptr;
};

struct UndoHistory {
  std::array<UndoStep, kUndoSteps> undoRing;
  std::array<UndoStep, kUndoSteps> redoRing;  // entry i: what undoing undoRing[i] displaced
  int position = 0;                           // newest step that can be undone
  int undone = 0;              // steps undone since the last record: the ones redo can bring back
  bool undoAvailable = false;  // the undo button follows it
  bool redoAvailable = false;  // the redo button follows it
  std::unordered_set<std::uint32_t> recordedKeys;  // pool indices already in the current step
  UndoRecorder recorder;
};

}  // namespace zv
