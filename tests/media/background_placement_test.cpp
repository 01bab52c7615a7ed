// Placing, dragging and stretching background pictures.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "media/background_placement.h"
#include "media/background_stretch.h"
#include "support/video_test_pictures.h"

namespace zv {
namespace {

using port::Picture;

TEST(BackgroundPlacement, AFittedPictureFillsTheWidthAndIsCentredVertically) {
  const BackgroundPlacement fitted = fitToWidth(320, 240, 640, 360, 1.0f);
  EXPECT_EQ(fitted.zoom, 2.0f);
  EXPECT_EQ(fitted.offsetX, 0);
  EXPECT_EQ(fitted.offsetY, -60);  // trunc(180 - 480 x 0.5)
  const PlacedArea area = placedArea(fitted, 320, 240, 1.0f);
  EXPECT_EQ(area.left, 0);
  EXPECT_EQ(area.top, -60);
  EXPECT_EQ(area.right, 640);
  EXPECT_EQ(area.bottom, 420);

  // With the view squeezed vertically the picture's height follows the aspect correction.
  const BackgroundPlacement corrected = fitToWidth(320, 240, 640, 360, 0.5f);
  EXPECT_EQ(corrected.offsetY, 60);
  EXPECT_EQ(placedArea(corrected, 320, 240, 0.5f).bottom, 300);
}

TEST(BackgroundPlacement, ZoomDragsGrowAboutTheCentreAndNeverReachZero) {
  BackgroundPlacement placement{10, 20, 1.0f};
  dragBackgroundZoom(placement, 10, 210, 110);  // zoom - 0.1, offsets + trunc(0.05 x size)
  EXPECT_FLOAT_EQ(placement.zoom, 0.9f);
  EXPECT_EQ(placement.offsetX, 20);
  EXPECT_EQ(placement.offsetY, 25);
  dragBackgroundZoom(placement, -10, 210, 110);
  EXPECT_FLOAT_EQ(placement.zoom, 1.0f);
  EXPECT_EQ(placement.offsetX, 10);
  EXPECT_EQ(placement.offsetY, 20);

  for (int drag = 0; drag < 50; ++drag) {
    dragBackgroundZoom(placement, 7, 200, 100);
    EXPECT_GE(placement.zoom, kMinBackgroundZoom);
  }
  EXPECT_EQ(placement.zoom, kMinBackgroundZoom);

  placement.zoom = std::numeric_limits<float>::quiet_NaN();
  dragBackgroundZoom(placement, 1, 200, 100);
  EXPECT_EQ(placement.zoom, kMinBackgroundZoom);
}

TEST(BackgroundPlacement, PanDragsMoveFivePixelsPerMousePixelAndStayInRange) {
  BackgroundPlacement placement{0, 0, 1.0f};
  dragBackgroundPan(placement, 3, -2);
  EXPECT_EQ(placement.offsetX, 15);
  EXPECT_EQ(placement.offsetY, -10);
  placement.offsetX = std::numeric_limits<int>::max() - 2;
  dragBackgroundPan(placement, 1000, 0);
  EXPECT_GT(placement.offsetX, 0);
}

TEST(BackgroundPlacement, AnUnusableZoomCoversNothing) {
  for (float zoom : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    const PlacedArea area = placedArea({5, 5, zoom}, 100, 100, 1.0f);
    EXPECT_EQ(area.right, area.left);
    EXPECT_EQ(area.bottom, area.top);
  }
}

TEST(BackgroundStretch, OnePixelPerPixelCopiesExactlyAndCutsWhatLiesOutside) {
  const Picture source = test::noisePicture(16, 12, 1);
  Picture target = port::makePicture(16, 12, 0xffffffff);
  stretchPicture(target, {0, 0, 16, 12}, source);
  EXPECT_TRUE(target.pixels == source.pixels);

  target = port::makePicture(16, 12, 0xffffffff);
  stretchPicture(target, {-3, -2, 13, 10}, source);
  EXPECT_EQ(std::memcmp(target.row(0), source.row(2) + 3 * 4, 13 * 4), 0);
  EXPECT_EQ(std::memcmp(target.row(9), source.row(11) + 3 * 4, 13 * 4), 0);
  EXPECT_EQ(target.row(0)[13 * 4], 255);  // right of the picture: untouched white
  EXPECT_EQ(target.row(10)[0], 255);      // below it
}

TEST(BackgroundStretch, EnlargingBlendsNeighboursSmoothly) {
  Picture source = port::makePicture(2, 1, 0xff000000);
  source.row(0)[4] = 200;  // blue: 0, then 200
  Picture target = port::makePicture(8, 1, 0xffffffff);
  stretchPicture(target, {0, 0, 8, 1}, source);
  int previous = -1;
  for (int x = 0; x < 8; ++x) {
    const int blue = target.row(0)[x * 4];
    EXPECT_GE(blue, previous) << x;
    EXPECT_EQ(target.row(0)[x * 4 + 3], 255);
    previous = blue;
  }
  EXPECT_EQ(target.row(0)[0], 0);
  EXPECT_EQ(target.row(0)[7 * 4], 200);
  EXPECT_EQ(target.row(0)[3 * 4], 75);  // 3.5 / 4 - 0.5 = 0.375 of the way
}

TEST(BackgroundStretch, AreasFarOutsideOrHugeDrawOnlyWhatIsVisible) {
  const Picture source = test::noisePicture(4, 4, 2);
  Picture target = port::makePicture(8, 8, 0xffffffff);
  const Picture untouched = target;
  stretchPicture(target, {100, 100, 200, 200}, source);
  stretchPicture(target, {-50, -50, -10, -10}, source);
  stretchPicture(target, {3, 3, 3, 9}, source);
  EXPECT_TRUE(target.pixels == untouched.pixels);
  stretchPicture(target, {-(std::int64_t{1} << 24), 0, std::int64_t{1} << 24, 8}, source);
  EXPECT_NE(target.pixels, untouched.pixels);
}

}  // namespace
}  // namespace zv
