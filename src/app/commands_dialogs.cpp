// The menu commands that collect their numbers in a small dialog: the output size, random blinks,
// the ground-shadow colour and the AVI export.
#include "app/command_table.h"
#include "app/file_commands.h"
#include "app/recording_commands.h"
#include "app/small_dialogs.h"
#include "app/window_panels.h"
#include "media/background_image.h"
#include "media/background_video.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

constexpr CommandDialog kExportDialog{"AVI出力", "AVI files(*.avi)", "*.avi", "UserFile", "avi"};

bool changeOutputSize(Scene& scene, FrameSystems& systems, int) {
  if (!askOutputSize(scene, *systems.ui)) {
    return false;
  }
  layoutWindow(scene, systems);
  if (scene.backgroundVideoShown == 1) {
    showMessages(*systems.ui, composeVideo(scene, systems.backgrounds).messages);
  }
  if (scene.backgroundImageShown) {
    showMessages(*systems.ui, composeImage(scene, systems.backgrounds));
  }
  systems.ui->repaint();
  return true;
}

bool insertRandomBlinks(Scene& scene, FrameSystems& systems, int) {
  const std::optional<int> count = insertBlinks(
      scene,
      [&]() -> std::optional<BlinkRange> {
        if (!askBlinkRange(scene, *systems.ui)) {
          return std::nullopt;
        }
        return BlinkRange{scene.blinkRangeStart, scene.blinkRangeEnd};
      },
      *systems.ui);
  return count.has_value();
}

bool showShadowColour(Scene& scene, FrameSystems& systems, int) {
  openShadowDialog(scene, systems);
  return false;
}

// The file, the settings, then the codec; a cancel anywhere records nothing and makes no file.
bool exportAvi(Scene& scene, FrameSystems& systems, int) {
  const std::optional<std::filesystem::path> path = askSavePath(scene, systems, kExportDialog);
  if (!path || !askRecordSettings(scene, *systems.ui, wavLoaded(systems))) {
    return false;
  }
  const std::optional<port::VideoCodecChoice> codec =
      askVideoCodec(*systems.ui, systems.aviExport.settings.codec);
  if (!codec) {
    return false;
  }
  systems.aviExport.settings.codec = *codec;
  RecordingSettings settings{*path,
                             scene.recordStartFrame,
                             scene.recordEndFrame,
                             scene.recordFrameRate,
                             scene.recordWave,
                             scene.fastOutput,
                             *codec};
  startWindowRecording(scene, systems, settings);
  return false;
}

constexpr int kClick = port::kNotifyClicked;
constexpr CommandMode kAny = CommandMode::Any;

const CommandRow kRows[] = {
    {kMenuOutputSize, kClick, changeOutputSize, kAny, false, true, true},
    {kMenuRandomBlinks, kClick, insertRandomBlinks, CommandMode::ModelMode, true, true, true, true},
    {kMenuShadowColour, kClick, showShadowColour},
    {kMenuExportAvi, kClick, exportAvi, kAny, false, true},
};

}  // namespace

std::span<const CommandRow> dialogCommands() {
  return kRows;
}

}  // namespace zv
