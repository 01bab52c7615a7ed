// The information text over the 3D view: the mode banner, the camera or model and bone in use,
// the frame rate, the playback time and the selected bone's position.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "port/canvas/canvas.h"
#include "scene/document/scene.h"

namespace zv {

// Counts this turn toward the frame-rate reading; once more than a second has been summed the
// reading becomes the steps counted. Does nothing while the information is hidden.
void updateFrameRateReading(Scene& scene);

// One line of text in back-buffer pixels. A shadowed line is drawn first at (x, y) in `colour`,
// then again 2 pixels up and 2 pixels left, at (x - 2, y - 2), in `shadow`.
struct InfoText {
  std::string utf8;
  int x = 0;
  int y = 0;
  int height = 0;  // the font's cell height in pixels
  port::Colour colour;
  std::optional<port::Colour> shadow;
};

// Where a running recording stands: the frame the picture being written shows.
struct RecordingPosition {
  std::uint32_t startFrame = 0;
  std::int32_t picturesDrawn = 0;      // taken from the drawing so far, written or not yet
  float frameRate = kFramesPerSecond;  // output pictures per second
  std::string progress;                // pictures written of the total and the time left
};

// Every information text of the frame in drawing order, for a back buffer of width x height and
// the overlay scale; `recording` while a recording runs.
std::vector<InfoText> informationTexts(const Scene& scene, int width, int height, float overlayScale,
                                       std::optional<RecordingPosition> recording);

}  // namespace zv
