// Recording the animation into an AVI file: one picture per frame step, at the output frame rate,
// independent of real time, with the music appended when the recording starts at frame 0.
//
// How the frame step drives it, while `scene.recording`:
//   step 1: advanceRecordingClock(scene, export); when it returns false the recording is complete:
//           playing = false, refresh the timeline, finishRecording(scene, export, wav PCM).
//   step 12: writeFrame(scene, export, back buffer read after the 3D scene, before any overlay, into
//           export.backBuffer, which stays allocated for the whole recording);
//           when it is not done the recording has ended with a message: refresh the timeline.
//           With overlapCoding the back buffer is read asynchronously instead and handed over
//           with queueFrame one step later (counted in picturesReadingBack meanwhile); the last
//           one is handed over before the recording is finished.
//   Esc: playing = false, refresh the timeline, finishRecording(scene, export, wav PCM).
// The play button is disabled exactly while scene.recording; messages go in boxes of their own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "port/video/avi_writer.h"
#include "port/video/picture.h"
#include "port/video/video_codecs.h"
#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr std::string_view kExportCaption = "AVI出力";
inline constexpr std::string_view kExportRateMessage = "フレームレートが正しくありません";
inline constexpr std::string_view kExportSizeMessage = "録画サイズが正しくありません";
inline constexpr std::string_view kExportEvenSizeMessage =
    "この圧縮形式では録画サイズの縦横を偶数にしてください";
inline constexpr std::string_view kExportRangeMessage = "録画終了ﾌﾚｰﾑが録画開始ﾌﾚｰﾑよりも小さいです";
inline constexpr std::string_view kExportCodecMessage = "この圧縮形式は使用できません";
inline constexpr std::string_view kExportCreateMessage = "AVIファイルを作成できません";
inline constexpr std::string_view kExportWriteMessage = "AVIファイルへの書き込みに失敗しました";

// What the settings dialog and the codec choice decided.
struct RecordingSettings {
  std::filesystem::path recordPath;
  std::uint32_t recordStartFrame = 0;  // inclusive range of animation frames
  std::uint32_t recordEndFrame = 0;
  float recordFrameRate = kFramesPerSecond;  // output pictures per second
  bool recordWave = false;                   // append the music as an audio stream ("WAVE出力")
  bool fastOutput = false;                   // kept for the dialog; every output takes the same path here
  port::VideoCodecChoice codec;
};

struct AviExport {
  RecordingSettings settings;
  std::int32_t framesWritten = 0;             // pictures written so far (queued ones once coded)
  std::int32_t picturesTaken = 0;             // pictures handed over: written or queued for coding
  std::int32_t picturesReadingBack = 0;       // drawn for the file but not yet handed over
  std::int32_t frameBytes = 0;                // outputWidth x outputHeight x 4
  std::int32_t picturesTotal = 0;             // what the whole recording writes
  double elapsedSeconds = 0.0;                // real time the recording has taken so far
  std::unique_ptr<port::AviWriter> writer;    // open while recording
  std::optional<port::AviAudioFormat> audio;  // the audio stream the file carries, if any
  port::Picture backBuffer;                   // the frame step's read-back, reused every picture
  bool failed = false;  // a picture or the end of the file of this recording could not be written
  // Each picture is read back while the next is drawn and coded on the writer's thread; off, each
  // is read back and written within its own frame step. The file's bytes are the same.
  bool overlapCoding = true;
  // A failed write still puts the pictures written so far in place; without, the target is left
  // as it was (for callers that replace a file only with a whole recording).
  bool keepPartOnWriteFailure = true;
};

struct RecordingStart {
  port::AviWriteError error = port::AviWriteError::None;
  std::vector<Message> messages;  // why the recording was refused
};

// Opens the file (the output size is the scene's) and starts recording and playing from the
// start frame. `wavFormat` is the format of the loaded music, if any; the file gets an audio
// stream only when `recordWave` is set and the recording starts at frame 0. On failure nothing is
// recording, no file is left, and the result carries the writer's error and the message saying
// why. The caller also sets the play range, runs the playback-start reset and calls
// followRecording for the background video.
RecordingStart startRecording(Scene& scene, AviExport& aviExport, const RecordingSettings& settings,
                              std::optional<port::AviAudioFormat> wavFormat);

// Sets the playback clock to the frame the next picture shows (after every picture taken, those
// still being read back included); false once that is past the end frame (the clock then reads
// the time where the recording ends).
bool advanceRecordingClock(Scene& scene, const AviExport& aviExport);

// Appends the back buffer (any size, rows in `rows` order; scaled to the output size) as the next
// picture. A failed write finishes the file with what it has (or abandons it, see
// keepPartOnWriteFailure), stops playing and is not done; the result carries the message.
Outcome writeFrame(Scene& scene, AviExport& aviExport, const port::Picture& backBuffer,
                   port::RowOrder rows = port::RowOrder::TopDown);

// As writeFrame, but the picture is coded on the writer's thread while the caller goes on; its
// pixels are taken and `backBuffer` is left with a spent buffer to fill next. `alpha` Opaque
// makes the picture opaque there, as the recording's pictures are. A failure of an earlier queued
// picture ends the recording here, as writeFrame would have for that picture.
Outcome queueFrame(Scene& scene, AviExport& aviExport, port::Picture& backBuffer,
                   port::RowOrder rows = port::RowOrder::TopDown,
                   port::QueuedAlpha alpha = port::QueuedAlpha::AsGiven);

// The pictures the recording has taken from the drawing: handed over or still being read back.
std::int32_t picturesDrawn(const AviExport& aviExport);

// Ends the recording: the queued pictures are written, the music's PCM (`wavPcm`, in the format
// given at the start) up to the time the recording reached goes into the audio stream, and the
// file is put in place. A queued picture that failed ends it as writeFrame would have; a failure
// to finish the file is not done; either with its message. Does nothing when no recording runs.
Outcome finishRecording(Scene& scene, AviExport& aviExport, std::span<const std::uint8_t> wavPcm);

// Ends the recording without putting its file in place: whatever stood at the target is left as
// it was.
void abandonRecording(Scene& scene, AviExport& aviExport);

}  // namespace zv
