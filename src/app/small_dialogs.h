// The small dialogs that collect the numbers of the editing commands, the blink range, the AVI
// export and the ground-shadow colour. Each modal one starts from its own texts, stores what OK
// gives into the Scene and returns whether OK was chosen; Cancel stores nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/frame_systems.h"
#include "port/ui.h"
#include "port/video/video_codecs.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr std::string_view kRecordWarningCaption = "WARNING";
inline constexpr std::string_view kRecordRangeWarning = "録画終了ﾌﾚｰﾑが録画開始ﾌﾚｰﾑよりも小さいです";
inline constexpr std::string_view kRecordNegativeWarning = "録画フレームに負の数は使えません";

// A dialog's text as a number: at most its first 19 characters, leading blanks, a sign, then
// digits (a decimal fraction and exponent for floats); text that is no number gives 0. Integers
// beyond the 32-bit range stop at its ends.
std::int32_t dialogInteger(std::string_view text);
float dialogFloat(std::string_view text);

// "出力画面サイズ変更", over the main window: width and height, each at least 1.
bool askOutputSize(Scene& scene, port::Ui& ui);
// "バイアス付加": biasOffset.
bool askBiasOffset(Scene& scene, port::Ui& ui);
// "時間拡大(縮小)率": timeScale.
bool askTimeScale(Scene& scene, port::Ui& ui);
// "シフトするﾌﾚｰﾑ数", "視野角差分（±）", "カメラ距離差分（±）": integerDelta.
bool askFrameShift(Scene& scene, port::Ui& ui);
bool askViewAngleDelta(Scene& scene, port::Ui& ui);
bool askCameraDistanceDelta(Scene& scene, port::Ui& ui);
// "まばたき登録": blinkRangeStart and blinkRangeEnd, from empty edits every time.
bool askBlinkRange(Scene& scene, port::Ui& ui);
// "AVI出力設定": the record range (from the play-range boxes), frame rate, music and fast output.
// An end before the start, a negative frame or a rate a recording cannot use is refused and the
// dialog stays open.
bool askRecordSettings(Scene& scene, port::Ui& ui, bool wavLoaded);
// Our codec choice, starting from `previous`; nothing when cancelled. Key-frame interval and data
// rate below 0 count as 0 (left to the encoder).
std::optional<port::VideoCodecChoice> askVideoCodec(port::Ui& ui, const port::VideoCodecChoice& previous);

// "地面影色設定": opens the modeless brightness dialog unless it is open already. Its track bar
// and Enter in its edit set shadowBrightness and the ground-shadow material.
void openShadowDialog(Scene& scene, FrameSystems& systems);
// Writes the brightness into the ambient colour the ground shadow is drawn with.
void applyShadowBrightness(Scene& scene, FrameSystems& systems, float brightness);

}  // namespace zv
