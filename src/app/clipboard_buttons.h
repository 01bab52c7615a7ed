// The paste buttons follow what the scene's clipboards hold: the panels keep the fill state that
// model selection and new scenes read, and the buttons of the current mode show it.
#pragma once

#include "app/frame_systems.h"
#include "scene/document/scene.h"
#include "ui/clipboard_state.h"

namespace zv {

ClipboardState clipboardState(const Scene& scene);

// Refreshes the panels' fill state, then enables "ﾍﾟｰｽﾄ" (321) for the current mode's keys,
// "反転P" (322) for bone keys in model mode, and the two pose paste buttons (391, 392).
void showClipboardButtons(Scene& scene, FrameSystems& systems);

}  // namespace zv
