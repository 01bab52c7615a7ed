// The real main window's controls and menus under the test script's X server: the widgets exist
// as the tables describe them, and what the user does with them reaches the window's callbacks.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <utility>

#include "port/canvas/canvas.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "ui/control_ids.h"
#include "ui/create_controls.h"

namespace zv {
namespace {

using Notification = std::pair<int, int>;

QAction* menuItem(QMainWindow& window, const QString& caption) {
  for (QAction* entry : window.menuBar()->actions()) {
    for (QAction* item : entry->menu()->actions()) {
      if (item->text() == caption) {
        return item;
      }
    }
  }
  return nullptr;
}

class WindowControls : public ::testing::Test {
 protected:
  WindowControls() {
    port::WindowEvents events;
    events.command = [this](int id, int notification) {
      heard.push_back({id, notification});
      checkedWhenHeard.push_back(ui().control(id).checked);
    };
    events.scrolled = [this](int id, port::ScrollCode code, int position) {
      scrolls.push_back({id, static_cast<int>(code)});
      scrollPositions.push_back(position);
    };
    events.paint = [this](port::Canvas& canvas) {
      ++paints;
      canvas.fill({0, 0, 30, 20}, {200, 10, 10, 255});
    };
    host.createMainWindow("Zol_Vanta", {40, 40, 1064, 808}, std::move(events));
    createControls(host.ui());
    host.showMainWindow(false);
    window = qobject_cast<QMainWindow*>(ui().widget(kUndoButton)->window());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
  }
  port::QtUi& ui() { return static_cast<port::QtUi&>(host.ui()); }
  QWidget* placed(int id, port::Rect area) {
    ui().placeControl(id, area);
    return ui().widget(id);
  }

  int argc = 1;
  char name[9] = "test_gui";
  char* argv[2] = {name, nullptr};
  port::QtWindowHost host{argc, argv};
  QMainWindow* window = nullptr;
  std::vector<Notification> heard;
  std::vector<bool> checkedWhenHeard;
  std::vector<Notification> scrolls;
  std::vector<int> scrollPositions;
  int paints = 0;
};

TEST_F(WindowControls, RealWidgetsAndMenuItemsComeFromTheTables) {
  ASSERT_NE(window, nullptr);
  QPushButton* undo = nullptr;
  for (QPushButton* button : window->findChildren<QPushButton*>()) {
    if (button->text() == "元に戻す") {
      undo = button;
    }
  }
  ASSERT_NE(undo, nullptr);
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_EQ(undo->font().family(), "IPAPGothic");
  EXPECT_EQ(undo->font().pixelSize(), 12);
  EXPECT_NE(ui().widget(kCurrentFrameBox)->font().family(), "IPAPGothic");
  EXPECT_EQ(qobject_cast<QLineEdit*>(ui().widget(kCurrentFrameBox))->alignment(), Qt::AlignCenter);
  EXPECT_TRUE(qobject_cast<QPushButton*>(ui().widget(kPlayButton))->isCheckable());

  QAction* newScene = menuItem(*window, "新規(&N)");
  ASSERT_NE(newScene, nullptr);
  EXPECT_EQ(newScene, ui().action(kMenuNew));
  EXPECT_TRUE(ui().action(kMenuShowAxes)->isChecked());
  EXPECT_FALSE(ui().action(kMenuSavePose)->isEnabled());
  ui().checkControl(kMenuShowAxes, false);
  ui().enableControl(kMenuSavePose, true);
  EXPECT_FALSE(ui().action(kMenuShowAxes)->isChecked());
  EXPECT_TRUE(ui().action(kMenuSavePose)->isEnabled());
}

TEST_F(WindowControls, ClicksReachTheCommandCallback) {
  QWidget* front = placed(kFrontViewButton, {500, 600, 540, 618});
  QWidget* undo = placed(kUndoButton, {50, 24, 110, 42});
  QWidget* play = placed(kPlayButton, {600, 600, 650, 624});
  QTest::mouseClick(undo, Qt::LeftButton);  // disabled: nothing
  QTest::mouseClick(front, Qt::LeftButton);
  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_EQ(heard, (std::vector<Notification>{{kFrontViewButton, 0}, {kPlayButton, 0}}));
  EXPECT_EQ(checkedWhenHeard, (std::vector<bool>{false, true}));  // the play button is down when heard

  heard.clear();
  ui().action(kMenuShowAxes)->trigger();
  EXPECT_EQ(heard, (std::vector<Notification>{{kMenuShowAxes, 0}}));
  EXPECT_TRUE(ui().action(kMenuShowAxes)->isChecked());  // the command, not the menu, unticks it
}

TEST_F(WindowControls, ChoosingAListRowReachesTheCallbackAndProgramChoicesDoNot) {
  auto* list = qobject_cast<QComboBox*>(placed(kCurveList, {144, 600, 224, 700}));
  ASSERT_NE(list, nullptr);
  EXPECT_LT(list->height(), 100);  // closed, a drop-down list is one row high
  ui().selectControlRow(kCurveList, 3);
  EXPECT_EQ(list->currentIndex(), 3);
  EXPECT_TRUE(heard.empty());
  list->showPopup();
  QTest::keyClick(list->view(), Qt::Key_Down);
  QTest::keyClick(list->view(), Qt::Key_Return);
  EXPECT_EQ(heard, (std::vector<Notification>{{kCurveList, port::kNotifySelectionChanged}}));
  EXPECT_EQ(ui().control(kCurveList).selection, 4);
}

TEST_F(WindowControls, EnterInACommittingEditReportsAndReturnsTheFocus) {
  QWidget* box = placed(kViewAngleBox, {420, 600, 450, 614});
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  box->setFocus();
  QTest::keyClicks(box, "30");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(ui().control(kViewAngleBox).text, "30");
  EXPECT_EQ(heard, (std::vector<Notification>{{kViewAngleBox, port::kNotifyFocusGained},
                                              {kViewAngleBox, port::kNotifyEnterPressed},
                                              {kViewAngleBox, port::kNotifyFocusLost}}));
  EXPECT_EQ(QApplication::focusWidget(), window);
}

TEST_F(WindowControls, TrackBarMovesReportTheirWindowSystemCodes) {
  auto* bar = qobject_cast<QSlider*>(placed(kViewAngleBar, {356, 700, 450, 718}));
  ASSERT_NE(bar, nullptr);
  ui().setControlRange(kViewAngleBar, 1, 125);
  ui().setControlPosition(kViewAngleBar, 45);
  EXPECT_TRUE(scrolls.empty());
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(scrolls, (std::vector<Notification>{{kViewAngleBar, 1}, {kViewAngleBar, 8}}));
  EXPECT_EQ(scrollPositions.front(), 46);
  EXPECT_EQ(ui().control(kViewAngleBar).position, 46);
}

TEST_F(WindowControls, AScrollBarReportsAndKeepsItsThumbWhereTheProgramPutsIt) {
  auto* bar = qobject_cast<QScrollBar*>(placed(kRowScrollBar, {231, 175, 247, 400}));
  ASSERT_NE(bar, nullptr);
  ui().setControlRange(kRowScrollBar, 0, 30);
  ui().setControlPage(kRowScrollBar, 10);
  ui().setControlPosition(kRowScrollBar, 4);
  EXPECT_EQ(bar->maximum(), 21);  // the highest thumb position: maximum - page + 1
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(scrolls, (std::vector<Notification>{{kRowScrollBar, 3}, {kRowScrollBar, 8}}));
  EXPECT_EQ(scrollPositions.front(), 14);
  EXPECT_EQ(ui().control(kRowScrollBar).position, 4);
  EXPECT_EQ(bar->value(), 4);
}

TEST_F(WindowControls, PlacementIsInClientPixelsBelowTheMenuBar) {
  QWidget* front = placed(kFrontViewButton, {10, 20, 50, 38});
  EXPECT_EQ(front->geometry(), QRect(10, 20, 40, 18));
  EXPECT_EQ(ui().control(kFrontViewButton).area, (port::Rect{10, 20, 50, 38}));
  const int menuHeight = window->menuBar()->height();
  EXPECT_GT(menuHeight, 0);
  EXPECT_EQ(front->mapTo(window, QPoint(0, 0)), QPoint(10, 20 + menuHeight));
  const port::Rect client = ui().clientRect();
  EXPECT_EQ(client.top, 0);
  EXPECT_EQ(client.height(), window->height() - menuHeight);
  EXPECT_EQ(client.width(), window->width());
}

TEST_F(WindowControls, TheClientAreaShowsWhatThePanelsPaint) {
  const int paintsBefore = paints;
  ui().repaint();
  for (int turn = 0; turn < 1000 && paints == paintsBefore; ++turn) {
    host.processEvents();
  }
  EXPECT_GT(paints, paintsBefore);
  const QImage shot = window->grab().toImage();
  const int top = window->menuBar()->height();
  EXPECT_EQ(shot.pixel(5, top + 5), qRgb(200, 10, 10));
  EXPECT_NE(shot.pixel(40, top + 30), qRgb(200, 10, 10));  // unpainted: the window's own grey
}

}  // namespace
}  // namespace zv
