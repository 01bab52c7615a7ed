#include "ui/panel_layout.h"

#include <gtest/gtest.h>

#include <map>

#include "support/panel_ui.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

using Places = std::map<int, port::Rect>;

Places placesFor(int panelWidth, int height, bool cameraMode, PanelOpen open = {}) {
  Places places;
  for (const ControlPlace& place : layoutControls({panelWidth, height, cameraMode, open})) {
    EXPECT_TRUE(places.emplace(place.id, place.area).second) << "placed twice: " << place.id;
  }
  return places;
}

TEST(PanelLayout, EveryControlIsPlacedOnceAndTheHeaderCentresOnTheColumn) {
  const Places places = placesFor(250, 700, true);
  EXPECT_EQ(places.size(), 117u);  // ids 300..418 but the unused 334 and 335
  EXPECT_EQ(places.at(kUndoButton), (port::Rect{50, 24, 110, 42}));
  EXPECT_EQ(places.at(kRedoButton), (port::Rect{130, 24, 190, 42}));
  EXPECT_EQ(places.at(kCurrentFrameBox), (port::Rect{100, 66, 150, 86}));
  EXPECT_EQ(places.at(kRowScrollBar), (port::Rect{231, 175, 247, 474}));
  EXPECT_EQ(places.at(kFrameScrollBar), (port::Rect{70, 473, 233, 489}));
  EXPECT_EQ(places.at(kModelList), (port::Rect{265, 563, 390, 663}));
  EXPECT_EQ(places.at(kPlayButton), (port::Rect{898, 637, 948, 661}));
}

TEST(PanelLayout, CollapsedCameraAndLightPanelsMoveTheirRightNeighboursLeft) {
  const Places open = placesFor(250, 700, true);
  PanelOpen cameraClosed;
  cameraClosed.camera = false;
  const Places oneClosed = placesFor(250, 700, true, cameraClosed);
  for (int id : {kLightColourBars[0], kLightDirectionBoxes[2], kRegisterLightButton, kLightExpandButton}) {
    EXPECT_EQ(oneClosed.at(id).left, open.at(id).left - 82) << id;
    EXPECT_EQ(oneClosed.at(id).top, open.at(id).top) << id;
  }
  EXPECT_EQ(oneClosed.at(kAccessoryList).left, open.at(kAccessoryList).left - 82);
  EXPECT_EQ(oneClosed.at(kCameraResetButton), open.at(kCameraResetButton));

  PanelOpen bothClosed = cameraClosed;
  bothClosed.light = false;
  const Places twoClosed = placesFor(250, 700, true, bothClosed);
  for (int id : {kAccessoryList, kAccessoryScaleEdit, kRegisterAccessoryButton, kAccessoryExpandButton}) {
    EXPECT_EQ(twoClosed.at(id).left, oneClosed.at(id).left - 162) << id;
  }
  EXPECT_EQ(twoClosed.at(kLightColourBars[0]), oneClosed.at(kLightColourBars[0]));
  EXPECT_EQ(twoClosed.at(kFrontViewButton).left, 250 - 244 + 643);
}

TEST(PanelLayout, ModelModeWithBoneAndFacePanelsCollapsed) {
  PanelOpen closed;
  closed.bone = false;
  closed.face = false;
  const Places places = placesFor(250, 700, false, closed);
  // The face panel moves 178 left; the viewpoint and playback panels 178 + 185 + 79 = 442.
  EXPECT_EQ(places.at(kFaceExpandButton), (port::Rect{427, 545, 441, 559}));
  EXPECT_EQ(places.at(kMorphSliders[2]), (port::Rect{531, 600, 625, 618}));
  EXPECT_EQ(places.at(kPlayButton), (port::Rect{456, 637, 506, 661}));
  EXPECT_EQ(places.at(kBottomViewButton), (port::Rect{536, 580, 575, 598}));
  // Collapsing camera-mode panels does nothing in model mode.
  PanelOpen cameraSide = closed;
  cameraSide.camera = cameraSide.light = cameraSide.accessory = false;
  EXPECT_EQ(placesFor(250, 700, false, cameraSide), places);
}

TEST(PanelLayout, PanelWidthOutsideItsRangeIsClamped) {
  EXPECT_EQ(placesFor(100, 700, true), placesFor(250, 700, true));
  EXPECT_EQ(placesFor(-5, 700, true), placesFor(250, 700, true));
  EXPECT_EQ(placesFor(5000, 700, true), placesFor(1000, 700, true));
  EXPECT_EQ(placesFor(1000, 700, true).at(kUndoButton).left, 425);
}

TEST(PanelLayout, PlaceControlsMovesTheUisControls) {
  auto ui = test::makePanelUi(1280, 700);
  Scene scene;
  scene.panelWidth = 400;
  placeControls(*ui, scene);
  EXPECT_EQ(ui->control(kUndoButton).area, (port::Rect{125, 24, 185, 42}));
  EXPECT_EQ(ui->control(kStartFrameBox).area, (port::Rect{1045, 664, 1095, 678}));
}

}  // namespace
}  // namespace zv
