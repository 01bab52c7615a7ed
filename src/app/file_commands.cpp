#include "app/file_commands.h"

#include "app/undo_commands.h"
#include "files/key_generation/lip_sync.h"
#include "files/motion/motion_file.h"
#include "ui/message_boxes.h"

namespace zv {

bool loadMotion(Scene& scene, const std::filesystem::path& path, port::Ui& ui) {
  const Outcome outcome = loadMotion(scene, path, askInBox(ui));
  showMessages(ui, outcome.messages);
  if (const Model* model = currentModel(scene); model && !scene.cameraMode) {
    showUndoButtons(ui, model->undoHistory);
  }
  return outcome.done;
}

bool importSequence(Scene& scene, const std::filesystem::path& sequencePath, port::Ui& ui) {
  const Outcome outcome = importSequence(scene, sequencePath);
  showMessages(ui, outcome.messages);
  return outcome.done;
}

std::optional<int> insertBlinks(Scene& scene, BlinkRange range, port::Ui& ui) {
  const BlinkInsertion insertion = insertBlinks(scene, range);
  showMessages(ui, insertion.messages);
  return insertion.count;
}

std::optional<int> insertBlinks(Scene& scene, const BlinkRangeQuestion& askRange, port::Ui& ui) {
  const BlinkInsertion insertion = insertBlinks(scene, askRange);
  showMessages(ui, insertion.messages);
  return insertion.count;
}

}  // namespace zv
