#include "app/recording_frames.h"

#include "app/recording_commands.h"
#include "media/avi_export.h"
#include "render/async_read_back.h"

namespace zv {
namespace {

// The oldest picture being read back to the writer's queue, to be made opaque there. A read that
// cannot be collected hands over an empty picture, which the writer refuses with the recording's
// message.
Outcome handOverOldestPicture(Scene& scene, FrameSystems& systems) {
  AviExport& aviExport = systems.aviExport;
  port::Picture& picture = aviExport.backBuffer;
  if (!collectReadBack(systems.recordingReadBack, picture)) {
    picture = {};
  }
  aviExport.picturesReadingBack -= 1;
  return queueFrame(scene, aviExport, picture, port::RowOrder::BottomUp, port::QueuedAlpha::Opaque);
}

Outcome takePictureOverlapped(Scene& scene, FrameSystems& systems) {
  AviExport& aviExport = systems.aviExport;
  AsyncReadBack& readBack = systems.recordingReadBack;
  if (aviExport.picturesReadingBack == 0) {
    discardReadBacks(readBack);  // left by a recording that ended without them
  }
  if (!startReadBack(systems.device, readBack)) {
    const Outcome handed = handOverPicturesReadingBack(scene, systems);
    if (!handed) {
      return handed;
    }
    return writeFrame(scene, aviExport, port::Picture{}, port::RowOrder::BottomUp);
  }
  aviExport.picturesReadingBack += 1;
  if (pendingReadBacks(readBack) < 2) {
    return {true, {}};
  }
  return handOverOldestPicture(scene, systems);
}

Outcome takePictureAtOnce(Scene& scene, FrameSystems& systems) {
  DisplayDevice& device = systems.device;
  port::Picture& picture = systems.aviExport.backBuffer;
  picture.width = device.width;
  picture.height = device.height;
  picture.pixels.resize(static_cast<std::size_t>(device.width) * device.height * 4);
  if (!readBackBufferBottomUp(device, picture.pixels)) {
    picture = {};  // refused by the writer, which ends the recording with its message
  }
  port::makeOpaque(picture);
  return writeFrame(scene, systems.aviExport, picture, port::RowOrder::BottomUp);
}

}  // namespace

void recordFrame(Scene& scene, FrameSystems& systems) {
  if (!scene.recording) {
    return;
  }
  const Outcome taken = systems.aviExport.overlapCoding ? takePictureOverlapped(scene, systems)
                                                        : takePictureAtOnce(scene, systems);
  systems.aviExport.elapsedSeconds += scene.frameElapsedSeconds;
  if (!taken) {
    showRecordingStep(scene, taken, *systems.ui);
  }
}

Outcome handOverPicturesReadingBack(Scene& scene, FrameSystems& systems) {
  if (systems.aviExport.picturesReadingBack > 0 && systems.surface) {
    systems.surface->makeCurrent();
  }
  while (scene.recording && systems.aviExport.picturesReadingBack > 0) {
    const Outcome handed = handOverOldestPicture(scene, systems);
    if (!handed) {
      return handed;
    }
  }
  return {true, {}};
}

}  // namespace zv
