#include "media/background_state.h"

namespace zv {

void resizeBackgrounds(Backgrounds& backgrounds, int width, int height, float aspectCorrection) {
  backgrounds.width = width;
  backgrounds.height = height;
  backgrounds.aspectCorrection = aspectCorrection;
  backgrounds.videoSurface = port::makePicture(width, height, 0xffffffff);
  backgrounds.imageSurface = port::makePicture(width, height, 0xffffffff);
}

bool videoLoaded(const Backgrounds& backgrounds) {
  return backgrounds.video.reader != nullptr;
}

bool imageLoaded(const Backgrounds& backgrounds) {
  return backgrounds.image.bitmap.width > 0;
}

}  // namespace zv
