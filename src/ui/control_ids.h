// The numbers of every menu item (200-268) and child control (300-418) of the main window. The
// command handler, the panels and the tests address controls only through these names.
#pragma once

namespace zv {

// Menu items.
inline constexpr int kMenuExit = 200;
inline constexpr int kMenuLoadPose = 203;
inline constexpr int kMenuSavePose = 204;
inline constexpr int kMenuNew = 205;
inline constexpr int kMenuOpen = 206;
inline constexpr int kMenuLoadWav = 207;
inline constexpr int kMenuSave = 208;
inline constexpr int kMenuSaveAs = 209;
inline constexpr int kMenuLoadMotion = 210;
inline constexpr int kMenuSaveMotion = 211;
inline constexpr int kMenuShowInfo = 212;
inline constexpr int kMenuOutputSize = 213;
inline constexpr int kMenuLoadBackgroundVideo = 215;
inline constexpr int kMenuTranslucent = 216;
inline constexpr int kMenuShowAxes = 217;
inline constexpr int kVideoShownMenuItem = 218;
inline constexpr int kMenuSelectAllBoneKeys = 220;
inline constexpr int kMenuSelectAllDisplayIkKeys = 221;
inline constexpr int kMenuCentreBias = 225;
inline constexpr int kMenuSelectAllMorphKeys = 226;
inline constexpr int kMenuShowGroundShadow = 227;
inline constexpr int kMenuDeleteUnneededKeys = 228;
inline constexpr int kMenuExportAvi = 230;
inline constexpr int kMenuLipSync = 231;
inline constexpr int kMenuShiftLipKeys = 232;
inline constexpr int kMenuDeleteLipKeys = 233;
inline constexpr int kMenuRandomBlinks = 234;
inline constexpr int kMenuDeleteEyeKeys = 235;
inline constexpr int kMenuDeleteBrowKeys = 236;
inline constexpr int kMenuLoadBackgroundImage = 237;
inline constexpr int kImageShownMenuItem = 238;
inline constexpr int kMenuUnlimitedFps = 239;
inline constexpr int kMenu30Fps = 240;
inline constexpr int kMenu60Fps = 241;
inline constexpr int kMenuSelectAllCameraKeys = 254;
inline constexpr int kMenuSelectAllLightKeys = 255;
inline constexpr int kMenuSelectAllAccessoryKeys = 256;
inline constexpr int kMenuCameraDistanceBias = 257;
inline constexpr int kMenuViewAngleBias = 258;
inline constexpr int kMenuCaptureOff = 259;
inline constexpr int kMenuCaptureModes[3] = {260, 261, 262};
inline constexpr int kMenuZeroBoneX = 263;
inline constexpr int kMenuZeroBoneY = 264;
inline constexpr int kMenuZeroBoneZ = 265;
inline constexpr int kMenuResetBoneRotation = 266;
inline constexpr int kMenuFollowCameraLight = 267;
inline constexpr int kMenuShadowColour = 268;

// Frame-editor header and frame-edit panel (left column).
inline constexpr int kUndoButton = 300;
inline constexpr int kRedoButton = 301;
inline constexpr int kCurrentFrameBox = 317;
inline constexpr int kPreviousFrameButton = 318;
inline constexpr int kNextFrameButton = 319;
inline constexpr int kRowScrollBar = 327;
inline constexpr int kFrameScrollBar = 328;
inline constexpr int kShowCurrentFrameButton = 329;
inline constexpr int kVerticalSelectButton = 316;
inline constexpr int kKeyDeleteButton = 323;
inline constexpr int kKeyCopyButton = 320;
inline constexpr int kKeyPasteButton = 321;
inline constexpr int kKeyMirrorPasteButton = 322;
inline constexpr int kRangeStartBox = 325;
inline constexpr int kRangeEndBox = 326;
inline constexpr int kRangeRowList = 336;
inline constexpr int kRangeSelectButton = 315;
inline constexpr int kStretchButton = 324;

// Interpolation curve box.
inline constexpr int kCurveLinearButton = 332;
inline constexpr int kCurvePasteButton = 331;
inline constexpr int kCurveCopyButton = 330;
inline constexpr int kCurveList = 333;

// Model panel.
inline constexpr int kModelList = 338;
inline constexpr int kLoadModelButton = 337;
inline constexpr int kDeleteModelButton = 339;
inline constexpr int kVisibleCheck = 341;
inline constexpr int kRegisterDisplayIkButton = 340;
inline constexpr int kIkChainList = 342;
inline constexpr int kIkOnRadio = 343;
inline constexpr int kIkOffRadio = 344;

// Camera panel.
inline constexpr int kCameraResetButton = 348;
inline constexpr int kPerspectiveButton = 345;
inline constexpr int kViewAngleBar = 346;
inline constexpr int kViewAngleBox = 347;
inline constexpr int kRegisterCameraButton = 349;
inline constexpr int kCameraCollapseButton = 350;
inline constexpr int kCameraExpandButton = 351;

// Light panel: red, green, blue and x, y, z.
inline constexpr int kLightColourBars[3] = {352, 353, 354};
inline constexpr int kLightDirectionBars[3] = {355, 356, 357};
inline constexpr int kLightColourBoxes[3] = {358, 359, 360};
inline constexpr int kLightDirectionBoxes[3] = {361, 362, 363};
inline constexpr int kRegisterLightButton = 364;
inline constexpr int kLightCollapseButton = 365;
inline constexpr int kLightExpandButton = 366;

// Accessory panel.
inline constexpr int kAccessoryCollapseButton = 382;
inline constexpr int kAccessoryExpandButton = 383;
inline constexpr int kAccessoryList = 367;
inline constexpr int kAddAccessoryButton = 368;
inline constexpr int kDeleteAccessoryButton = 369;
inline constexpr int kAccessoryVisibleCheck = 372;
inline constexpr int kAccessoryShadowCheck = 380;
inline constexpr int kAccessoryParentModelList = 370;
inline constexpr int kAccessoryParentBoneList = 371;
inline constexpr int kAccessoryPositionEdits[3] = {373, 374, 375};
inline constexpr int kAccessoryRotationEdits[3] = {376, 377, 378};  // shown in degrees
inline constexpr int kAccessoryScaleEdit = 379;
inline constexpr int kRegisterAccessoryButton = 381;

// Bone panel.
inline constexpr int kSelectModeButton = 384;
inline constexpr int kBoxSelectModeButton = 385;
inline constexpr int kMoveButton = 386;
inline constexpr int kRotateButton = 387;
inline constexpr int kSelectAllBonesButton = 388;
inline constexpr int kBoneResetButton = 389;
inline constexpr int kPoseCopyButton = 390;
inline constexpr int kPosePasteButton = 391;
inline constexpr int kPoseMirrorPasteButton = 392;
inline constexpr int kRegisterFrameButton = 393;
inline constexpr int kSelectUnregisteredButton = 394;
inline constexpr int kBoneCollapseButton = 395;
inline constexpr int kBoneExpandButton = 396;

// Face panel: one selector per morph category 1..4 (brow, eye, lip, other), in that order.
inline constexpr int kMorphPreviousButtons[4] = {397, 401, 405, 409};
inline constexpr int kMorphNextButtons[4] = {398, 402, 406, 410};
inline constexpr int kMorphNameBoxes[4] = {399, 403, 407, 411};
inline constexpr int kMorphSliders[4] = {400, 404, 408, 412};
inline constexpr int kMorphRegisterButtons[4] = {414, 413, 416, 415};
inline constexpr int kFaceCollapseButton = 417;
inline constexpr int kFaceExpandButton = 418;

// Viewpoint and playback panels.
inline constexpr int kFrontViewButton = 302;
inline constexpr int kBackViewButton = 303;
inline constexpr int kTopViewButton = 304;
inline constexpr int kLeftViewButton = 305;
inline constexpr int kRightViewButton = 306;
inline constexpr int kBottomViewButton = 307;  // "カメラ" in model mode
inline constexpr int kFollowModelCentreCheck = 312;
inline constexpr int kPlayButton = 308;
inline constexpr int kRepeatCheck = 311;
inline constexpr int kPlayFromCurrentFrameCheck = 314;
inline constexpr int kStopFrameCheck = 313;
inline constexpr int kStartFrameBox = 309;
inline constexpr int kStopFrameBox = 310;

}  // namespace zv
