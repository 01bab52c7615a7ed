// Loading a model into a slot: read and check the file, make its device resources, show its
// comment on request and fill the panel for it.
#pragma once

#include <filesystem>

#include "port/ui.h"
#include "render/display_device.h"
#include "render/texture_store.h"
#include "scene/document/model.h"

namespace zv {

// Fills the empty `model` from the .tsm file at `path` (retried under exeDirectory/UserFile/Model
// when it has moved; `path` then names the file read). With `showComment` the model's comment is
// shown in a box captioned "モデル情報". Every failure is shown through `ui` and returns false;
// the caller then discards the model.
bool loadModel(Model& model, port::Ui& ui, std::filesystem::path& path, DisplayDevice& device,
               TextureStore& textures, const std::filesystem::path& exeDirectory, bool showComment);

}  // namespace zv
