// The background image: loading a BMP and composing it onto white.
#pragma once

#include <filesystem>
#include <string_view>

#include "media/background_state.h"
#include "scene/scene.h"
#include "ui/control_ids.h"

namespace zv {

inline constexpr std::string_view kImageCaption = "BMPファイル読込";
inline constexpr std::string_view kImageUnreadableMessage = "BMPファイルを読み込めませんでした";

// Reads `path` (or, when that fails and it names a .bmp file in some folder, the file of that name
// under UserFile/BackGround), fits it to the width, shows it and composes it. On failure: the
// message, nothing loaded, the image hidden.
bool loadImage(Scene& scene, Backgrounds& backgrounds, const std::filesystem::path& path);

// The image surface: white with the image stretched smoothly over it; then, while the video is
// shown, the video surface again so that the video lies over the new image.
void composeImage(Scene& scene, Backgrounds& backgrounds);

}  // namespace zv
