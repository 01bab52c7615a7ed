// The frame systems with the panels of a new scene and the headless window wired to the real
// command and scroll handlers, as the window wires them: the base of the editing tests.
#pragma once

#include "app/command_handler.h"
#include "app/model_commands.h"
#include "app/new_scene.h"
#include "app/window_panels.h"
#include "frame_fixture.h"

namespace zv::test {

class EditorTest : public FrameStepTest {
 protected:
  void SetUp() override {
    FrameStepTest::SetUp();
    if (!context_) {
      return;
    }
    createPanels(scene_, *systems_);
    newScene(scene_, *systems_);
    ui_.command = [&](int id, int notification) { handleCommand(scene_, *systems_, id, notification); };
    ui_.scrolled = [&](int id, port::ScrollCode code, int position) {
      handleScroll(scene_, *systems_, id, code, position);
    };
    ui_.messages.clear();
    scene_.modified = false;
  }

  // The demo character as the current model, with nothing shown and nothing modified yet.
  Model& addDemoModel() {
    EXPECT_TRUE(addModel(scene_, *systems_, "UserFile/Model/tessera.tsm"));
    ui_.messages.clear();
    scene_.modified = false;
    return *currentModel(scene_);
  }
};

}  // namespace zv::test
