// The program's real main window under the test script's X server, started as the program starts
// it, every message box answered OK and kept; and the answers a test gives the real modal dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_step.h"
#include "app/startup.h"
#include "app/window_program.h"
#include "kept_configuration.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "ui/control_ids.h"

namespace zv::test {

class RealWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ui().answerMessage = [this](std::string_view text, std::string_view, port::MessageButtons) {
      messages_.emplace_back(text);
      return port::MessageAnswer::Ok;
    };
    ASSERT_EQ(startUp(scene_, host_, "", windowContents(scene_, *systems_, host_)), StartOutcome::Running);
    window_ = qobject_cast<QMainWindow*>(ui().widget(kUndoButton)->window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    window_->resize(1280, 800);
    steps(2);
  }
  void TearDown() override {
    window_->close();
    host_.processEvents();
    releaseFrameSystems(*systems_, scene_);
  }

  port::QtUi& ui() { return static_cast<port::QtUi&>(host_.ui()); }
  // Frame steps as the main loop runs them, with the window's events between.
  void steps(int count) {
    for (int i = 0; i < count; ++i) {
      host_.processEvents();
      frameStep(scene_, *systems_);
    }
    host_.processEvents();
  }
  // A mouse click on the real button, which must be shown and enabled.
  void click(int id) {
    auto* button = qobject_cast<QPushButton*>(ui().widget(id));
    ASSERT_NE(button, nullptr) << id;
    ASSERT_TRUE(button->isVisible()) << id;
    ASSERT_TRUE(button->isEnabled()) << id;
    QTest::mouseClick(button, Qt::LeftButton);
    steps(1);
  }

  const KeptConfiguration keptConfiguration_;
  int argc_ = 1;
  char name_[9] = "test_gui";
  char* argv_[2] = {name_, nullptr};
  port::QtWindowHost host_{argc_, argv_};
  Scene scene_;
  std::unique_ptr<FrameSystems> systems_ = std::make_unique<FrameSystems>();
  QMainWindow* window_ = nullptr;
  std::vector<std::string> messages_;  // of every message box, answered OK
};

// Runs `answer` on the modal dialog once it is showing; a dialog the answer leaves open is
// cancelled so that a failing test cannot hang.
inline void whenModalShows(std::function<void(QDialog&)> answer) {
  QTimer::singleShot(0, [answer = std::move(answer)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      ADD_FAILURE() << "no modal dialog is showing";
      return;
    }
    answer(*dialog);
    if (dialog->isVisible() && QApplication::activeModalWidget() == dialog) {
      dialog->reject();
    }
  });
}

inline void typeOver(QDialog& dialog, const char* field, const char* text) {
  auto* edit = dialog.findChild<QLineEdit*>(field);
  ASSERT_NE(edit, nullptr) << field;
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

inline void pressOk(QDialog& dialog) {
  QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
}

}  // namespace zv::test
