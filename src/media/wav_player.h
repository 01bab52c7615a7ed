// The music player: one PCM WAV streamed from disk into a two-second looping sound buffer by a
// thread of its own, refilled one second at a time, and the waveform strip drawn from the same file.
//
// Lifecycle: open (file parsed, waveform built) -> prepare (buffer made, file at the data start)
// -> playFrom (thread running) -> stop (thread joined, file closed) -> prepare before the next
// playFrom. The frame step, at the end of the play range, calls stop then prepare; on repeat it
// calls playFrom with the start time.
//
// Threads: the streaming thread is the only other thread. It owns buffer, file, dataRead and
// shortReads while it runs; the user-interface thread touches them only before starting it and
// after stop has joined it. stopState is the handshake.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <thread>

#include "files/wav/wav_format.h"
#include "files/wav/wav_waveform.h"
#include "port/audio/audio_stream.h"
#include "port/canvas/canvas.h"
#include "scene/document/message.h"

namespace zv {

inline constexpr int kWavRunning = 0;        // the streaming thread plays
inline constexpr int kWavStopRequested = 1;  // written by stop; the thread leaves within 10 ms
inline constexpr int kWavFinished = 2;       // the thread's last act

inline constexpr std::string_view kSoundUnavailableMessage =
    "DirectSoundの初期化に失敗しているため、WAVは鳴らせません";
inline constexpr std::string_view kSoundUnavailableCaption = "DirectSoundエラー";
inline constexpr std::string_view kSoundCreateFailedMessage =
    "DirectSoundが生成できません\nDirectSoundの使用が不可能です";

// Width and height of the strip painted blank when a load fails, and where it is shown.
inline constexpr int kBlankStripWidth = 239;
inline constexpr int kBlankStripHeight = 49;

struct WavPlayer {
  port::Canvas* waveformStrip = nullptr;      // the panel bitmap holding the strip (50 rows high)
  bool audioAvailable = false;                // initialise succeeded: the sound output can be used
  std::unique_ptr<port::AudioStream> buffer;  // bufferBytes long; released by the thread as it ends
  PcmFormat format;                           // of the file last parsed
  std::filesystem::path path;                 // the WAV file, after the UserFile/Wave fall-back
  std::int64_t bufferBytes = 0;               // 2 x averageBytesPerSecond
  std::thread thread;                         // joinable while a streaming thread exists
  std::int64_t dataBytes = 0;                 // size of the data chunk
  std::int64_t dataRead = 0;                  // bytes of the data chunk before the file position
  std::int64_t dataOffset = 0;                // file offset of the first data byte
  int file = -1;                              // descriptor positioned in the data chunk, or -1
  std::atomic<int> stopState{kWavFinished};   // kWavRunning, kWavStopRequested or kWavFinished
  int shortReads = 0;                         // buffer fills that reached the end of the data
  Waveform waveform;                          // columns of the file last opened

  // Joins a thread still running, so that a player is never destroyed under it.
  ~WavPlayer();
};

// Starts the sound output. On failure it is not done, with a message standing alone; the caller
// keeps the result as the sound-available flag. `waveformStrip` may be null (no panels).
Outcome initialise(WavPlayer& player, port::Canvas* waveformStrip);

// Stops any playback, opens and parses `path` and builds the waveform. A path that does not open
// is retried under executableDirectory/UserFile/Wave, and `path` then names the file found.
// Not done, with its message, when the file cannot be used.
Outcome open(WavPlayer& player, std::filesystem::path& path,
             const std::filesystem::path& executableDirectory);

// Reopens the file at the start of its data and makes the stream buffer. False, with no buffer,
// when the file no longer parses or the sound output refuses the format.
bool prepare(WavPlayer& player);

// Starts the streaming thread at `seconds` into the data (rounded down to a whole frame). A
// player without a buffer is prepared first; false when that fails.
bool playFrom(WavPlayer& player, float seconds);

// Asks the thread to stop, joins it and closes the file and the buffer. Harmless when nothing plays.
void stop(WavPlayer& player);

// Redraws the strip: `panelWidth` - 10 columns with the current frame's sound at x = 74.
void drawWaveform(WavPlayer& player, std::uint32_t currentFrame, int panelWidth);

// stop, then releases the sound output.
void shutdown(WavPlayer& player);

// The load step of the WAV command and of project loading: refuses when sound is unavailable,
// otherwise forgets the previous file, opens `path` and prepares it, and draws the strip at
// `currentFrame`; on failure paints the strip blank and clears the player's path. The caller sets
// the scene's wavLoaded from the result, shows its messages and refreshes the frame editor.
Outcome loadWav(WavPlayer& player, std::filesystem::path& path,
                const std::filesystem::path& executableDirectory, std::uint32_t currentFrame, int panelWidth);

}  // namespace zv
