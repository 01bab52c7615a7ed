// The background video: loading an AVI and composing the frame that belongs to the current time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "media/background_state.h"
#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr std::string_view kVideoCaption = "AVIデータ読込";
inline constexpr std::string_view kVideoNotFoundMessage = "AVIファイルが読み込めません";
inline constexpr std::string_view kVideoInfoMessage = "AVIFILEINFOを読み込めません";
inline constexpr std::string_view kVideoUnreadableMessage = "AVIファイルを読み込めません";

// Opens `path` (or, when it does not open and names an .avi file in some folder, the file of that
// name under UserFile/BackGround), fits the first frame to the width, shows the video
// (scene.backgroundVideoShown, which the menu item follows) and composes it. On failure: nothing
// loaded, the video hidden, and the message to show in a box of its own.
Outcome loadVideo(Scene& scene, Backgrounds& backgrounds, const std::filesystem::path& path);

// Closes the video; its path is cleared and it is no longer shown.
void unloadVideo(Scene& scene, Backgrounds& backgrounds);

// The frame of the video the frame step shows now (see composeVideo); advances the counter of a
// frame-locked 30 fps recording.
std::int64_t backgroundVideoSample(const Scene& scene, BackgroundVideo& video);

// Decodes the frame for the current time and composes the video surface: the image surface (when
// the image is shown) or white, with the frame stretched over it. A frame that cannot be decoded
// unloads the video and is not done, with the message.
Outcome composeVideo(Scene& scene, Backgrounds& backgrounds);

// Starts the frame counter of a recording from `startFrame`.
void followRecording(Backgrounds& backgrounds, std::uint32_t startFrame, float recordFrameRate);

}  // namespace zv
