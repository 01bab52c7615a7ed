// Copying the selected keys of the current mode into the key clipboard and pasting them at the
// current frame, by name, on whichever model is current.
#pragma once

#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

// What the paste buttons may offer: any key for the plain paste in the current mode, bone keys
// for the mirrored one (model mode only).
bool holdsModelKeys(const KeyClipboard& clipboard);
bool holdsCameraKeys(const KeyClipboard& clipboard);
bool holdsBoneKeys(const KeyClipboard& clipboard);

// Replaces the parts of the current mode with the selected keys in pool order, their frames made
// relative to the earliest of them. In model mode the keys are the current model's bone, morph and
// display/IK keys; in camera mode the camera and light keys. Nothing selected leaves those parts
// empty. True when something was copied.
bool copyKeys(Scene& scene);

// Registers every record of the current mode at currentFrame plus its relative frame. In model
// mode an undo step of the key edit kind comes first. A full pool is reported once per paste,
// however many keys it refused. Done when a key was written.
Outcome pasteKeys(Scene& scene);

// The bone keys only, each on the bone of the other side with translation x and rotation y and z
// negated (model mode).
Outcome pasteMirroredKeys(Scene& scene);

// A new scene keeps no bones to paste: the bone part goes; morph, display/IK, camera and light
// keys stay.
void forgetBoneKeys(KeyClipboard& clipboard);

}  // namespace zv
