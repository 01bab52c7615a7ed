// Texts the sequence import and the blink insertion show (UTF-8, as the user reads them).
#pragma once

#include <string_view>

namespace zv {

inline constexpr std::string_view kSequenceCaption = "vsq解析";
inline constexpr std::string_view kSequenceUnreadableMessage =
    "ファイルが読み込めません:%d";  // errno; titled the path
inline constexpr std::string_view kSequenceSysExMessage = "SysExイベントがあります。お手上げ＼(^o^)／";
inline constexpr std::string_view kSequenceMalformedMessage = "vsq解析エラー発生！！";
inline constexpr std::string_view kNoteListUnwritableMessage =
    "ノートリストを書き込めません";  // titled the path
inline constexpr std::string_view kNoteListSameAsSequenceMessage =
    "拡張子が.txtのファイルからはノートリストを書き出せません\n(ノートリストが元のファイルを上書きします)";

// The mouth morphs lip sync needs, in the order they are looked for, and the text shown when one
// is missing.
inline constexpr std::string_view kMouthMorphNames[] = {"あ", "い", "う", "お"};
inline constexpr std::string_view kMissingMouthMorphMessages[] = {
    "このモデルの表情に”あ”の形がない為\n自動リップシンクはできません",
    "このモデルの表情に”い”の形がない為\n自動リップシンクはできません",
    "このモデルの表情に”う”の形がない為\n自動リップシンクはできません",
    "このモデルの表情に”お”の形がない為\n自動リップシンクはできません",
};

inline constexpr std::string_view kBlinkMorphName = "まばたき";
inline constexpr std::string_view kMissingBlinkMorphMessage =
    "このモデルの表情に”まばたき”がない為\n自動リップシンクはできません";  // captioned kSequenceCaption
inline constexpr std::string_view kBlinksAddedMessage = "%d回のまばたきを追加しました";
inline constexpr std::string_view kBlinksAddedCaption = "まばたき追加";
inline constexpr std::string_view kNegativeBlinkFrameMessage = "フレーム番号に負の値は指定できません";

}  // namespace zv
