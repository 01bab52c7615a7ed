// The 3D view's mouse and keyboard through the window and the frame step: keys and buttons go in
// through the headless window host, every step polls them, and the scene shows what they did.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "app/frame_step.h"
#include "app/model_commands.h"
#include "app/recording_commands.h"
#include "app/startup.h"
#include "app/view_geometry.h"
#include "app/window_program.h"
#include "port/gl/headless_gl_context.h"
#include "port/headless_window_host.h"
#include "port/video/video_file_info.h"
#include "render/picture_copy.h"
#include "temp_folder.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

using port::MouseButton;

class ViewportInput : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    context_ = port::HeadlessGlContext::create(error);
    if (!context_) {
      GTEST_SKIP() << "no headless GL context: " << error;
    }
    ASSERT_EQ(startUp(scene_, host_, "", windowContents(scene_, systems_, host_)), StartOutcome::Running);
  }
  void TearDown() override {
    if (context_) {
      releaseFrameSystems(systems_, scene_);
    }
  }

  void step(float seconds = 1.0f / 60) {
    scene_.frameElapsedSeconds = seconds;
    frameStep(scene_, systems_);
  }
  void tap(int code) {
    host_.pressKey(code);
    step();
    host_.releaseKey(code);
    step();
  }
  void loadDemo() {
    ASSERT_TRUE(addModel(scene_, systems_, "UserFile/Model/tessera.tsm"));
    ASSERT_FALSE(scene_.cameraMode);
    step();
  }
  Model& model() { return *currentModel(scene_); }
  port::HeadlessUi& ui() { return host_.headlessUi; }
  // A left-button drag through the given client points, one step per point.
  void drag(std::initializer_list<port::Point> points) {
    const port::Point first = *points.begin();
    host_.moveMouse(first.x, first.y);
    host_.pressMouse(MouseButton::Left, first.x, first.y);
    step();
    for (auto point = points.begin() + 1; point != points.end(); ++point) {
      host_.moveMouse(point->x, point->y);
      step();
    }
    host_.releaseMouse(MouseButton::Left, scene_.mouseX, scene_.mouseY);
    step();
  }

  std::unique_ptr<port::HeadlessGlContext> context_;
  port::HeadlessWindowHost host_;
  Scene scene_;
  FrameSystems systems_;
};

TEST_F(ViewportInput, HoldingRightStepsAFrameAtOnceThenEveryStepAfterTheDelay) {
  loadDemo();
  host_.pressKey(port::kKeyRight);
  std::vector<std::uint32_t> frames;
  for (int i = 0; i < 6; ++i) {
    step(0.125f);
    frames.push_back(scene_.currentFrame);
  }
  EXPECT_EQ(frames, (std::vector<std::uint32_t>{1, 1, 1, 1, 2, 3}));
  host_.releaseKey(port::kKeyRight);
  step(0.125f);
  host_.pressKey(port::kKeyLeft);
  step(0.125f);
  EXPECT_EQ(scene_.currentFrame, 2u);
  EXPECT_EQ(ui().control(kCurrentFrameBox).text, "2");
}

TEST_F(ViewportInput, ToolKeysSwitchModesAndLeaveTextBoxesAlone) {
  loadDemo();
  const bool selecting = ui().control(kSelectModeButton).checked;
  for (const bool checked : {!selecting, selecting}) {
    tap(port::letterKey('C'));
    EXPECT_EQ(scene_.editMode, checked ? EditMode::Select : EditMode::None);
    EXPECT_EQ(ui().control(kSelectModeButton).checked, checked);
  }
  tap(port::letterKey('X'));
  EXPECT_EQ(scene_.editMode, EditMode::Rotate);
  EXPECT_TRUE(ui().control(kRotateButton).checked);
  tap(port::letterKey('Z'));
  EXPECT_EQ(scene_.editMode, EditMode::Move);
  EXPECT_TRUE(ui().control(kMoveButton).checked);
  EXPECT_FALSE(ui().control(kRotateButton).checked);

  ui().focusedControl = kCurrentFrameBox;
  tap(port::letterKey('X'));
  tap(port::kKeyRight);
  EXPECT_EQ(scene_.editMode, EditMode::Move) << "an x typed into the frame box";
  EXPECT_EQ(scene_.currentFrame, 0u);
}

TEST_F(ViewportInput, AStripDragTurnsTheBoneAndCtrlZAndCtrlXUndoAndRedoIt) {
  loadDemo();
  const ViewGeometry g = viewGeometry(systems_);
  const int x = g.view.right - static_cast<int>(127 * g.xRatio) + 17;
  const int y = g.view.bottom - static_cast<int>(80 * g.yRatio) + 15;
  ASSERT_EQ(model().selectedBone, 0);
  drag({{x, y}, {x, y - 20}});
  const Quat turned = model().bones[0].keyRotation;
  EXPECT_NEAR(turned.x, std::sin(0.1f), 1e-5f) << "20 pixels up turn the bone about its X";
  EXPECT_NEAR(turned.w, std::cos(0.1f), 1e-5f);
  EXPECT_EQ(model().boneMoved[0], 1);
  EXPECT_TRUE(ui().control(kUndoButton).enabled);
  const std::size_t recorded = model().undoHistory.undoRing[model().undoHistory.position].poses.size();
  EXPECT_EQ(recorded, 1u) << "the undo step keeps the selected bone only";

  host_.pressKey(port::kKeyControl);
  tap(port::letterKey('Z'));
  EXPECT_EQ(model().bones[0].keyRotation, Quat{});
  EXPECT_EQ(model().boneMoved[0], 0);
  EXPECT_NE(scene_.editMode, EditMode::Move) << "Ctrl+Z undoes instead of choosing the move tool";
  tap(port::letterKey('X'));
  EXPECT_EQ(model().bones[0].keyRotation, turned);
  EXPECT_NE(scene_.editMode, EditMode::Rotate);
  host_.releaseKey(port::kKeyControl);
}

TEST_F(ViewportInput, ARingDragOfOneFullTurnTurnsTheBoneOneFullTurn) {
  loadDemo();
  tap(port::letterKey('X'));
  const ViewGeometry g = viewGeometry(systems_);
  const int cx = clientX(g, scene_.gizmoScreenX);
  const int cy = clientY(g, scene_.gizmoScreenY);
  const auto onRing = [&](int degrees) {
    const float angle = static_cast<float>(degrees) * std::numbers::pi_v<float> / 180;
    return port::Point{cx + static_cast<int>(std::lround(40 * std::sin(angle))),
                       cy + static_cast<int>(std::lround(40 * std::cos(angle)))};
  };
  host_.moveMouse(onRing(0).x, onRing(0).y);
  step();
  EXPECT_EQ(scene_.hoverZone, HoverZone::RotateGizmoRing);
  host_.pressMouse(MouseButton::Left, onRing(0).x, onRing(0).y);
  step();
  EXPECT_EQ(scene_.editMode, EditMode::GizmoDrag);
  for (int degrees = 10; degrees <= 360; degrees += 10) {
    host_.moveMouse(onRing(degrees).x, onRing(degrees).y);
    step();
    if (degrees == 180) {
      EXPECT_NEAR(model().bones[0].keyRotation.w, 0.0f, 1e-3f) << "half way: a half turn";
    }
  }
  host_.releaseMouse(MouseButton::Left, onRing(0).x, onRing(0).y);
  step();
  const Quat full = model().bones[0].keyRotation;
  EXPECT_NEAR(full.w, -1.0f, 1e-3f);
  EXPECT_NEAR(std::hypot(full.x, full.y, full.z), 0.0f, 1e-3f);
  EXPECT_EQ(scene_.editMode, EditMode::Rotate);
}

TEST_F(ViewportInput, TheRotateGizmosArmsTurnAboutTheScreensAxes) {
  loadDemo();
  ASSERT_EQ(scene_.camera.cameraAngles, Vec3{});
  tap(port::letterKey('X'));
  const ViewGeometry g = viewGeometry(systems_);
  const int x = clientX(g, scene_.gizmoScreenX, 20);
  const int y = clientY(g, scene_.gizmoScreenY);
  drag({{x, y}, {x + 10, y}});
  const Quat aboutUp = model().bones[0].keyRotation;
  EXPECT_NEAR(aboutUp.y, std::sin(-0.05f), 1e-5f) << "a drag to the right turns about the screen's up axis";
  EXPECT_NEAR(aboutUp.w, std::cos(-0.05f), 1e-5f);
  EXPECT_EQ(scene_.editMode, EditMode::Rotate);

  model().bones[0].keyRotation = Quat{};
  step();
  const int armX = clientX(g, scene_.gizmoScreenX);
  const int armY = clientY(g, scene_.gizmoScreenY, -20);
  drag({{armX, armY}, {armX, armY - 10}});
  const Quat aboutSide = model().bones[0].keyRotation;
  EXPECT_NEAR(aboutSide.x, std::sin(0.05f), 1e-5f) << "a drag up turns about the screen's sideways axis";
  EXPECT_NEAR(aboutSide.y, 0.0f, 1e-6f);
}

TEST_F(ViewportInput, TheMoveGizmosRightArmMovesTheBoneAcrossTheScreen) {
  loadDemo();
  ASSERT_TRUE(model().bones[0].type == kBoneTypeRotateMove || model().bones[0].type == kBoneTypeMove);
  tap(port::letterKey('Z'));
  const ViewGeometry g = viewGeometry(systems_);
  const int x = clientX(g, scene_.gizmoScreenX, 51);
  const int y = clientY(g, scene_.gizmoScreenY);
  host_.moveMouse(x, y);
  step();
  EXPECT_EQ(scene_.hoverZone, HoverZone::MoveGizmoRightArm);
  const float depth = scene_.gizmoScreenScale;
  drag({{x, y}, {x + 10, y}});
  const float aspect = static_cast<float>(scene_.outputWidth) / static_cast<float>(scene_.outputHeight);
  const float expected =
      10 / g.xRatio * g.overlayScale * depth / static_cast<float>(g.backBufferWidth) * aspect * 0.825f;
  const Vec3 moved = model().bones[0].keyTranslation;
  EXPECT_NEAR(moved.x, expected, 1e-5f);
  EXPECT_NEAR(moved.y, 0.0f, 1e-6f);
  EXPECT_NEAR(moved.z, 0.0f, 1e-6f);
  EXPECT_EQ(scene_.editMode, EditMode::Move) << "back to the move tool after the drag";
}

TEST_F(ViewportInput, CameraStripsTurnAndMoveTheCameraByTheVerticalDrag) {
  ASSERT_TRUE(scene_.cameraMode);
  const ViewGeometry g = viewGeometry(systems_);
  const int x = g.view.right - static_cast<int>(127 * g.xRatio) + static_cast<int>(17 * g.xRatio);
  const int rotateY = g.view.bottom - static_cast<int>(80 * g.yRatio) + static_cast<int>(15 * g.yRatio);
  const int moveY = g.view.bottom - static_cast<int>(40 * g.yRatio) + static_cast<int>(15 * g.yRatio);
  drag({{x, rotateY}, {x, rotateY - 10}});
  EXPECT_FLOAT_EQ(scene_.camera.cameraAngles.x, -0.2f);
  const float centreX = scene_.camera.cameraCentre.x;
  drag({{x, moveY}, {x, moveY + 20}});
  EXPECT_FLOAT_EQ(scene_.camera.cameraCentre.x, centreX + 1.0f);
}

TEST_F(ViewportInput, ThePanIconHidesAndHoldsTheCursorUntilRelease) {
  loadDemo();
  const ViewGeometry g = viewGeometry(systems_);
  const int panLeft = g.view.right - static_cast<int>(60 * g.xRatio) + static_cast<int>(24 * g.xRatio) +
                      static_cast<int>(6 * g.xRatio);
  const int x = panLeft + 10;
  const int y = g.view.top + static_cast<int>(10 * g.yRatio) + 12;
  host_.moveMouse(x, y);
  host_.pressMouse(MouseButton::Left, x, y);
  step();
  EXPECT_EQ(scene_.capturedWidget, CapturedWidget::PanIcon);
  EXPECT_EQ(ui().cursorHides, 1);
  const int centreX = (g.view.left + g.view.right) / 2;
  const int centreY = (g.view.top + g.view.bottom) / 2;
  EXPECT_EQ(ui().cursorX, centreX);
  EXPECT_EQ(ui().cursorY, centreY);
  host_.moveMouse(centreX + 10, centreY);
  step();
  EXPECT_FLOAT_EQ(scene_.viewOffsetX, -0.5f);
  host_.releaseMouse(MouseButton::Left, centreX + 10, centreY);
  step();
  EXPECT_EQ(ui().cursorHides, 0);
  EXPECT_EQ(ui().cursorX, g.view.right - 22);
  EXPECT_EQ(ui().cursorY, g.view.top + 23);
  EXPECT_EQ(scene_.capturedWidget, CapturedWidget::None);
}

TEST_F(ViewportInput, TheZoomIconZoomsByTheVerticalDragAndKeepsThePointerInTheView) {
  const ViewGeometry g = viewGeometry(systems_);
  const int x = g.view.right - static_cast<int>(60 * g.xRatio) + static_cast<int>(12 * g.xRatio);
  const int y = g.view.top + static_cast<int>(10 * g.yRatio) + 12;
  host_.moveMouse(x, y);
  host_.pressMouse(MouseButton::Left, x, y);
  step();
  EXPECT_EQ(scene_.capturedWidget, CapturedWidget::ZoomIcon);
  EXPECT_EQ(ui().cursorHides, 1);
  const int centreY = viewCentreY(g);
  host_.moveMouse(viewCentreX(g), centreY + 10);
  step();
  EXPECT_FLOAT_EQ(scene_.camera.cameraDistance, -36.0f);
  host_.moveMouse(viewCentreX(g), g.view.bottom + 50);
  step();
  EXPECT_EQ(scene_.mouseY, centreY) << "the pointer comes back to the view's middle";
  EXPECT_EQ(ui().cursorY, centreY);
  EXPECT_FLOAT_EQ(scene_.camera.cameraDistance, -36.0f) << "the jump back is no zoom";
  host_.releaseMouse(MouseButton::Left, viewCentreX(g), centreY);
  step();
  EXPECT_EQ(ui().cursorHides, 0);
  EXPECT_EQ(ui().cursorX, g.view.right - 52);
  EXPECT_EQ(ui().cursorY, g.view.top + 23);
}

TEST_F(ViewportInput, KeypadPresetsActInModelModeOnlyAndKeepTheRoll) {
  scene_.camera.cameraDistance = -50;
  scene_.viewOffsetY = 3;
  tap(port::kKeyPad0 + 2);
  EXPECT_EQ(scene_.camera.cameraDistance, -50.0f);
  EXPECT_EQ(scene_.viewOffsetY, 3.0f);
  loadDemo();
  scene_.camera.cameraAngles = {0.3f, 0.4f, 0.5f};
  tap(port::kKeyDigit0 + 4);
  EXPECT_EQ(scene_.camera.cameraAngles.y, 0.4f) << "the main row's 4 is no preset";
  tap(port::kKeyPad0 + 4);
  EXPECT_EQ(scene_.viewOffsetY, 10.0f);
  EXPECT_EQ(scene_.camera.cameraDistance, -35.0f);
  EXPECT_EQ(scene_.camera.cameraAngles.x, 0.0f);
  EXPECT_EQ(scene_.camera.cameraAngles.y, 1.5708f);
  EXPECT_EQ(scene_.camera.cameraAngles.z, 0.5f);
}

TEST_F(ViewportInput, TabWalksTheModelListAndVTurnsEveryModelTranslucent) {
  loadDemo();
  tap(port::letterKey('V'));
  EXPECT_TRUE(scene_.translucent);
  EXPECT_TRUE(model().semiTransparent);
  EXPECT_TRUE(ui().control(kMenuTranslucent).checked);
  tap(port::kKeyTab);
  EXPECT_EQ(ui().control(kModelList).selection, 0) << "wraps after the last model";
  EXPECT_TRUE(scene_.cameraMode);
  tap(port::kKeyTab);
  EXPECT_FALSE(scene_.cameraMode);
}

TEST_F(ViewportInput, RightAndMiddleDragsTurnZoomAndPanTheView) {
  loadDemo();
  const ViewGeometry g = viewGeometry(systems_);
  const int x = viewCentreX(g);
  const int y = viewCentreY(g);
  host_.moveMouse(x, y);
  host_.pressMouse(MouseButton::Right, x, y);
  step();
  host_.moveMouse(x + 10, y + 20);
  step();
  EXPECT_FLOAT_EQ(scene_.camera.cameraAngles.y, -0.1f);
  EXPECT_FLOAT_EQ(scene_.camera.cameraAngles.x, -0.2f);
  host_.pressKey(port::kKeyControl);
  host_.moveMouse(x + 10, y + 30);
  step();
  EXPECT_FLOAT_EQ(scene_.camera.cameraDistance, -36.0f);
  host_.releaseKey(port::kKeyControl);
  host_.releaseMouse(MouseButton::Right, x + 10, y + 30);
  step();

  host_.moveMouse(x - 40, y - 40);
  host_.pressMouse(MouseButton::Middle, x - 40, y - 40);
  step();
  EXPECT_EQ(scene_.mouseX, x) << "a middle press puts the pointer at the view centre";
  EXPECT_EQ(ui().cursorY, y);
  host_.moveMouse(x + 20, y);
  step();
  EXPECT_FLOAT_EQ(scene_.viewOffsetX, -1.0f);
  host_.releaseMouse(MouseButton::Middle, x + 20, y);
  step();
}

TEST_F(ViewportInput, AClickOnAMarkerInTheWindowSelectsThatBone) {
  loadDemo();
  if (!ui().control(kSelectModeButton).checked) {
    ui().click(kSelectModeButton);
  }
  ASSERT_EQ(scene_.editMode, EditMode::Select);
  step();
  const std::vector<Bone>& bones = model().bones;
  const auto alone = [&](std::size_t i) {
    for (std::size_t j = 0; j < bones.size(); ++j) {
      const float dx = bones[j].screenX - bones[i].screenX;
      const float dy = bones[j].screenY - bones[i].screenY;
      if (j != i && dx * dx + dy * dy < 20 * 20) {
        return false;
      }
    }
    // In view, clear of the icons and strips at the view's right.
    const Bone& bone = bones[i];
    const float right = static_cast<float>(systems_.device.width - 150);
    const float bottom = static_cast<float>(systems_.device.height - 40);
    return bone.type < kBoneTypeFirstUnkeyed && bone.screenX > 40 && bone.screenX < right &&
           bone.screenY > 40 && bone.screenY < bottom;
  };
  std::size_t target = 1;
  while (target < bones.size() && !alone(target)) {
    ++target;
  }
  ASSERT_LT(target, bones.size()) << "the demo has a marker standing alone";
  const ViewGeometry g = viewGeometry(systems_);
  // The window pixel over the marker's centre: the view is stretched and offset in the window.
  const int x = clientX(g, bones[target].screenX, 0.5f);
  const int y = clientY(g, bones[target].screenY, 0.5f);
  drag({{x, y}});
  EXPECT_EQ(model().selectedBone, static_cast<int>(target)) << "bone " << target << " at " << x << ", " << y;
  EXPECT_EQ(model().boneSelected[target], 1);
}

TEST_F(ViewportInput, EscStopsARecordingAndLeavesAFinishedFileEvenFromATextBox) {
  test::TempFolder folder;
  RecordingSettings settings;
  settings.recordPath = folder / "out.avi";
  settings.recordEndFrame = 300;
  ASSERT_EQ(startRecording(scene_, systems_.aviExport, settings, std::nullopt, ui()).error,
            port::AviWriteError::None);
  step();
  step();
  ui().focusedControl = kStartFrameBox;
  tap(port::kKeyEscape);
  EXPECT_FALSE(scene_.recording);
  EXPECT_FALSE(scene_.playing);
  const std::int32_t written = systems_.aviExport.framesWritten;
  EXPECT_GE(written, 2);
  const auto info = port::describeVideoFile(settings.recordPath);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->streams.at(0).frameCount, written);
}

TEST_F(ViewportInput, AMouseCoordinateOf65535IsMinusOne) {
  host_.moveMouse(65535, 65535);
  step();
  EXPECT_EQ(scene_.mouseX, -1);
  EXPECT_EQ(scene_.mouseY, -1);
}

TEST_F(ViewportInput, ABoxSelectsTheMarkersInsideItAndIsDrawnInItsColour) {
  loadDemo();
  ui().click(kBoxSelectModeButton);
  ASSERT_EQ(scene_.editMode, EditMode::BoxSelect);
  step();
  const ViewGeometry g = viewGeometry(systems_);
  const port::Point from{g.view.left + 5, g.view.top + 5};
  const port::Point to{viewCentreX(g), viewCentreY(g)};
  host_.moveMouse(from.x, from.y);
  host_.pressMouse(MouseButton::Left, from.x, from.y);
  step();
  host_.moveMouse(to.x, to.y);
  step();
  const port::Rect box{backBufferX(g, from.x), backBufferY(g, from.y), backBufferX(g, to.x),
                       backBufferY(g, to.y)};
  std::vector<std::uint8_t> inside;
  for (const Bone& bone : model().bones) {
    inside.push_back(bone.type < kBoneTypeFirstUnkeyed && bone.screenX > box.left &&
                     bone.screenX < box.right && bone.screenY > box.top && bone.screenY < box.bottom);
  }
  ASSERT_GT(std::count(inside.begin(), inside.end(), 1), 0) << "the box must hold a marker to mean anything";
  ASSERT_LT(std::count(inside.begin(), inside.end(), 1), static_cast<long>(inside.size()));
  EXPECT_EQ(model().boneSelected, inside);
  const RgbaImage picture = readBackBuffer(systems_.device);
  const std::uint8_t* edge = picture.at(box.left + 3, box.top);
  EXPECT_EQ((std::array<int, 3>{edge[0], edge[1], edge[2]}), (std::array<int, 3>{0, 56, 74}))
      << "the box's top edge in its own colour";
  host_.releaseMouse(MouseButton::Left, to.x, to.y);
  step();
  EXPECT_FALSE(scene_.boxActive);

  host_.pressKey(port::kKeyShift);
  drag({{to.x + 1, to.y + 1}, {g.view.right - 2, g.view.bottom - 2}});
  host_.releaseKey(port::kKeyShift);
  for (std::size_t i = 0; i < inside.size(); ++i) {
    if (inside[i]) {
      EXPECT_EQ(model().boneSelected[i], 1) << "Shift keeps bone " << i;
    }
  }
}

TEST_F(ViewportInput, TheEnterThatConfirmsATypedFrameRegistersNoKey) {
  loadDemo();
  model().boneMoved[model().selectedBone] = 1;
  const std::uint32_t keysBefore = model().boneKeyPool.lowestFree().value_or(0);
  ui().focusedControl = kCurrentFrameBox;
  ui().type(kCurrentFrameBox, "30");
  host_.pressKey(port::kKeyEnter);
  ui().pressEnter();
  step();
  host_.releaseKey(port::kKeyEnter);
  step();
  EXPECT_EQ(scene_.currentFrame, 30u);
  EXPECT_EQ(model().boneKeyPool.lowestFree().value_or(0), keysBefore) << "no key was registered";
  tap(port::kKeyEnter);
  EXPECT_NE(model().boneKeyPool.lowestFree().value_or(0), keysBefore) << "the next Enter registers";
}

}  // namespace
}  // namespace zv
