#include "app/view_layout.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(ViewLayout, NarrowFreeSpaceTakesItsFullWidthAndCentresVertically) {
  EXPECT_EQ(viewRectangle(1024, 768, 250, 512, 384), (port::Rect{259, 18, 1024, 590}));
}

TEST(ViewLayout, WideFreeSpaceTakesTheFullHeightAndCentresAcross) {
  EXPECT_EQ(viewRectangle(1280, 768, 250, 512, 384), (port::Rect{364, 0, 1174, 608}));
}

TEST(ViewLayout, HalvingTruncatesTowardZero) {
  // Free space 101 x 101 for a square output: centre 50 + 259, half width 50.
  EXPECT_EQ(viewRectangle(360, 261, 250, 100, 100), (port::Rect{259, 0, 359, 101}));
  // Free space 100 x 201 for a 3:1 output: half height (100 / 3) / 2 = 16 around 100.
  EXPECT_EQ(viewRectangle(359, 361, 250, 300, 100), (port::Rect{259, 84, 359, 116}));
}

TEST(ViewLayout, NoOutputSizeOrNoFreeSpaceGivesAnEmptyRectangle) {
  EXPECT_EQ(viewRectangle(1024, 768, 250, 0, 384), port::Rect{});
  EXPECT_EQ(viewRectangle(1024, 768, 250, 512, -1), port::Rect{});
  EXPECT_EQ(viewRectangle(1024, 160, 250, 512, 384), port::Rect{});
  EXPECT_EQ(viewRectangle(259, 768, 250, 512, 384), port::Rect{});
}

TEST(ViewLayout, LargeWindowsAndOutputsDoNotOverflow) {
  port::Rect view = viewRectangle(100000, 60160, 250, 40000, 30000);
  EXPECT_EQ(view.top, 0);
  EXPECT_EQ(view.bottom, 60000);
  EXPECT_EQ(view.width(), 80000);
}

TEST(ViewLayout, ProjectionUsesTheOutputAspectWithNearOneAndFarFifteenHundred) {
  // cot(22.5 degrees) = 1 + sqrt(2); 1500 / 1499 for the depth.
  Mat4 projection = layoutProjection(45.0f, 512, 384);
  EXPECT_NEAR(projection.m[1][1], 2.414214f, 2e-6f);
  EXPECT_NEAR(projection.m[0][0], 1.810660f, 2e-6f);
  EXPECT_NEAR(projection.m[2][2], 1.000667f, 1e-6f);
  EXPECT_NEAR(projection.m[3][2], -1.000667f, 1e-6f);
  EXPECT_EQ(projection.m[2][3], 1.0f);
  EXPECT_EQ(projection.m[3][3], 0.0f);
}

TEST(ViewLayout, DegenerateProjectionsStayTheIdentity) {
  EXPECT_EQ(layoutProjection(45.0f, 0, 384), Mat4{});
  EXPECT_EQ(layoutProjection(0.0f, 512, 384), Mat4{});
}

TEST(ViewLayout, StretchIsViewOverBackBufferTimesOverlayScale) {
  ViewStretch stretch = viewStretch({259, 18, 1024, 590}, 1024, 768, 0.5f);
  // A view 765 x 572 over a 1024 x 768 back buffer, halved.
  EXPECT_NEAR(stretch.xRatio, 0.3735352f, 1e-7f);
  EXPECT_NEAR(stretch.yRatio, 0.3723958f, 1e-7f);
  ViewStretch none = viewStretch({0, 0, 100, 100}, 0, 768, 1.0f);
  EXPECT_EQ(none.xRatio, 1.0f);
  EXPECT_EQ(none.yRatio, 1.0f);
}

}  // namespace
}  // namespace zv
