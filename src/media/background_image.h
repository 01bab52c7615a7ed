// The background image: loading a BMP and composing it onto white.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "media/background_state.h"
#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr std::string_view kImageCaption = "BMPファイル読込";
inline constexpr std::string_view kImageUnreadableMessage = "BMPファイルを読み込めませんでした";

// Reads `path` (or, when that fails and it names a .bmp file in some folder, the file of that name
// under UserFile/BackGround), fits it to the width, shows it (scene.backgroundImageShown, which the
// menu item follows) and composes it. On failure: nothing loaded, the image hidden, and the
// message to show in a box of its own.
Outcome loadImage(Scene& scene, Backgrounds& backgrounds, const std::filesystem::path& path);

// The image surface: white with the image stretched smoothly over it; then, while the video is
// shown, the video surface again so that the video lies over the new image. The messages are the
// video's, when its frame cannot be decoded.
std::vector<Message> composeImage(Scene& scene, Backgrounds& backgrounds);

}  // namespace zv
