// Vertical selection on the frame editor: the frame of one selected bone key, selected across
// every bone track of the model.
#pragma once

#include "scene/document/model.h"

namespace zv {

// Takes the frame of the first selected bone key in pool order and also selects the key at
// exactly that frame on every bone track; the rest of the selection stays. False, changing
// nothing, when no bone key is selected.
bool selectBoneKeysAtSelectedFrame(Model& model);

}  // namespace zv
