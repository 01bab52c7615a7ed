// Mouth keys from a singing-synthesizer sequence file: every sung note opens and closes the mouth
// morph of its vowel on the current model.
#pragma once

#include <filesystem>

#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

// Reads the sequence file, writes its note list beside it (same name, extension .txt), and
// registers the keys of the mouth morphs "あ", "い", "う" and "お" of the current model, each
// note's keys selected and every other key of the model deselected. A failure changes no key; the
// result carries its message. Done when the keys were registered (keys a full pool refused add its
// message each): currentFrame then stands at the end of the last note, the model is sampled there,
// and the caller shows the frame and redraws the timeline. A song without notes is done once its
// empty note list is written, with no key, selection or frame changed.
Outcome importSequence(Scene& scene, const std::filesystem::path& sequencePath);

}  // namespace zv
