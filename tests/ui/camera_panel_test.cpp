#include "ui/camera_panel.h"

#include <gtest/gtest.h>

#include "support/panel_ui.h"
#include "ui/control_ids.h"
#include "ui/interpolation_preview.h"

namespace zv {
namespace {

// A camera key at `frame` after the head, returned for its values.
CameraKey& addCameraKey(Scene& scene, std::uint32_t frame) {
  const std::uint32_t fresh = *scene.cameraKeyPool.lowestFree();
  scene.cameraKeyPool.linkAfter(0, scene.cameraKeyPool.keyAtOrBefore(0, frame), fresh, frame);
  return scene.cameraKeyPool.at(fresh);
}

TEST(CameraPanel, ShowsTheViewAngleBetweenKeysAndThePerspectiveOfTheKeyReached) {
  Scene scene;
  auto ui = test::makePanelUi();
  DisplayDevice device;
  CameraKey& later = addCameraKey(scene, 10);
  later.viewAngle = 25;
  later.orthographic = true;

  scene.currentFrame = 5;  // halfway on the straight default curve: 45 to 25
  refreshCameraPanel(scene, *ui, device);
  EXPECT_EQ(scene.camera.fieldOfView, 35.0f);
  EXPECT_EQ(ui->control(kViewAngleBox).text, " 35");
  EXPECT_EQ(ui->control(kViewAngleBar).position, 35);
  EXPECT_TRUE(ui->control(kPerspectiveButton).checked);
  EXPECT_NE(device.state.projection, Mat4{});

  scene.currentFrame = 40;  // past the last key: that key holds
  refreshCameraPanel(scene, *ui, device);
  EXPECT_EQ(ui->control(kViewAngleBox).text, " 25");
  EXPECT_FALSE(ui->control(kPerspectiveButton).checked);
}

bool anyPixel(const port::Canvas& canvas, port::Colour colour, int x0, int y0, int x1, int y1) {
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (canvas.pixel(x, y) == colour) {
        return true;
      }
    }
  }
  return false;
}

TEST(InterpolationPreview, DrawsTheSelectedKeysCurvesAndTellsWhetherTheyAgree) {
  Scene scene;
  port::Canvas preview(128, 128);
  const port::Colour blue{0, 0, 255}, red{255, 0, 0};

  PreviewResult none = drawInterpolationPreview(scene, 3, preview);
  EXPECT_FALSE(none.anySelected);
  EXPECT_FALSE(none.curvesShared);
  EXPECT_FALSE(anyPixel(preview, blue, 0, 0, 128, 128));

  CameraKey& first = addCameraKey(scene, 10);
  CameraKey& second = addCameraKey(scene, 20);
  first.selected = second.selected = true;
  PreviewResult same = drawInterpolationPreview(scene, 3, preview);
  EXPECT_TRUE(same.anySelected);
  EXPECT_TRUE(same.curvesShared);
  EXPECT_TRUE(anyPixel(preview, blue, 62, 60, 66, 65)) << "the straight curve crosses the middle";
  EXPECT_TRUE(anyPixel(preview, red, 18, 105, 23, 110)) << "the first handle at (20, 127 - 20)";

  second.curves.setCurve(5, {127, 0, 127, 0});  // another channel: still one curve on channel 3
  EXPECT_TRUE(drawInterpolationPreview(scene, 3, preview).curvesShared);
  second.curves.setCurve(3, {127, 0, 127, 0});
  PreviewResult differing = drawInterpolationPreview(scene, 3, preview);
  EXPECT_FALSE(differing.curvesShared);
  EXPECT_TRUE(anyPixel(preview, red, 124, 124, 128, 128)) << "the differing key's handles are drawn too";

  scene.cameraMode = false;  // no model: nothing to show
  EXPECT_FALSE(drawInterpolationPreview(scene, 3, preview).anySelected);
  scene.cameraMode = true;
  EXPECT_FALSE(drawInterpolationPreview(scene, 6, preview).anySelected) << "six camera channels only";
}

}  // namespace
}  // namespace zv
