// The small dialogs run through the real command handler, answered by the headless Ui.
#include <gtest/gtest.h>

#include <map>

#include "app/command_handler.h"
#include "app/frame_step.h"
#include "app/model_commands.h"
#include "app/new_scene.h"
#include "app/recording_commands.h"
#include "app/small_dialogs.h"
#include "app/window_panels.h"
#include "editor_fixture.h"
#include "frame_fixture.h"
#include "port/video/video_file_info.h"
#include "temp_folder.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

port::FormAnswer typed(std::map<int, std::string> texts, std::map<int, bool> checks = {}) {
  port::FormAnswer answer;
  answer.texts = std::move(texts);
  answer.checks = std::move(checks);
  return answer;
}

port::FormAnswer chosen(int row) {
  port::FormAnswer answer;
  answer.selections = {{1, row}};
  return answer;
}

port::FormAnswer cancelled() {
  port::FormAnswer answer;
  answer.ok = false;
  return answer;
}

const port::FormField& shownField(const port::FormRequest& form, int id) {
  return port::formField(form.fields, id);
}

class DialogsTest : public test::EditorTest {
 protected:
  void answer(port::FormAnswer formAnswer) { ui_.formAnswers.push_back(std::move(formAnswer)); }

  // The export dialogs answered: the file, the settings (start, end, rate), the codec's row.
  void answerExport(const std::string& start, const std::string& end, int codecRow = 0) {
    ui_.dialogAnswers.push_back(folder_ / "out.avi");
    answer(typed({{509, start}, {510, end}}));
    answer(chosen(codecRow));
  }

  void recordToTheEnd() {
    for (int step = 0; scene_.recording && step < 100; ++step) {
      frameStep(scene_, *systems_);
    }
    ASSERT_FALSE(scene_.recording);
  }

  test::TempFolder folder_;
};

TEST_F(DialogsTest, OutputSizeShowsTheSizePaddedStoresAtLeastOnePixelAndCancelKeepsIt) {
  ui_.click(kMenuOutputSize);
  ASSERT_EQ(ui_.forms.size(), 1u);
  const port::FormRequest& form = ui_.forms[0];
  EXPECT_EQ(form.caption, "出力画面サイズ変更");
  EXPECT_EQ(form.owner, port::MessageOwner::MainWindow);
  EXPECT_EQ(shownField(form, 521).text, "512");
  EXPECT_EQ(shownField(form, 521).label, "幅");
  EXPECT_EQ(shownField(form, 522).text, "384");
  EXPECT_EQ(scene_.outputWidth, 512);
  EXPECT_FALSE(scene_.modified);

  scene_.outputWidth = 64;
  answer(typed({{521, "0"}, {522, "-5"}}));
  ui_.click(kMenuOutputSize);
  EXPECT_EQ(shownField(ui_.forms[1], 521).text, " 64");
  EXPECT_EQ(scene_.outputWidth, 1);
  EXPECT_EQ(scene_.outputHeight, 1);
  EXPECT_TRUE(scene_.modified);

  const int repaints = ui_.repaintRequests;
  answer(typed({{521, "  800px"}, {522, "600"}}));
  ui_.click(kMenuOutputSize);
  EXPECT_EQ(scene_.outputWidth, 800);
  EXPECT_EQ(scene_.outputHeight, 600);
  EXPECT_GT(ui_.repaintRequests, repaints);
  // The view keeps the output's aspect: the layout followed the new size.
  EXPECT_NEAR(static_cast<double>(systems_->viewRectangle.width()) / systems_->viewRectangle.height(),
              800.0 / 600, 0.02);
}

TEST_F(DialogsTest, TheEditingDialogsStartFromTheirTextsAndConvertWhatOkGives) {
  scene_.biasOffset = {9, 9, 9};
  answer(typed({{501, "1.5"}, {502, "abc"}, {503, "-2e1"}}));
  ASSERT_TRUE(askBiasOffset(scene_, ui_));
  EXPECT_EQ(ui_.forms[0].caption, "バイアス付加");
  EXPECT_EQ(ui_.forms[0].owner, port::MessageOwner::None);
  for (const int id : {501, 502, 503}) {
    EXPECT_EQ(shownField(ui_.forms[0], id).text, "0.0");
  }
  EXPECT_EQ(scene_.biasOffset, (Vec3{1.5f, 0.0f, -20.0f}));

  answer(typed({{505, "2"}}));
  ASSERT_TRUE(askTimeScale(scene_, ui_));
  EXPECT_EQ(shownField(ui_.forms[1], 505).text, "1.0");
  EXPECT_EQ(scene_.timeScale, 2.0f);

  // At most 19 characters are read: the twentieth digit is not part of the number.
  answer(typed({{516, "-10"}}));
  answer(typed({{516, "12345678901234567890"}}));
  answer(typed({{516, "4294967296"}}));
  ASSERT_TRUE(askFrameShift(scene_, ui_));
  EXPECT_EQ(scene_.integerDelta, -10);
  ASSERT_TRUE(askViewAngleDelta(scene_, ui_));
  EXPECT_EQ(scene_.integerDelta, 2147483647);
  ASSERT_TRUE(askCameraDistanceDelta(scene_, ui_));
  EXPECT_EQ(scene_.integerDelta, 2147483647);
  EXPECT_EQ(ui_.forms[2].caption, "シフトするﾌﾚｰﾑ数");
  EXPECT_EQ(ui_.forms[3].caption, "視野角差分（±）");
  EXPECT_EQ(ui_.forms[4].caption, "カメラ距離差分（±）");
  EXPECT_EQ(shownField(ui_.forms[4], 516).text, "0");

  answer(cancelled());
  EXPECT_FALSE(askFrameShift(scene_, ui_));
  EXPECT_EQ(scene_.integerDelta, 2147483647);
  EXPECT_FALSE(askTimeScale(scene_, ui_));
  EXPECT_EQ(scene_.timeScale, 2.0f);
}

TEST(DialogNumbers, ReadLikeTheSystemsNumberReaders) {
  EXPECT_EQ(dialogInteger("  42abc"), 42);
  EXPECT_EQ(dialogInteger("+7"), 7);
  EXPECT_EQ(dialogInteger("+-7"), 0);
  EXPECT_EQ(dialogInteger("x1"), 0);
  EXPECT_EQ(dialogInteger(""), 0);
  EXPECT_EQ(dialogInteger("-99999999999"), -2147483647 - 1);
  EXPECT_EQ(dialogFloat(" .25"), 0.25f);
  EXPECT_EQ(dialogFloat("1,5"), 1.0f);
  EXPECT_EQ(dialogFloat("0000000000000000000001"), 0.0f);
  EXPECT_EQ(dialogFloat("-"), 0.0f);
}

TEST_F(DialogsTest, RandomBlinksAskFromEmptyEditsEveryTimeAndReportTheCount) {
  scene_.cameraMode = false;
  ASSERT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
  scene_.cameraMode = false;
  ui_.messages.clear();
  answer(typed({{518, "0"}, {519, "1"}}));
  ui_.click(kMenuRandomBlinks);
  ASSERT_EQ(ui_.forms.size(), 1u);
  EXPECT_EQ(ui_.forms[0].caption, "まばたき登録");
  EXPECT_EQ(shownField(ui_.forms[0], 518).text, "");
  EXPECT_EQ(shownField(ui_.forms[0], 519).label, "終了ﾌﾚｰﾑ");
  EXPECT_EQ(scene_.blinkRangeEnd, 1);
  ASSERT_FALSE(ui_.messages.empty());
  EXPECT_EQ(ui_.messages.back().text, "1回のまばたきを追加しました");
  EXPECT_TRUE(scene_.modified);

  scene_.modified = false;
  ui_.messages.clear();
  ui_.click(kMenuRandomBlinks);
  ASSERT_EQ(ui_.forms.size(), 2u);
  EXPECT_EQ(shownField(ui_.forms[1], 518).text, "");
  EXPECT_EQ(shownField(ui_.forms[1], 519).text, "");
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_FALSE(scene_.modified);
}

TEST_F(DialogsTest, RecordSettingsStartFromThePlayRangeAndRefuseBadRangesAndRates) {
  ui_.setControlText(kStartFrameBox, "12");
  ui_.setControlText(kStopFrameBox, "123456789");
  ui_.dialogAnswers.push_back(folder_ / "out.avi");
  answer(typed({{509, "100"}, {510, "50"}}, {{514, true}}));
  answer(typed({{509, "-1"}, {510, "50"}}));
  answer(typed({{509, "50"}, {511, "0"}}));
  answer(typed({{511, "abc"}}));
  answer(typed({{511, "29.97"}}));
  ui_.click(kMenuExportAvi);

  ASSERT_EQ(ui_.forms.size(), 2u);  // the settings, then the codec choice (cancelled: queue empty)
  const port::FormRequest& form = ui_.forms[0];
  EXPECT_EQ(form.caption, "AVI出力設定");
  EXPECT_EQ(shownField(form, 509).text, "12");
  EXPECT_EQ(shownField(form, 510).text, "1234567");
  EXPECT_EQ(shownField(form, 511).text, "30");
  EXPECT_EQ(shownField(form, 511).unit, "fps");
  EXPECT_EQ(shownField(form, 512).text, "  512");
  EXPECT_FALSE(shownField(form, 512).enabled);
  EXPECT_EQ(shownField(form, 513).text, "  384");
  EXPECT_FALSE(shownField(form, 514).enabled);
  EXPECT_FALSE(shownField(form, 514).checked);
  EXPECT_TRUE(shownField(form, 520).enabled);

  ASSERT_EQ(ui_.messages.size(), 4u);
  EXPECT_EQ(ui_.messages[0].text, "録画終了ﾌﾚｰﾑが録画開始ﾌﾚｰﾑよりも小さいです");
  EXPECT_EQ(ui_.messages[0].caption, "WARNING");
  EXPECT_EQ(ui_.messages[0].owner, port::MessageOwner::Dialog);
  EXPECT_EQ(ui_.messages[1].text, kRecordNegativeWarning);
  EXPECT_EQ(ui_.messages[2].text, kExportRateMessage);
  EXPECT_EQ(ui_.messages[3].text, kExportRateMessage);
  EXPECT_EQ(scene_.recordStartFrame, 50u);
  EXPECT_EQ(scene_.recordEndFrame, 50u);
  EXPECT_FLOAT_EQ(scene_.recordFrameRate, 29.97f);
  EXPECT_FALSE(scene_.recordWave);  // the disabled box could not be checked
  EXPECT_FALSE(scene_.recording);
  EXPECT_FALSE(scene_.playing);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "out.avi"));
}

TEST_F(DialogsTest, CancellingAnyStepOfTheExportRecordsNothing) {
  ui_.click(kMenuExportAvi);  // the file dialog
  ui_.dialogAnswers.push_back(folder_ / "out.avi");
  ui_.click(kMenuExportAvi);  // the settings
  EXPECT_EQ(ui_.forms.size(), 1u);
  EXPECT_EQ(scene_.recordEndFrame, 0u);
  EXPECT_FALSE(scene_.recording);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(DialogsTest, AnExportFromTheDialogsRecordsEveryPictureAndRemembersTheCodec) {
  // The second codec of the list when this build has more than one.
  const int codecRow = port::availableVideoCodecs().size() > 1 ? 1 : 0;
  answerExport("0", "3", codecRow);
  ui_.formAnswers.back().texts = {{2, "10"}, {3, "-4"}};
  ui_.click(kMenuExportAvi);
  ASSERT_TRUE(scene_.recording);
  EXPECT_TRUE(scene_.playing);
  EXPECT_FALSE(ui_.control(kPlayButton).enabled);
  EXPECT_FALSE(ui_.control(kStartFrameBox).enabled);
  EXPECT_EQ(ui_.forms[1].caption, "ビデオの圧縮");
  EXPECT_EQ(ui_.forms[1].fields[0].rows[0], port::videoCodecInfo(port::VideoCodec::Uncompressed).label);
  EXPECT_EQ(systems_->aviExport.picturesTotal, 4);
  EXPECT_EQ(recordingProgress(systems_->aviExport), "0/4 残り--:--");

  recordToTheEnd();
  EXPECT_EQ(systems_->aviExport.framesWritten, 4);
  EXPECT_TRUE(ui_.control(kPlayButton).enabled);
  EXPECT_TRUE(ui_.control(kStartFrameBox).enabled);
  EXPECT_TRUE(ui_.messages.empty());
  const auto info = port::describeVideoFile(folder_ / "out.avi");
  ASSERT_TRUE(info);
  ASSERT_EQ(info->streams.size(), 1u);
  EXPECT_EQ(info->streams[0].frameCount, 4);
  EXPECT_EQ(info->streams[0].width, 512);

  // The next export starts from the codec and key-frame interval chosen here.
  ui_.dialogAnswers.push_back(folder_ / "out.avi");
  answer({});
  ui_.click(kMenuExportAvi);
  ASSERT_EQ(ui_.forms.size(), 4u);
  EXPECT_EQ(shownField(ui_.forms[3], 1).selection, codecRow);
  EXPECT_EQ(shownField(ui_.forms[3], 2).text, "10");
  EXPECT_EQ(shownField(ui_.forms[3], 3).text, "");
  EXPECT_FALSE(scene_.recording);
}

TEST_F(DialogsTest, StoppingARecordingEarlyLeavesAWholeFileOfThePicturesWritten) {
  answerExport("0", "300");
  ui_.click(kMenuExportAvi);
  ASSERT_TRUE(scene_.recording);
  for (int step = 0; step < 3; ++step) {
    scene_.frameElapsedSeconds = 0.5f;
    frameStep(scene_, *systems_);
  }
  stopRecording(scene_, *systems_);
  EXPECT_EQ(recordingProgress(systems_->aviExport), "3/301 残り2:29");
  EXPECT_FALSE(scene_.recording);
  EXPECT_FALSE(scene_.playing);
  EXPECT_TRUE(ui_.control(kPlayButton).enabled);
  const auto info = port::describeVideoFile(folder_ / "out.avi");
  ASSERT_TRUE(info);
  EXPECT_EQ(info->streams.at(0).frameCount, 3);
  stopRecording(scene_, *systems_);  // nothing runs any more
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(DialogsTest, AnExportThatCannotStartSaysWhy) {
  answerExport("0", "3");
  ui_.dialogAnswers.front() = folder_ / "missing" / "out.avi";
  ui_.click(kMenuExportAvi);
  EXPECT_FALSE(scene_.recording);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, kExportCreateMessage);
  EXPECT_TRUE(ui_.control(kPlayButton).enabled);
  EXPECT_TRUE(ui_.control(kStartFrameBox).enabled);
}

TEST_F(DialogsTest, TheShadowDialogOpensOnceAndKeepsTrackBarEditAndMaterialTogether) {
  ui_.click(kMenuShadowColour);
  ASSERT_TRUE(ui_.sliderDialog);
  EXPECT_EQ(ui_.sliderDialog->request.caption, "地面影色設定");
  EXPECT_EQ(ui_.sliderDialog->request.maximum, 200);
  EXPECT_EQ(ui_.sliderDialog->request.tickInterval, 100);
  EXPECT_EQ(ui_.sliderDialog->position, 100);
  EXPECT_EQ(ui_.sliderDialog->text, "1.00");

  ui_.slideDialog(150);
  EXPECT_EQ(ui_.sliderDialog->text, "1.50");
  EXPECT_EQ(scene_.shadowBrightness, 1.5f);
  EXPECT_EQ(systems_->resources.shadowMaterial.ambient, (ColourValue{1.5f, 1.5f, 1.5f, 1.5f}));
  ui_.click(kMenuShadowColour);  // already open: nothing new
  EXPECT_EQ(ui_.sliderDialog->position, 150);

  ui_.typeInSliderDialog("0.25");
  ui_.pressEnterInSliderDialog();
  EXPECT_EQ(ui_.sliderDialog->position, 25);
  EXPECT_EQ(scene_.shadowBrightness, 0.25f);
  EXPECT_EQ(systems_->resources.shadowMaterial.ambient.a, 0.25f);
  ui_.typeInSliderDialog("3.5");
  ui_.pressEnterInSliderDialog();
  EXPECT_EQ(scene_.shadowBrightness, 3.5f);  // used as typed; the bar shows it clamped
  EXPECT_EQ(ui_.sliderDialog->position, 200);

  ui_.closeSliderDialog();
  EXPECT_FALSE(systems_->shadowDialogOpen);
  ui_.click(kMenuShadowColour);
  ASSERT_TRUE(ui_.sliderDialog);
  EXPECT_EQ(ui_.sliderDialog->text, "3.50");
  EXPECT_FALSE(scene_.modified);
}

}  // namespace
}  // namespace zv
