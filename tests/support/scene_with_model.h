// A scene whose slot 0 holds the sample model as the current model, in model mode, with its undo
// history attached: the starting point of tests that edit a loaded model.
#pragma once

#include "model_builder.h"
#include "scene/document/scene.h"

namespace zv::test {

// Parses `source` into slot 0 of `scene`; returns the model (the test fails when it is refused).
Model& placeModel(Scene& scene, const TsmModel& source = sampleModel());

}  // namespace zv::test
