#include "files/key_generation/blink.h"

#include <algorithm>
#include <string>
#include <utility>

#include "files/sequence/sequence_messages.h"
#include "port/text.h"
#include "scene/keys/key_registration.h"

namespace zv {
namespace {

constexpr int kMaxStep = 230;
constexpr int kDrawRange = 32767;
constexpr int kQuickBlinkBelow = 90;  // a draw giving a step below this may fire the quick blink
constexpr int kRedrawUpTo = 50;       // ordinary steps this short are drawn again
constexpr std::uint32_t kQuickBlinkStep = 7;
constexpr std::int8_t kOrdinaryStepsAfterQuickBlink = 3;

struct BlinkKey {
  std::uint32_t offset;  // frames after the blink's start
  float weight;          // 1 is shut
};
constexpr BlinkKey kBlinkKeys[] = {{0, 0.0f}, {2, 1.0f}, {3, 1.0f}, {6, 0.0f}};

std::optional<std::uint32_t> findBlinkMorph(const Model& model) {
  static const std::string name = port::utf8ToCp932(kBlinkMorphName);
  for (std::size_t morph = 0; morph < model.morphs.size(); ++morph) {
    if (model.morphs[morph].name == name) {
      return static_cast<std::uint32_t>(morph);
    }
  }
  return std::nullopt;
}

// Frames from one blink to the next: an ordinary step of 51..230, or the quick second blink when
// the burst counter has run down.
std::uint32_t nextStep(std::int8_t& burstCounter, BlinkRandom& random) {
  for (;;) {
    const int step = nextBlinkDraw(random) * kMaxStep / kDrawRange;
    if (step < kQuickBlinkBelow && burstCounter <= 0) {
      burstCounter = kOrdinaryStepsAfterQuickBlink;
      return kQuickBlinkStep;
    }
    if (step > kRedrawUpTo) {
      --burstCounter;
      return static_cast<std::uint32_t>(step);
    }
  }
}

bool registerBlink(Scene& scene, Model& model, std::uint32_t morph, std::uint32_t frame,
                   std::vector<Message>& messages) {
  for (const BlinkKey& key : kBlinkKeys) {
    model.morphs[morph].weight = key.weight;
    if (!noteRefusal(registerMorphKey(scene, model, morph, frame + key.offset), messages)) {
      return false;
    }
  }
  return true;
}

int walkBlinks(Scene& scene, Model& model, std::uint32_t morph, BlinkRange range, BlinkRandom& random,
               std::vector<Message>& messages) {
  const auto end = static_cast<std::uint32_t>(range.end);
  std::uint32_t frame = static_cast<std::uint32_t>(range.start);
  int count = 0;
  while (frame < end) {
    frame += nextStep(scene.blinkBurstCounter, random);
    if (!registerBlink(scene, model, morph, frame, messages)) {
      break;
    }
    ++count;
  }
  return count;
}

}  // namespace

BlinkInsertion insertBlinks(Scene& scene, const BlinkRangeQuestion& askRange, BlinkRandom& random) {
  Model* model = currentModel(scene);
  if (scene.cameraMode || !model) {
    return {};
  }
  const std::optional<std::uint32_t> morph = findBlinkMorph(*model);
  if (!morph) {
    return {std::nullopt, {{std::string(kMissingBlinkMorphMessage), std::string(kSequenceCaption)}}};
  }
  const std::optional<BlinkRange> range = askRange();
  if (!range) {
    return {};
  }
  if (range->start < 0 || range->end < 0) {
    return {std::nullopt, {{std::string(kNegativeBlinkFrameMessage), std::string(kBlinksAddedCaption)}}};
  }
  BlinkInsertion insertion;
  const int count = walkBlinks(scene, *model, *morph, *range, random, insertion.messages);
  scene.lastFrame = std::max(scene.lastFrame, model->lastFrame);
  std::string message(kBlinksAddedMessage);
  message.replace(message.find("%d"), 2, std::to_string(count));
  insertion.messages.push_back({std::move(message), std::string(kBlinksAddedCaption)});
  scene.modified = true;
  insertion.count = count;
  return insertion;
}

BlinkInsertion insertBlinks(Scene& scene, BlinkRange range, BlinkRandom& random) {
  return insertBlinks(
      scene, [range] { return std::optional<BlinkRange>(range); }, random);
}

}  // namespace zv
