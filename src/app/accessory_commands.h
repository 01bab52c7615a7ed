// Filling and emptying the prop slots from the accessory panel, and the panel's lists and check
// boxes. A prop lives in three places, all at one slot: its geometry in FrameSystems::accessories,
// its live state in Scene::accessories (the only copy, which drawing and sampling share) and its key
// track in Scene::accessoryKeyPools.
#pragma once

#include <filesystem>

#include "app/frame_systems.h"
#include "port/ui.h"
#include "scene/document/scene.h"
#include "ui/control_ids.h"

namespace zv {

// Asks for an X file or descriptor under UserFile/Accessory and adds it; false when the dialog was
// cancelled or the prop was refused.
bool addAccessoryFromDialog(Scene& scene, FrameSystems& systems);
// The open dialog for a prop: X files and descriptors under UserFile/Accessory.
port::FileDialogRequest accessoryDialogRequest();

// Loads `path` into the first empty slot, lists it as the current prop and writes its file's
// placement into the head key of the slot's track. Every refusal has been shown through systems.ui
// and leaves all slots, tracks and lists as they were.
bool addAccessory(Scene& scene, FrameSystems& systems, const std::filesystem::path& path);

// Asks, then deletes the prop selected in the accessory list with its whole track; the later rows
// move up. False when nothing was deleted.
bool deleteAccessory(Scene& scene, FrameSystems& systems);

// Shows the current prop's flags, parent, placement and size in the panel.
void refreshAccessoryPanel(Scene& scene, FrameSystems& systems);

// Selection changes of the accessory list, the parent-model list and the parent-bone list.
void accessoryListChanged(Scene& scene, FrameSystems& systems);
void accessoryParentModelChanged(Scene& scene, FrameSystems& systems);
void accessoryParentBoneChanged(Scene& scene, FrameSystems& systems);

// The "表示" and "影" boxes: flip the current prop's flag and show the new state.
void toggleAccessoryVisible(Scene& scene, FrameSystems& systems);
void toggleAccessoryShadow(Scene& scene, FrameSystems& systems);

// Makes the prop in `slot` follow bone `bone` of the model in `modelSlot` (-1: the ground) from
// frame 0 on: the live state and the head key both, so playback keeps it there. False, changing
// nothing, when the slot is empty or the model or bone does not exist.
bool attachAccessory(Scene& scene, FrameSystems& systems, int slot, int modelSlot, int bone);

}  // namespace zv
