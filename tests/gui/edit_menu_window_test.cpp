// The edit menu of the real window, opened from the menu bar and clicked with the mouse, reaches
// the program's command handler and selects keys in the scene.
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "app/model_commands.h"
#include "app/window_program.h"
#include "kept_configuration.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

// Opens the menu-bar menu that holds `item` with a click on its title and clicks the item.
void clickMenuItem(QMainWindow& window, QAction* item) {
  QMenuBar* bar = window.menuBar();
  for (QAction* entry : bar->actions()) {
    QMenu* menu = entry->menu();
    if (!menu || !menu->actions().contains(item)) {
      continue;
    }
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(entry).center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    return;
  }
  FAIL() << "no menu holds " << item->text().toStdString();
}

TEST(EditMenuWindow, ClickingSelectAllBoneKeysSelectsEveryBoneKey) {
  static int argc = 1;
  static char name[] = "test_gui";
  static char* argv[] = {name, nullptr};
  const test::KeptConfiguration keptConfiguration;
  auto host = std::make_unique<port::QtWindowHost>(argc, argv);
  Scene scene;
  auto systems = std::make_unique<FrameSystems>();
  ASSERT_EQ(startUp(scene, *host, "", windowContents(scene, *systems, *host)), StartOutcome::Running);
  EXPECT_TRUE(host->processEvents());
  auto& ui = static_cast<port::QtUi&>(host->ui());
  auto* window = qobject_cast<QMainWindow*>(ui.widget(kUndoButton)->window());
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

  ui.answerMessage = [](std::string_view, std::string_view, port::MessageButtons) {
    return port::MessageAnswer::Ok;
  };
  ASSERT_TRUE(addModel(scene, *systems, "UserFile/Model/tessera.tsm"));
  Model& model = *currentModel(scene);
  model.bones[0].keyTranslation = {1, 0, 0};
  ASSERT_TRUE(registerBoneKey(scene, model, 0, 30));
  clearKeySelection(model.boneKeyPool);
  host->processEvents();

  QAction* selectAll = ui.action(kMenuSelectAllBoneKeys);
  ASSERT_TRUE(selectAll->isEnabled());
  clickMenuItem(*window, selectAll);
  host->processEvents();
  std::size_t selected = 0;
  for (std::uint32_t index = 0; index < model.boneKeyPool.extent(); ++index) {
    selected += model.boneKeyPool[index].selected ? 1 : 0;
  }
  EXPECT_EQ(selected, model.bones.size() + 1);

  window->close();
  host->processEvents();
  releaseFrameSystems(*systems, scene);
}

}  // namespace
}  // namespace zv
