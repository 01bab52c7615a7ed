// Creating a model's key pools once its bones, morphs and IK chains are known.
#pragma once

#include "scene/document/model.h"

namespace zv {

// Gives the model fresh bone, morph and display/IK pools: one head per bone and per morph, and
// display/IK records that show the model with every IK chain enabled. Returns false and changes
// nothing when the morphs would leave no free morph record (20,000 or more morphs): the model
// reader refuses such a file.
bool createModelKeyPools(Model& model);

}  // namespace zv
