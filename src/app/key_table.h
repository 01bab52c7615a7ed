// The keys and mouse buttons as the 3D view reads them: the window reports each change as it
// happens, and once per frame step the poll turns that into the scene's key states.
#pragma once

#include <array>

#include "port/key_codes.h"
#include "port/window_host.h"
#include "scene/document/scene.h"

namespace zv {

struct KeyboardDevice {
  std::array<bool, port::kKeyCodeCount> down{};
  // Went down since the last poll: a tap shorter than one step still counts as a press.
  std::array<bool, port::kKeyCodeCount> wentDown{};
};

// A change the window reported; codes outside the table are ignored.
void recordKey(KeyboardDevice& keyboard, const port::KeyEvent& event);

// Updates every key state: Pressed on the first poll a key is down, Held on the next ones,
// Released on the first poll it is up again, then Up. A key that went down since the last poll
// reads Pressed even when it is up again or was already down at the last poll.
void pollInput(Scene& scene, KeyboardDevice& keyboard);

// The Enter that just confirmed something else (a typed box) reads Held from now on, so the next
// poll does not take it for a new press that registers a frame.
void takeEnterAsHeld(Scene& scene, KeyboardDevice& keyboard);

KeyState keyState(const Scene& scene, int code);
// Pressed or Held.
bool keyDown(const Scene& scene, int code);
bool keyPressed(const Scene& scene, int code);

}  // namespace zv
