#include "ui/menu_rows.h"

#include <array>
#include <string_view>

#include "ui/control_ids.h"

namespace zv {
namespace {

using port::MenuItemSpec;

constexpr std::string_view kFileMenu = "ファイル(&F)";
constexpr std::string_view kEditMenu = "編集(&E)";
constexpr std::string_view kViewMenu = "表示(&V)";
constexpr std::string_view kBackgroundMenu = "背景(&B)";

constexpr MenuItemSpec item(int id, std::string_view menu, std::string_view caption) {
  MenuItemSpec spec;
  spec.id = id;
  spec.menu = menu;
  spec.caption = caption;
  return spec;
}

// Items that need a model are greyed until one is operated.
constexpr MenuItemSpec greyed(MenuItemSpec spec) {
  spec.enabled = false;
  return spec;
}

constexpr MenuItemSpec checkable(MenuItemSpec spec, bool checked = false) {
  spec.checkMark = true;
  spec.checked = checked;
  return spec;
}

constexpr MenuItemSpec afterSeparator(MenuItemSpec spec) {
  spec.separatorBefore = true;
  return spec;
}

constexpr std::array kMenuRows = {
    item(kMenuNew, kFileMenu, "新規(&N)"),
    item(kMenuOpen, kFileMenu, "開く(&O)"),
    item(kMenuSave, kFileMenu, "上書き保存(&S)"),
    item(kMenuSaveAs, kFileMenu, "名前を付けて保存(&A)"),
    afterSeparator(item(kMenuLoadMotion, kFileMenu, "モーションデータ読込(&M)")),
    item(kMenuSaveMotion, kFileMenu, "モーションデータ保存(&L)"),
    greyed(item(kMenuLoadPose, kFileMenu, "ポーズデータ読込(&P)")),
    greyed(item(kMenuSavePose, kFileMenu, "ポーズデータ保存(&Q)")),
    item(kMenuLoadWav, kFileMenu, "WAVファイル読込(&W)"),
    afterSeparator(item(kMenuExportAvi, kFileMenu, "AVIファイルに出力(&V)")),
    afterSeparator(item(kMenuExit, kFileMenu, "終了(&X)")),

    greyed(item(kMenuSelectAllBoneKeys, kEditMenu, "ﾎﾞｰﾝﾌﾚｰﾑすべて選択(&N)")),
    greyed(item(kMenuSelectAllMorphKeys, kEditMenu, "表情ﾌﾚｰﾑすべて選択(&F)")),
    greyed(item(kMenuSelectAllDisplayIkKeys, kEditMenu, "表示･IKﾌﾚｰﾑすべて選択(&M)")),
    item(kMenuSelectAllCameraKeys, kEditMenu, "ｶﾒﾗﾌﾚｰﾑすべて選択(&C)"),
    item(kMenuSelectAllLightKeys, kEditMenu, "照明ﾌﾚｰﾑすべて選択(&L)"),
    item(kMenuSelectAllAccessoryKeys, kEditMenu, "ｱｸｾｻﾘﾌﾚｰﾑすべて選択(&A)"),
    afterSeparator(greyed(item(kMenuCentreBias, kEditMenu, "ｾﾝﾀｰ位置ﾊﾞｲｱｽ付加(&B)"))),
    item(kMenuCameraDistanceBias, kEditMenu, "ｶﾒﾗ距離ﾊﾞｲｱｽ付加(&G)"),
    item(kMenuViewAngleBias, kEditMenu, "視野角ﾊﾞｲｱｽ付加(&V)"),
    afterSeparator(greyed(item(kMenuZeroBoneX, kEditMenu, "選択ボーン X値0化(&X)"))),
    greyed(item(kMenuZeroBoneY, kEditMenu, "選択ボーン Y値0化(&Y)")),
    greyed(item(kMenuZeroBoneZ, kEditMenu, "選択ボーン Z値0化(&Z)")),
    greyed(item(kMenuResetBoneRotation, kEditMenu, "選択ボーン 回転0化(&R)")),
    greyed(item(kMenuDeleteUnneededKeys, kEditMenu, "不要ﾌﾚｰﾑ削除(&D)")),
    afterSeparator(greyed(item(kMenuLipSync, kEditMenu, "vsqによるリップシンク"))),
    greyed(item(kMenuShiftLipKeys, kEditMenu, "リップフレーム時間シフト")),
    greyed(item(kMenuDeleteLipKeys, kEditMenu, "リップフレーム全て削除")),
    greyed(item(kMenuRandomBlinks, kEditMenu, "まばたきランダム登録")),
    greyed(item(kMenuDeleteEyeKeys, kEditMenu, "目フレーム全て削除")),
    greyed(item(kMenuDeleteBrowKeys, kEditMenu, "まゆフレーム全て削除")),

    checkable(item(kMenuShowInfo, kViewMenu, "情報表示(&D)")),
    checkable(item(kMenuShowAxes, kViewMenu, "座標軸表示(&G)"), true),
    checkable(item(kMenuShowGroundShadow, kViewMenu, "地面影表示(&S)"), true),
    checkable(item(kMenuTranslucent, kViewMenu, "半透明化(Vｷｰ)")),
    afterSeparator(checkable(item(kMenuUnlimitedFps, kViewMenu, "fps無制限"))),
    checkable(item(kMenu30Fps, kViewMenu, "30fps制限")),
    checkable(item(kMenu60Fps, kViewMenu, "60fps制限"), true),
    afterSeparator(checkable(item(kMenuCaptureOff, kViewMenu, "ｽｸﾘｰﾝ用ｷｬﾌﾟﾁｬOFF(&F)"), true)),
    checkable(item(kMenuCaptureModes[0], kViewMenu, "ON･モード１(&M)")),
    checkable(item(kMenuCaptureModes[1], kViewMenu, "ON･モード２(&N)")),
    checkable(item(kMenuCaptureModes[2], kViewMenu, "ON･モード３(&C)")),
    afterSeparator(checkable(item(kMenuFollowCameraLight, kViewMenu, "ﾓﾃﾞﾙ編集時ｶﾒﾗ･照明追従(&C)"))),
    item(kMenuShadowColour, kViewMenu, "地面影色設定(&W)"),
    item(kMenuOutputSize, kViewMenu, "出力サイズ(&O)"),

    item(kMenuLoadBackgroundVideo, kBackgroundMenu, "背景AVIファイル読込(&L)"),
    checkable(item(kVideoShownMenuItem, kBackgroundMenu, "背景AVI表示(&A)")),
    afterSeparator(item(kMenuLoadBackgroundImage, kBackgroundMenu, "背景BMPファイル読込(&R)")),
    checkable(item(kImageShownMenuItem, kBackgroundMenu, "背景BMP表示(&B)")),
};

}  // namespace

std::span<const port::MenuItemSpec> menuRows() {
  return kMenuRows;
}

}  // namespace zv
