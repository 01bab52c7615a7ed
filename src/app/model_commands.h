// Filling and emptying the model slots from the model panel, keeping the model list (338), the
// props' parent list (370) and the panels' mode in step.
#pragma once

#include <filesystem>

#include "app/frame_systems.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr std::string_view kModelFilterDescription = "Tessera Model files(*.tsm)";

// Asks for a .tsm file under UserFile/Model and adds it; false when cancelled or refused.
bool addModelFromDialog(Scene& scene, FrameSystems& systems);

// Loads `path` into the first empty slot, lists it last and makes it the operated model: the
// panels switch to model mode. Every refusal has been shown and leaves the slots and lists as
// they were.
bool addModel(Scene& scene, FrameSystems& systems, const std::filesystem::path& path);

// Asks, then deletes the model selected in the model list with its keys; props that followed it
// go to the ground, later rows move up and the panels return to the camera entry. False when
// nothing was deleted.
bool deleteModel(Scene& scene, FrameSystems& systems);

// The user chose a row of the model list.
void modelListChanged(Scene& scene, FrameSystems& systems);

}  // namespace zv
