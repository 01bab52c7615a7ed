// The modeless ground-shadow colour dialog: a track bar of hundredths and an edit showing the same
// brightness.
#include <algorithm>

#include "app/dialog_forms.h"
#include "app/small_dialogs.h"

namespace zv {
namespace {

constexpr int kSliderSteps = 100;  // track-bar positions per unit of brightness
constexpr std::size_t kEditChars = 7;

std::string brightnessText(float brightness) {
  return printedNumber("%3.2f", static_cast<double>(brightness));
}

// Truncated, and within the bar: a typed value may lie outside it or be no number at all.
int sliderPosition(float brightness) {
  const float scaled = brightness * static_cast<float>(kSliderSteps);
  if (!(scaled > 0.0f)) {
    return 0;
  }
  return static_cast<int>(std::min(scaled, static_cast<float>(2 * kSliderSteps)));
}

}  // namespace

void applyShadowBrightness(Scene& scene, FrameSystems& systems, float brightness) {
  scene.shadowBrightness = brightness;
  systems.resources.shadowMaterial.ambient = {brightness, brightness, brightness, brightness};
  systems.ui->repaint();
}

void openShadowDialog(Scene& scene, FrameSystems& systems) {
  if (systems.shadowDialogOpen) {
    return;
  }
  systems.shadowDialogOpen = true;
  port::SliderDialogRequest request;
  request.caption = "地面影色設定";
  request.label = "明るさ";
  request.scaleLabel = "0                     1                    2";
  request.maximum = 2 * kSliderSteps;
  request.tickInterval = kSliderSteps;
  request.position = sliderPosition(scene.shadowBrightness);
  request.text = brightnessText(scene.shadowBrightness);
  request.moved = [&scene, &systems](int position) {
    applyShadowBrightness(scene, systems, static_cast<float>(position) / kSliderSteps);
    return brightnessText(scene.shadowBrightness);
  };
  // A typed value outside the track bar's range is used as typed; the bar shows it clamped.
  request.entered = [&scene, &systems](std::string_view text) {
    applyShadowBrightness(scene, systems, dialogFloat(text.substr(0, kEditChars)));
    return sliderPosition(scene.shadowBrightness);
  };
  request.closed = [&systems] { systems.shadowDialogOpen = false; };
  systems.ui->openSliderDialog(std::move(request));
}

}  // namespace zv
