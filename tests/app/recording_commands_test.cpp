#include "app/recording_commands.h"

#include <gtest/gtest.h>

#include "port/headless_ui.h"
#include "temp_folder.h"
#include "ui/control_ids.h"
#include "ui_with_controls.h"

namespace zv {
namespace {

class RecordingCommands : public ::testing::Test {
 protected:
  RecordingSettings settings(float rate) const {
    RecordingSettings recording;
    recording.recordPath = folder_ / "out.avi";
    recording.recordEndFrame = 3;
    recording.recordFrameRate = rate;
    return recording;
  }

  test::UiWithControls ui_;
  Scene scene_;
  AviExport export_;
  test::TempFolder folder_;
};

TEST_F(RecordingCommands, ARefusedStartIsShownStandingAloneAndKeepsPlayAvailable) {
  EXPECT_EQ(startRecording(scene_, export_, settings(0.0f), std::nullopt, ui_).error,
            port::AviWriteError::BadSettings);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, kExportRateMessage);
  EXPECT_EQ(ui_.messages[0].caption, kExportCaption);
  EXPECT_EQ(ui_.messages[0].owner, port::MessageOwner::None);
  EXPECT_TRUE(ui_.control(kPlayButton).enabled);
}

TEST_F(RecordingCommands, PlayIsUnavailableWhileTheRecordingRuns) {
  ASSERT_EQ(startRecording(scene_, export_, settings(30.0f), std::nullopt, ui_).error,
            port::AviWriteError::None);
  EXPECT_FALSE(ui_.control(kPlayButton).enabled);
  scene_.playing = false;
  showRecordingStep(scene_, finishRecording(scene_, export_, {}), ui_);
  EXPECT_TRUE(ui_.control(kPlayButton).enabled);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_FALSE(export_.failed);
}

}  // namespace
}  // namespace zv
