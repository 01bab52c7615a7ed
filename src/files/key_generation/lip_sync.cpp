#include "files/key_generation/lip_sync.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "anim/sampling.h"
#include "files/common/atomic_write.h"
#include "files/sequence/sequence_messages.h"
#include "files/sequence/sequence_reading.h"
#include "port/file_bytes.h"
#include "port/text.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"

namespace zv {
namespace {

// Frames before a note's start where its mouth starts opening, and before its end where it
// starts closing.
constexpr std::int64_t kLeadFrames = 2;

enum MouthMorph { kMouthA, kMouthI, kMouthU, kMouthO, kMouthMorphCount };
using MouthMorphIndices = std::array<std::uint32_t, kMouthMorphCount>;

struct MouthShape {
  MouthMorph morph;
  float openWeight;
};

std::string withNumber(std::string_view format, int number) {
  std::string text(format);
  const std::size_t at = text.find("%d");
  return text.replace(at, 2, std::to_string(number));
}

bool writeTextFile(std::vector<Message>& messages, const std::filesystem::path& path, std::string_view text) {
  if (writeFileAtomically(path, withCrLf(text))) {
    return true;
  }
  messages.push_back({std::string(kNoteListUnwritableMessage), path.string()});
  return false;
}

std::optional<MouthMorphIndices> findMouthMorphs(std::vector<Message>& messages, const Model& model) {
  MouthMorphIndices indices{};
  for (int mouth = 0; mouth < kMouthMorphCount; ++mouth) {
    const std::string name = port::utf8ToCp932(kMouthMorphNames[mouth]);
    std::size_t morph = 0;
    while (morph < model.morphs.size() && model.morphs[morph].name != name) {
      ++morph;
    }
    if (morph == model.morphs.size()) {
      messages.push_back({std::string(kMissingMouthMorphMessages[mouth]), std::string(kSequenceCaption)});
      return std::nullopt;
    }
    indices[mouth] = static_cast<std::uint32_t>(morph);
  }
  return indices;
}

// Seconds to a frame number, truncated toward zero and held inside the 32-bit range.
std::int64_t secondsToFrame(float seconds) {
  const float frame = seconds * kFramesPerSecond;
  if (!(frame > static_cast<float>(std::numeric_limits<std::int32_t>::min()))) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (frame >= static_cast<float>(std::numeric_limits<std::int32_t>::max())) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(frame);
}

// The morphs a vowel opens and how far; nothing for a vowel that moves no mouth morph.
std::vector<MouthShape> shapeOf(char vowel) {
  switch (vowel) {
    case 'a':
      return {{kMouthA, 0.7f}};
    case 'i':
      return {{kMouthI, 1.0f}};
    case 'u':
      return {{kMouthU, 1.0f}};
    case 'e':
      return {{kMouthA, 0.5f}, {kMouthI, 0.3f}};
    case 'o':
      return {{kMouthO, 1.0f}};
    default:
      return {};
  }
}

void registerNoteKeys(Scene& scene, Model& model, const MouthMorphIndices& mouth, const SungNote& note,
                      std::vector<Message>& messages) {
  char vowel = note.syllable.vowel;
  if (vowel == 'h') {
    vowel = note.syllable.consonant.empty() ? '\0' : note.syllable.consonant.front();
  }
  const std::vector<MouthShape> shape = shapeOf(vowel);
  const std::int64_t start = secondsToFrame(note.startSeconds);
  const std::int64_t end = secondsToFrame(note.endSeconds);
  struct Step {
    std::int64_t frame;
    bool open;
  };
  const Step steps[] = {{start - kLeadFrames, false}, {start, true}, {end - kLeadFrames, true}, {end, false}};
  for (const Step& step : steps) {
    // A note in the first two frames of the song has no room for its lead-in key.
    if (step.frame < 0) {
      continue;
    }
    for (const MouthShape& part : shape) {
      const std::uint32_t morph = mouth[part.morph];
      model.morphs[morph].weight = step.open ? part.openWeight : 0.0f;
      noteRefusal(registerMorphKey(scene, model, morph, static_cast<std::uint32_t>(step.frame)), messages);
    }
  }
}

}  // namespace

Outcome importSequence(Scene& scene, const std::filesystem::path& sequencePath) {
  Model* model = currentModel(scene);
  if (!model) {
    return {};
  }
  Outcome outcome;
  int error = 0;
  const std::optional<std::string> bytes = port::readWholeFile(sequencePath, error);
  if (!bytes) {
    outcome.messages.push_back({withNumber(kSequenceUnreadableMessage, error), sequencePath.string()});
    return outcome;
  }
  std::filesystem::path noteListPath = sequencePath;
  noteListPath.replace_extension(".txt");
  if (noteListPath == sequencePath) {
    outcome.messages.push_back({std::string(kNoteListSameAsSequenceMessage), std::string(kSequenceCaption)});
    return outcome;
  }

  const SequenceReading reading = readSequence(*bytes);
  if (reading.failure != SequenceDumpFailure::None) {
    // What was read so far stays beside the file, to show where the reading stopped.
    writeTextFile(outcome.messages, noteListPath, reading.dumpText);
    const bool systemExclusive = reading.failure == SequenceDumpFailure::SystemExclusive;
    outcome.messages.push_back(
        {std::string(systemExclusive ? kSequenceSysExMessage : kSequenceMalformedMessage),
         std::string(kSequenceCaption)});
    return outcome;
  }
  if (!writeTextFile(outcome.messages, noteListPath, formatNoteList(reading.notes))) {
    return outcome;
  }
  if (reading.notes.empty()) {
    // A song without notes is not damaged: its empty note list is the whole import.
    outcome.done = true;
    return outcome;
  }

  const std::optional<MouthMorphIndices> mouth = findMouthMorphs(outcome.messages, *model);
  if (!mouth) {
    return outcome;
  }
  clearKeySelection(model->boneKeyPool);
  clearKeySelection(model->morphKeyPool);
  clearKeySelection(model->displayIkKeyPool);
  for (const SungNote& note : reading.notes) {
    registerNoteKeys(scene, *model, *mouth, note, outcome.messages);
  }
  scene.currentFrame =
      static_cast<std::uint32_t>(std::max<std::int64_t>(0, secondsToFrame(reading.notes.back().endSeconds)));
  scene.lastFrame = std::max(scene.lastFrame, model->lastFrame);
  sampleModelAtFrame(*model, scene.currentFrame);
  outcome.done = true;
  return outcome;
}

}  // namespace zv
