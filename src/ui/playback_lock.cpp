#include "ui/playback_lock.h"

#include "ui/control_rows.h"
#include "ui/menu_rows.h"

namespace zv {
namespace {

struct IdRange {
  int first;
  int last;
};

constexpr IdRange kLockedControls[] = {{300, 301}, {309, 310}, {315, 364},
                                       {367, 381}, {384, 394}, {397, 416}};
constexpr IdRange kLockedMenuItems[] = {{203, 211}, {213, 215}, {220, 226},
                                        {228, 237}, {254, 258}, {263, 266}};

bool within(int id, std::span<const IdRange> ranges) {
  for (const IdRange& range : ranges) {
    if (id >= range.first && id <= range.last) {
      return true;
    }
  }
  return false;
}

void lock(port::Ui& ui, PlaybackLock& playbackLock, int id) {
  playbackLock.remembered.emplace_back(id, ui.control(id).enabled);
  ui.enableControl(id, false);
}

}  // namespace

void lockForPlayback(port::Ui& ui, PlaybackLock& playbackLock) {
  unlockAfterPlayback(ui, playbackLock);
  for (const port::ControlSpec& spec : controlRows()) {
    if (within(spec.id, kLockedControls)) {
      lock(ui, playbackLock, spec.id);
    }
  }
  for (const port::MenuItemSpec& spec : menuRows()) {
    if (within(spec.id, kLockedMenuItems)) {
      lock(ui, playbackLock, spec.id);
    }
  }
}

void unlockAfterPlayback(port::Ui& ui, PlaybackLock& playbackLock) {
  for (const auto& [id, enabled] : playbackLock.remembered) {
    ui.enableControl(id, enabled);
  }
  playbackLock.remembered.clear();
}

}  // namespace zv
