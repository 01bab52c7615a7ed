// What playback locks in the window: the controls and menu items that would edit the scene while
// it plays are disabled, each one's state remembered so that stopping gives back exactly what was
// there before.
#pragma once

#include <utility>
#include <vector>

#include "port/ui.h"

namespace zv {

struct PlaybackLock {
  std::vector<std::pair<int, bool>> remembered;  // id and whether it was enabled; empty when unlocked
};

// Remembers and disables the editing controls and menu items.
void lockForPlayback(port::Ui& ui, PlaybackLock& lock);

// Gives every remembered control and menu item its state back; nothing when not locked.
void unlockAfterPlayback(port::Ui& ui, PlaybackLock& lock);

}  // namespace zv
