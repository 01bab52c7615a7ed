#include "app/info_text.h"

#include <gtest/gtest.h>

#include <memory>

#include "port/text.h"

namespace zv {
namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr port::Colour kRed{255, 0, 0};
constexpr port::Colour kBlue{0, 0, 255};
constexpr port::Colour kWhite{255, 255, 255};
constexpr port::Colour kBlack{0, 0, 0};

void expectText(const InfoText& text, std::string_view utf8, int x, int y, int height, port::Colour colour,
                std::optional<port::Colour> shadow = std::nullopt) {
  EXPECT_EQ(text.utf8, utf8);
  EXPECT_EQ(text.x, x);
  EXPECT_EQ(text.y, y);
  EXPECT_EQ(text.height, height);
  EXPECT_EQ(text.colour, colour);
  EXPECT_EQ(text.shadow, shadow);
}

// Slot 0 holds a model in model mode with a root and a movable bone named in CP932.
Model& placeModel(Scene& scene) {
  auto model = std::make_unique<Model>();
  model->name = port::utf8ToCp932("テストモデル");
  model->bones.resize(2);
  model->bones[0].name = port::utf8ToCp932("センター");
  model->bones[0].keyTranslation = {7, 8, 9};
  model->bones[1].name = port::utf8ToCp932("右足ＩＫ");
  model->bones[1].type = 2;
  model->bones[1].keyTranslation = {1, -2, 0.5f};
  model->selectedBone = 1;
  scene.modelSlots[0] = std::move(model);
  scene.currentModel = 0;
  scene.cameraMode = false;
  return *scene.modelSlots[0];
}

TEST(FrameRateReading, CountsStepsUntilMoreThanASecondHasPassed) {
  Scene scene;
  scene.frameElapsedSeconds = 0.5f;
  updateFrameRateReading(scene);
  EXPECT_EQ(scene.fpsFrameCount, 0);
  EXPECT_EQ(scene.fpsAccumulator, 0.0f);

  scene.showInfo = true;
  scene.fpsAccumulator = 0.5f;
  scene.fpsFrameCount = 62;
  updateFrameRateReading(scene);  // exactly 1.0: not yet
  EXPECT_EQ(scene.fpsFrameCount, 63);
  EXPECT_EQ(scene.fpsShown, 0);
  updateFrameRateReading(scene);
  EXPECT_EQ(scene.fpsShown, 62);
  EXPECT_EQ(scene.fpsAccumulator, 0.0f);
  EXPECT_EQ(scene.fpsFrameCount, 1);
}

TEST(FrameRateReading, TwentyNineShowsAsThirtyAndSlowStepsShowUnderOne) {
  Scene scene;
  scene.showInfo = true;
  scene.fpsAccumulator = 0.99f;
  scene.fpsFrameCount = 30;
  scene.frameElapsedSeconds = 0.02f;
  updateFrameRateReading(scene);
  EXPECT_EQ(scene.fpsShown, 30);
  std::vector<InfoText> texts = informationTexts(scene, kWidth, kHeight, 1.0f, std::nullopt);
  expectText(texts.back(), "   30 fps", 0, 708, 25, kBlue);

  scene.frameElapsedSeconds = 1.5f;
  updateFrameRateReading(scene);
  EXPECT_EQ(scene.fpsShown, 0);
  texts = informationTexts(scene, kWidth, kHeight, 1.0f, std::nullopt);
  expectText(texts.back(), "   1fps未満", 0, 708, 25, kBlue);
}

TEST(InformationText, CameraModeShowsBannerAndCameraLine) {
  Scene scene;
  scene.camera.cameraCentre = {0, 10, -2.5f};
  scene.camera.cameraAngles = {0.5f, -0.25f, 0};
  scene.camera.cameraDistance = -35;
  const std::vector<InfoText> texts = informationTexts(scene, kWidth, kHeight, 1.0f, std::nullopt);
  ASSERT_EQ(texts.size(), 2u);
  expectText(texts[0], "ｶﾒﾗ･照明･ｱｸｾｻﾘ", 10, 10, 25, kRed);
  expectText(texts[1], "中心 X:0.000 Y:10.000 Z:-2.500 角度 X:-28.6 Y:-14.3 Z: 0.0 距離 35", 30, 740, 25,
             kWhite, kBlack);
}

TEST(InformationText, ModelModeShowsModelAndBoneNames) {
  Scene scene;
  Model& model = placeModel(scene);
  std::vector<InfoText> texts = informationTexts(scene, kWidth, kHeight, 1.0f, std::nullopt);
  ASSERT_EQ(texts.size(), 4u);
  expectText(texts[0], "Model:", 10, 10, 25, kBlue);
  expectText(texts[1], "テストモデル", 85, 10, 25, kRed);
  expectText(texts[2], "Bone :", 10, 40, 25, kBlue);
  expectText(texts[3], "右足ＩＫ", 85, 40, 25, kRed);

  scene.showInfo = true;
  scene.fpsShown = 60;
  model.selectedBone = -1;
  texts = informationTexts(scene, kWidth, kHeight, 1.0f, std::nullopt);
  ASSERT_EQ(texts.size(), 4u);
  expectText(texts[2], "Bone :", 10, 40, 25, kBlue);
  expectText(texts[3], "   60 fps", 0, 708, 25, kBlue);
}

TEST(InformationText, MovableSelectedBoneShowsItsTranslation) {
  Scene scene;
  Model& model = placeModel(scene);
  scene.showInfo = true;
  std::vector<InfoText> texts = informationTexts(scene, kWidth, kHeight, 1.0f, std::nullopt);
  expectText(texts.back(), "X:1.000000 Y:-2.000000 Z:0.500000", 30, 743, 25, kWhite, kBlack);
  // While playing it is the root's.
  scene.playing = true;
  texts = informationTexts(scene, kWidth, kHeight, 1.0f, std::nullopt);
  expectText(texts.back(), "X:7.000000 Y:8.000000 Z:9.000000", 30, 743, 25, kWhite, kBlack);
  // A rotating bone has none.
  scene.playing = false;
  model.bones[1].type = 0;
  texts = informationTexts(scene, kWidth, kHeight, 1.0f, std::nullopt);
  EXPECT_EQ(texts.back().utf8, "   1fps未満");
}

TEST(InformationText, PlayingShowsBannerAndTimeLine) {
  Scene scene;
  placeModel(scene);
  scene.playing = true;
  scene.showInfo = true;
  scene.fpsShown = 30;
  scene.currentTime = 3661.5f;  // 1 hour, 1 minute, 1.5 seconds
  const std::vector<InfoText> texts = informationTexts(scene, kWidth, kHeight, 1.0f, std::nullopt);
  ASSERT_EQ(texts.size(), 4u);
  expectText(texts[0], "再生中", 10, 10, 25, kRed);
  expectText(texts[1], "   30 fps", 0, 708, 25, kBlue);
  expectText(texts[2], "109845 flame(01:01:01)", 10, 40, 25, kBlack, kWhite);
}

TEST(InformationText, RecordingShowsItsBannersAndThePictureBeingWritten) {
  Scene scene;
  scene.playing = true;
  scene.recording = true;
  scene.showInfo = true;
  scene.fpsShown = 60;
  scene.currentTime = 101.5f / 30.0f;
  const RecordingPosition position{100, 3, 60.0f, "3/8 残り0:01"};
  const std::vector<InfoText> texts = informationTexts(scene, kWidth, kHeight, 1.0f, position);
  ASSERT_EQ(texts.size(), 5u);
  expectText(texts[0], "録画中", 10, 10, 25, kRed);
  expectText(texts[1], "(Esc:中断)", 94, 18, 20, kRed);
  expectText(texts[2], "3/8 残り0:01", 200, 18, 20, kRed);
  expectText(texts[4], "  101 flame(00:00:03)", 10, 40, 25, kBlack, kWhite);
  // Hidden information leaves only the banners and the progress.
  scene.showInfo = false;
  EXPECT_EQ(informationTexts(scene, kWidth, kHeight, 1.0f, position).size(), 3u);
}

TEST(InformationText, ScaledPositionsAndHeightsTruncate) {
  Scene scene;
  placeModel(scene);
  scene.showInfo = true;
  const std::vector<InfoText> texts = informationTexts(scene, kWidth, kHeight, 0.5f, std::nullopt);
  ASSERT_EQ(texts.size(), 6u);
  expectText(texts[0], "Model:", 5, 5, 12, kBlue);
  expectText(texts[3], "右足ＩＫ", 42, 20, 12, kRed);
  expectText(texts[4], "   1fps未満", 0, 738, 12, kBlue);
  expectText(texts[5], "X:1.000000 Y:-2.000000 Z:0.500000", 15, 756, 12, kWhite, kBlack);
}

}  // namespace
}  // namespace zv
