#include "ui/curve_box.h"

#include "ui/control_ids.h"
#include "ui/interpolation_preview.h"

namespace zv {

int chosenCurveChannel(const port::Ui& ui) {
  return ui.control(kCurveList).selection;
}

void refreshCurveBox(const Scene& scene, Panels& panels, port::Ui& ui) {
  const PreviewResult preview =
      drawInterpolationPreview(scene, chosenCurveChannel(ui), panels.bitmaps.preview);
  panels.curvesShared = preview.curvesShared;
  panels.timeline.curveBox.handles = preview.lastHandles;
  // While playback holds the controls, stopping it gives back their states and redraws the box.
  if (panels.playbackLock.remembered.empty()) {
    ui.enableControl(kCurveCopyButton, preview.curvesShared);
    ui.enableControl(kCurveLinearButton, preview.anySelected);
  }
}

port::Point curveBoxToWindow(port::Point boxPoint, int clientHeight) {
  return {kCurveBoxLeft + boxPoint.x, clientHeight - kCurveBoxTopFromBottom + boxPoint.y};
}

}  // namespace zv
