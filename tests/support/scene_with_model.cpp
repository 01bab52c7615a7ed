#include "scene_with_model.h"

#include <gtest/gtest.h>

#include "scene/document/model_reader.h"
#include "scene/undo/undo.h"

namespace zv::test {

Model& placeModel(Scene& scene, const TsmModel& source) {
  auto model = std::make_unique<Model>();
  EXPECT_FALSE(parseModel(tsmBytes(source), *model));
  scene.modelSlots[0] = std::move(model);
  scene.currentModel = 0;
  scene.cameraMode = false;
  attachUndoHistory(scene, *scene.modelSlots[0]);
  return *scene.modelSlots[0];
}

}  // namespace zv::test
