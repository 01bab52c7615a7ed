#include "app/key_table.h"

namespace zv {
namespace {

// A key that went down since the last poll is a new press, even when it was also down at the last
// poll and was let go in between.
KeyState nextState(KeyState previous, bool down, bool wentDown) {
  if (wentDown) {
    return KeyState::Pressed;
  }
  if (down) {
    return previous == KeyState::Up || previous == KeyState::Released ? KeyState::Pressed : KeyState::Held;
  }
  return previous == KeyState::Pressed || previous == KeyState::Held ? KeyState::Released : KeyState::Up;
}

}  // namespace

void recordKey(KeyboardDevice& keyboard, const port::KeyEvent& event) {
  if (event.code <= 0 || event.code >= port::kKeyCodeCount) {
    return;
  }
  const auto code = static_cast<std::size_t>(event.code);
  if (event.down && !keyboard.down[code]) {
    keyboard.wentDown[code] = true;
  }
  keyboard.down[code] = event.down;
}

void pollInput(Scene& scene, KeyboardDevice& keyboard) {
  for (std::size_t code = 0; code < keyboard.down.size(); ++code) {
    KeyState& state = code == port::kKeyEnter ? scene.enterKeyState : scene.keyStates[code];
    state = nextState(state, keyboard.down[code], keyboard.wentDown[code]);
    keyboard.wentDown[code] = false;
  }
}

void takeEnterAsHeld(Scene& scene, KeyboardDevice& keyboard) {
  keyboard.wentDown[port::kKeyEnter] = false;
  scene.enterKeyState = KeyState::Held;
}

KeyState keyState(const Scene& scene, int code) {
  if (code == port::kKeyEnter) {
    return scene.enterKeyState;
  }
  return scene.keyStates[static_cast<std::size_t>(code)];
}

bool keyDown(const Scene& scene, int code) {
  const KeyState state = keyState(scene, code);
  return state == KeyState::Pressed || state == KeyState::Held;
}

bool keyPressed(const Scene& scene, int code) {
  return keyState(scene, code) == KeyState::Pressed;
}

}  // namespace zv
