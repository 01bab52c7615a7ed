// Messages the accessory reader hands to its caller, which shows them in order.
#pragma once

#include <string_view>

#include "scene/document/message.h"

namespace zv {

using XMessage = Message;

inline constexpr std::string_view kXLoadCaption = "Xfile-load";
inline constexpr std::string_view kTooManyMaterialsText =
    "マテリアルの数が多すぎます。エラーを起こす可能性があります。";
inline constexpr std::string_view kAccessoryLoadCaption = "アクセサリ読込";
inline constexpr std::string_view kXFileNotFoundText = "xファイルが見つかりません";
inline constexpr std::string_view kVacFileNotFoundText = "vacファイルが見つかりません";
inline constexpr std::string_view kCompressedXFileText = "圧縮されたxファイルは読み込めません";

}  // namespace zv
