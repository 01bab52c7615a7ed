// Undo and redo of bone poses and bone keys, per model. Steps are recorded before an edit; undo
// swaps the recorded state with the present one so redo can swap it back. Only the current model
// in model mode is undone or redone.
#pragma once

#include <cstdint>
#include <span>

#include "scene/document/scene.h"
#include "scene/undo/undo_history.h"

namespace zv {

// Makes the model's bone-key registrations and deletions record into its history. Call once the
// model sits in its slot (the history keeps its address).
void attachUndoHistory(Scene& scene, Model& model);

// Starts a step: the pose of every bone is kept, the key list starts empty. Steps undone before
// it can no longer be redone.
void beginStep(Scene& scene, Model& model, UndoKind kind, std::uint32_t frame);

// Makes the newest step the first half of a two-step key edit (a deletion before its keys are
// registered again elsewhere): the step recorded next is undone and redone together with it.
void joinWithNextStep(Model& model);

// A pose step that keeps only the given bones, each once however often it is named: for edits
// that write a few bones, so that undo puts back exactly those.
void beginPoseStep(Scene& scene, Model& model, std::uint32_t frame, std::span<const std::uint32_t> bones);

// Keeps bone key `index` as it is now, once per step.
void recordKey(Model& model, std::uint32_t index);

// A key-edit step of every selected bone key, when any is selected.
void recordSelectedKeys(Scene& scene, Model& model, std::uint32_t frame);

// A pose-at-frame step when any bone has unregistered pose edits.
void recordPoseAtFrame(Scene& scene, Model& model, std::uint32_t frame);

struct UndoOutcome {
  bool changed = false;     // something was undone or redone
  bool resample = false;    // the current frame must be sampled again (not after pose-only steps)
  bool frameMoved = false;  // currentFrame was set to the frame of a step, for the frame box to show
};

// Undo and redo on the current model; nothing in camera mode. The frame of a key step is written
// to currentFrame; the history's undoAvailable and redoAvailable follow.
UndoOutcome undo(Scene& scene);
UndoOutcome redo(Scene& scene);

}  // namespace zv
