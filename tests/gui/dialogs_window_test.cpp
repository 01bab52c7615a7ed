// The small dialogs as real Qt dialogs, opened from the real menu and answered with test events on
// their own widgets.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/window_program.h"
#include "kept_configuration.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "real_window.h"
#include "temp_folder.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

using test::pressOk;
using test::typeOver;
using test::whenModalShows;

class DialogsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = std::make_unique<port::QtWindowHost>(argc_, argv_);
    ASSERT_EQ(startUp(scene_, *host_, "", windowContents(scene_, *systems_, *host_)), StartOutcome::Running);
    host_->processEvents();
    ui_ = &static_cast<port::QtUi&>(host_->ui());
  }
  void TearDown() override {
    scene_.modified = false;  // no question about saving while the window closes
    ui_->widget(kPlayButton)->window()->close();
    host_->processEvents();
    releaseFrameSystems(*systems_, scene_);
  }

  static inline int argc_ = 1;
  static inline char name_[] = "test_gui";
  static inline char* argv_[] = {name_, nullptr};
  const test::KeptConfiguration keptConfiguration_;
  std::unique_ptr<port::QtWindowHost> host_;
  Scene scene_;
  std::unique_ptr<FrameSystems> systems_ = std::make_unique<FrameSystems>();
  port::QtUi* ui_ = nullptr;
};

TEST_F(DialogsWindow, TheOutputSizeDialogShowsTheSizeAndTakesWhatIsTyped) {
  whenModalShows([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "出力画面サイズ変更");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("field521")->text(), "512");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("field522")->text(), "384");
    typeOver(dialog, "field521", "640");
    pressOk(dialog);
  });
  ui_->action(kMenuOutputSize)->trigger();
  EXPECT_EQ(scene_.outputWidth, 640);
  EXPECT_EQ(scene_.outputHeight, 384);
  EXPECT_TRUE(scene_.modified);
}

TEST_F(DialogsWindow, TheExportSettingsWarnOverTheDialogAndStayOpen) {
  const test::TempFolder folder;
  ui_->answerFileDialog = [&](bool, const port::FileDialogRequest&) { return folder / "out.avi"; };
  std::vector<std::string> warnings;
  ui_->answerMessage = [&](std::string_view text, std::string_view caption, port::MessageButtons) {
    warnings.push_back(std::string(caption) + ":" + std::string(text));
    return port::MessageAnswer::Ok;
  };
  bool codecAsked = false;
  whenModalShows([&](QDialog& settings) {
    EXPECT_EQ(settings.windowTitle(), "AVI出力設定");
    EXPECT_FALSE(settings.findChild<QWidget*>("field514")->isEnabled());
    EXPECT_FALSE(settings.findChild<QWidget*>("field512")->isEnabled());
    typeOver(settings, "field509", "100");
    typeOver(settings, "field510", "50");
    pressOk(settings);
    EXPECT_TRUE(settings.isVisible());
    typeOver(settings, "field510", "100");
    whenModalShows([&](QDialog& codec) {
      codecAsked = codec.windowTitle() == "ビデオの圧縮";
      QTest::mouseClick(codec.findChild<QPushButton*>("cancel"), Qt::LeftButton);
    });
    pressOk(settings);
  });
  ui_->action(kMenuExportAvi)->trigger();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0], "WARNING:録画終了ﾌﾚｰﾑが録画開始ﾌﾚｰﾑよりも小さいです");
  EXPECT_EQ(scene_.recordStartFrame, 100u);
  EXPECT_EQ(scene_.recordEndFrame, 100u);
  EXPECT_TRUE(codecAsked);
  EXPECT_FALSE(scene_.recording);
  EXPECT_FALSE(std::filesystem::exists(folder / "out.avi"));
}

TEST_F(DialogsWindow, TheShadowDialogStaysBesideTheWindowAndFollowsItsTrackBarAndEdit) {
  ui_->action(kMenuShadowColour)->trigger();
  QWidget* mainWindow = ui_->widget(kPlayButton)->window();
  const QList<QDialog*> dialogs = mainWindow->findChildren<QDialog*>();
  ASSERT_EQ(dialogs.size(), 1);
  QDialog& dialog = *dialogs[0];
  EXPECT_EQ(dialog.windowTitle(), "地面影色設定");
  auto* slider = dialog.findChild<QSlider*>("slider");
  auto* edit = dialog.findChild<QLineEdit*>("edit");
  EXPECT_EQ(edit->text(), "1.00");

  QTest::keyClick(slider, Qt::Key_Right);
  EXPECT_EQ(slider->value(), 101);
  EXPECT_EQ(edit->text(), "1.01");
  EXPECT_FLOAT_EQ(scene_.shadowBrightness, 1.01f);

  edit->selectAll();
  QTest::keyClicks(edit, "0.25");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(slider->value(), 25);
  EXPECT_EQ(scene_.shadowBrightness, 0.25f);
  EXPECT_EQ(systems_->resources.shadowMaterial.ambient.g, 0.25f);

  ui_->action(kMenuShadowColour)->trigger();
  EXPECT_EQ(mainWindow->findChildren<QDialog*>().size(), 1);
  QTest::keyClick(&dialog, Qt::Key_Escape);
  host_->processEvents();
  EXPECT_FALSE(systems_->shadowDialogOpen);
}

}  // namespace
}  // namespace zv
