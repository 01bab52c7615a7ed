// Saving and loading motion files: the selected keys of the current model (model mode) or of the
// camera and light (camera mode), with frames relative to the earliest saved key; loading puts
// them at the current frame, selected, so a save and a load copy and paste a stretch of motion.
#pragma once

#include <filesystem>
#include <string_view>

#include "files/motion/motion_format.h"
#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr std::string_view kMotionCaption = "モーションデータ読込";
inline constexpr std::string_view kMotionUnsavableMessage = "ファイルが保存できません:%d";  // titled the path
inline constexpr std::string_view kMotionUnreadableMessage =
    "ファイルが読み込めません:%d";  // titled the path
inline constexpr std::string_view kNotMotionMessage =
    "このファイルは Vocaloid Motion Data file ではありません";
inline constexpr std::string_view kNoCameraSectionMessage =
    "このモーションデータにはカメラ・照明のデータはありません";
inline constexpr std::string_view kOtherModelQuestion =
    "このファイルは "
    "%s用のモーションデータです\n同じボーン名のモーションのみを取り込む事になります\n続行しますか？";

// The records saveMotion writes: the selected keys of the current mode in pool-index order,
// frames made relative to the earliest of them. Empty in model mode without a current model.
MotionFile collectSelectedMotion(Scene& scene);

// Writes collectSelectedMotion to `path`, replacing it whole. On failure the old file stays and
// the result carries the message. Not done in model mode without a current model (nothing is
// written, nothing to tell).
Outcome saveMotion(Scene& scene, const std::filesystem::path& path);

// Reads `path` into the current model or the camera and light tracks at currentFrame and samples
// the current frame again; the caller redraws the timeline and panels. A file made for another
// model is loaded only when `confirm` accepts kOtherModelQuestion (no confirmation accepts it).
// Not done when nothing was loaded (the messages say why) or the question was declined. A record
// cut short ends the load with a message; the keys registered before it stay. Keys a full pool
// refuses add its message each.
Outcome loadMotion(Scene& scene, const std::filesystem::path& path, const Confirmation& confirm = {});

}  // namespace zv
