#include "scene/undo/undo.h"

#include "scene/keys/key_pool_selection.h"

namespace zv {
namespace {

int wrapped(int position) {
  return (position + kUndoSteps) % kUndoSteps;
}

void moveToFrame(Scene& scene, UndoOutcome& outcome, std::uint32_t frame) {
  scene.currentFrame = frame;
  outcome.frameMoved = true;
}

std::vector<PoseEntry> currentPose(const Model& model) {
  std::vector<PoseEntry> poses;
  poses.reserve(model.bones.size());
  for (std::uint32_t b = 0; b < model.bones.size(); ++b) {
    poses.push_back({b, model.bones[b].keyTranslation, model.bones[b].keyRotation, model.boneMoved[b] != 0});
  }
  return poses;
}

// Puts the recorded poses back and returns the poses they displaced.
std::vector<PoseEntry> swapPoses(Model& model, const std::vector<PoseEntry>& poses) {
  std::vector<PoseEntry> displaced;
  displaced.reserve(poses.size());
  for (const PoseEntry& entry : poses) {
    Bone& bone = model.bones[entry.bone];
    displaced.push_back(
        {entry.bone, bone.keyTranslation, bone.keyRotation, model.boneMoved[entry.bone] != 0});
    bone.keyTranslation = entry.keyTranslation;
    bone.keyRotation = entry.keyRotation;
    model.boneMoved[entry.bone] = entry.moved ? 1 : 0;
  }
  return displaced;
}

// Writes the saved records back and returns the records they displaced.
std::vector<SavedKey> swapKeys(Model& model, const std::vector<SavedKey>& keys) {
  std::vector<SavedKey> displaced;
  displaced.reserve(keys.size());
  for (const SavedKey& saved : keys) {
    displaced.push_back({saved.index, model.boneKeyPool[saved.index]});
  }
  for (const SavedKey& saved : keys) {
    model.boneKeyPool.put(saved.index, saved.record);
  }
  return displaced;
}

// Undoes the step at the position into its redo entry; returns its kind.
UndoKind undoOne(Scene& scene, Model& model, UndoOutcome& outcome) {
  UndoHistory& history = model.undoHistory;
  UndoStep& step = history.undoRing[history.position];
  UndoStep& redo = history.redoRing[history.position];
  if (step.kind == UndoKind::Pose || step.kind == UndoKind::PoseAtFrame) {
    redo = {UndoKind::Pose, step.frame, swapPoses(model, step.poses), {}};
    if (step.kind == UndoKind::PoseAtFrame) {
      moveToFrame(scene, outcome, step.frame);
    }
  } else {
    redo = {UndoKind::KeyEdit, step.frame, swapPoses(model, step.poses), swapKeys(model, step.keys)};
    moveToFrame(scene, outcome, step.frame);
  }
  return step.kind;
}

void redoOne(Scene& scene, Model& model, UndoOutcome& outcome) {
  UndoHistory& history = model.undoHistory;
  const UndoStep& redo = history.redoRing[history.position];
  if (redo.kind == UndoKind::Pose) {
    swapPoses(model, redo.poses);
  } else {
    swapKeys(model, redo.keys);
    moveToFrame(scene, outcome, history.undoRing[history.position].frame);
  }
}

}  // namespace

void UndoRecorder::beginKeyEdit(std::uint32_t frame) {
  beginStep(*scene, *model, UndoKind::KeyEdit, frame);
}

void UndoRecorder::beforeKeyChange(std::uint32_t index) {
  recordKey(*model, index);
}

void attachUndoHistory(Scene& scene, Model& model) {
  model.undoHistory.recorder.scene = &scene;
  model.undoHistory.recorder.model = &model;
  model.boneKeyPool.observer = &model.undoHistory.recorder;
}

void beginStep(Scene&, Model& model, UndoKind kind, std::uint32_t frame) {
  UndoHistory& history = model.undoHistory;
  // Undone steps ahead of the position are history no longer: a new step replaces the future.
  for (int ahead = 1; ahead <= history.undone; ++ahead) {
    history.undoRing[wrapped(history.position + ahead)] = UndoStep{};
    history.redoRing[wrapped(history.position + ahead)] = UndoStep{};
  }
  history.undone = 0;
  history.position = wrapped(history.position + 1);
  history.undoAvailable = true;
  history.redoAvailable = false;
  history.undoRing[history.position] = {kind, frame, currentPose(model), {}};
  history.redoRing[history.position] = UndoStep{};
  history.recordedKeys.clear();
}

void joinWithNextStep(Model& model) {
  UndoHistory& history = model.undoHistory;
  if (history.undoRing[history.position].kind == UndoKind::KeyEdit) {
    history.undoRing[history.position].kind = UndoKind::KeyEditHead;
  }
}

void beginPoseStep(Scene& scene, Model& model, std::uint32_t frame, std::span<const std::uint32_t> bones) {
  beginStep(scene, model, UndoKind::Pose, frame);
  std::vector<PoseEntry>& every = model.undoHistory.undoRing[model.undoHistory.position].poses;
  std::vector<PoseEntry> kept;
  std::vector<bool> seen(every.size(), false);
  for (std::uint32_t bone : bones) {
    if (bone < every.size() && !seen[bone]) {
      seen[bone] = true;
      kept.push_back(every[bone]);
    }
  }
  every = std::move(kept);
}

void recordKey(Model& model, std::uint32_t index) {
  UndoHistory& history = model.undoHistory;
  if (history.recordedKeys.insert(index).second) {
    history.undoRing[history.position].keys.push_back({index, model.boneKeyPool[index]});
  }
}

void recordSelectedKeys(Scene& scene, Model& model, std::uint32_t frame) {
  if (!anyKeySelected(model.boneKeyPool)) {
    return;
  }
  beginStep(scene, model, UndoKind::KeyEdit, frame);
  for (std::uint32_t index = 0; index < model.boneKeyPool.extent(); ++index) {
    if (model.boneKeyPool[index].selected) {
      recordKey(model, index);
    }
  }
}

void recordPoseAtFrame(Scene& scene, Model& model, std::uint32_t frame) {
  for (std::uint8_t moved : model.boneMoved) {
    if (moved) {
      beginStep(scene, model, UndoKind::PoseAtFrame, frame);
      return;
    }
  }
}

UndoOutcome undo(Scene& scene) {
  Model* model = currentModel(scene);
  if (scene.cameraMode || model == nullptr) {
    return {};
  }
  UndoHistory& history = model->undoHistory;
  UndoOutcome outcome;
  UndoKind kind;
  do {
    if (history.undone == kUndoSteps || history.undoRing[history.position].kind == UndoKind::Empty) {
      history.undoAvailable = false;
      return outcome;
    }
    kind = undoOne(scene, *model, outcome);
    outcome.changed = true;
    outcome.resample = outcome.resample || kind != UndoKind::Pose;
    ++history.undone;
    history.position = wrapped(history.position - 1);
  } while (history.undoRing[history.position].kind == UndoKind::KeyEditHead);
  history.undoAvailable =
      history.undone < kUndoSteps && history.undoRing[history.position].kind != UndoKind::Empty;
  history.redoAvailable = true;
  return outcome;
}

UndoOutcome redo(Scene& scene) {
  Model* model = currentModel(scene);
  if (scene.cameraMode || model == nullptr) {
    return {};
  }
  UndoHistory& history = model->undoHistory;
  UndoOutcome outcome;
  do {
    if (history.undone == 0) {
      history.redoAvailable = false;
      return outcome;
    }
    history.position = wrapped(history.position + 1);
    --history.undone;
    redoOne(scene, *model, outcome);
    outcome.changed = true;
    outcome.resample = outcome.resample || history.redoRing[history.position].kind != UndoKind::Pose;
  } while (history.undoRing[history.position].kind == UndoKind::KeyEditHead);
  history.redoAvailable = history.undone > 0;
  history.undoAvailable = true;
  return outcome;
}

}  // namespace zv
