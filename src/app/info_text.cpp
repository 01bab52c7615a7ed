#include "app/info_text.h"

#include <cstdarg>
#include <cstdio>

#include "media/avi_export_timing.h"
#include "port/text.h"

namespace zv {

namespace {

constexpr port::Colour kRed{255, 0, 0};
constexpr port::Colour kBlue{0, 0, 255};
constexpr port::Colour kWhite{255, 255, 255};
constexpr port::Colour kBlack{0, 0, 0};

// Pacing at 30 per second usually measures 29: show the rate the pacing aims at.
constexpr std::int32_t kAlmostThirty = 29;

__attribute__((format(printf, 1, 2))) std::string formatted(const char* format, ...) {
  char buffer[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
  return buffer;
}

// Text positions and heights are whole pixels: every product with the scale truncates.
struct Scaler {
  float s;
  int operator()(int pixels) const { return static_cast<int>(static_cast<float>(pixels) * s); }
};

const Model* operatedModel(const Scene& scene) {
  return scene.currentModel < kMaxModels ? scene.modelSlots[scene.currentModel].get() : nullptr;
}

const Bone* selectedBone(const Model* model) {
  if (model == nullptr || model->selectedBone < 0 ||
      static_cast<std::size_t>(model->selectedBone) >= model->bones.size()) {
    return nullptr;
  }
  return &model->bones[static_cast<std::size_t>(model->selectedBone)];
}

std::string cameraLine(const Scene& scene) {
  const LiveCamera& camera = scene.camera;
  const Vec3 centre = camera.cameraCentre;
  const Vec3 angles = camera.cameraAngles;
  return formatted("中心 X:%4.3f Y:%4.3f Z:%4.3f 角度 X:%4.1f Y:%4.1f Z:%4.1f 距離 %1.0f",
                   static_cast<double>(centre.x), static_cast<double>(centre.y),
                   static_cast<double>(centre.z),
                   static_cast<double>(-angles.x * 180.0f / kSixDigitPi<float>),
                   static_cast<double>(angles.y * 180.0f / kSixDigitPi<float>),
                   static_cast<double>(angles.z * 180.0f / kSixDigitPi<float>),
                   static_cast<double>(-camera.cameraDistance));
}

std::string frameRateLine(std::int32_t fpsShown) {
  return fpsShown < 1 ? std::string("   1fps未満") : formatted("%5d fps", fpsShown);
}

// While recording, the frame is the one the picture being written shows, not the clock's.
std::string timeLine(const Scene& scene, const std::optional<RecordingPosition>& recording) {
  const float t = scene.currentTime;
  const int hours = static_cast<int>(t / 3600.0f);
  const int minutes = static_cast<int>(t / 60.0f) % 60;
  const int seconds = static_cast<int>(t) % 60;
  const int frame = recording ? static_cast<int>(recordedFramePosition(
                                    recording->startFrame, recording->picturesDrawn, recording->frameRate))
                              : static_cast<int>(t * kFramesPerSecond);
  if (scene.recording) {
    return formatted("%5d flame(%02d:%02d:%02d)", frame, hours, minutes, seconds);
  }
  return formatted("%d flame(%02d:%02d:%02d)", frame, hours, minutes, seconds);
}

void addModelTexts(std::vector<InfoText>& texts, const Scene& scene, Scaler s) {
  const Model* model = operatedModel(scene);
  texts.push_back({"Model:", s(10), s(10), s(25), kBlue, {}});
  if (model) {
    texts.push_back({port::cp932ToUtf8(model->name), s(85), s(10), s(25), kRed, {}});
  }
  texts.push_back({"Bone :", s(10), s(40), s(25), kBlue, {}});
  if (const Bone* bone = selectedBone(model)) {
    texts.push_back({port::cp932ToUtf8(bone->name), s(85), s(40), s(25), kRed, {}});
  }
}

// The selected bone's offset, shown for bones that move; while playing, the root's.
void addBonePosition(std::vector<InfoText>& texts, const Scene& scene, int height, Scaler s) {
  const Model* model = operatedModel(scene);
  const Bone* bone = selectedBone(model);
  if (bone == nullptr || (bone->type != kBoneTypeRotateMove && bone->type != kBoneTypeMove)) {
    return;
  }
  const Vec3 offset = scene.playing ? model->bones[0].keyTranslation : bone->keyTranslation;
  texts.push_back({formatted("X:%f Y:%f Z:%f", static_cast<double>(offset.x), static_cast<double>(offset.y),
                             static_cast<double>(offset.z)),
                   s(30), height - s(25), s(25), kWhite, kBlack});
}

}  // namespace

void updateFrameRateReading(Scene& scene) {
  if (!scene.showInfo) {
    return;
  }
  scene.fpsAccumulator += scene.frameElapsedSeconds;
  if (scene.fpsAccumulator > 1.0f) {
    const std::int32_t reading = scene.fpsFrameCount - 1;
    scene.fpsShown = reading == kAlmostThirty ? 30 : reading;
    scene.fpsAccumulator = 0.0f;
    scene.fpsFrameCount = 0;
  }
  scene.fpsFrameCount += 1;
}

std::vector<InfoText> informationTexts(const Scene& scene, int, int height, float overlayScale,
                                       std::optional<RecordingPosition> recording) {
  std::vector<InfoText> texts;
  const Scaler s{overlayScale};
  if (scene.playing && scene.recording) {
    texts.push_back({"録画中", s(10), s(10), s(25), kRed, {}});
    texts.push_back({"(Esc:中断)", s(94), s(18), s(20), kRed, {}});
    if (recording && !recording->progress.empty()) {
      texts.push_back({recording->progress, s(200), s(18), s(20), kRed, {}});
    }
  } else if (scene.playing) {
    texts.push_back({"再生中", s(10), s(10), s(25), kRed, {}});
  } else if (scene.cameraMode) {
    texts.push_back({"ｶﾒﾗ･照明･ｱｸｾｻﾘ", s(10), s(10), s(25), kRed, {}});
    texts.push_back({cameraLine(scene), s(30), height - s(28), s(25), kWhite, kBlack});
  } else {
    addModelTexts(texts, scene, s);
  }
  if (!scene.showInfo) {
    return texts;
  }
  texts.push_back({frameRateLine(scene.fpsShown), 0, height - s(60), s(25), kBlue, {}});
  if (scene.playing) {
    texts.push_back({timeLine(scene, recording), s(10), s(40), s(25), kBlack, kWhite});
  }
  if (!scene.cameraMode) {
    addBonePosition(texts, scene, height, s);
  }
  return texts;
}

}  // namespace zv
