// The file commands as the user meets them: the plain operation with its question put in a box,
// its messages shown in order, and the buttons it affects brought up to date.
#pragma once

#include <filesystem>
#include <optional>

#include "files/key_generation/blink.h"
#include "port/ui.h"
#include "scene/document/scene.h"

namespace zv {

// loadMotion, asking the other-model question in an OK/Cancel box; in model mode the undo
// buttons then show the current model's history.
bool loadMotion(Scene& scene, const std::filesystem::path& path, port::Ui& ui);

// importSequence with its messages shown.
bool importSequence(Scene& scene, const std::filesystem::path& sequencePath, port::Ui& ui);

// insertBlinks over a known range with its messages shown; the number of blinks added.
std::optional<int> insertBlinks(Scene& scene, BlinkRange range, port::Ui& ui);
// The same with the range asked for once the model is known to have the blink morph.
std::optional<int> insertBlinks(Scene& scene, const BlinkRangeQuestion& askRange, port::Ui& ui);

}  // namespace zv
