#include "ui/panel_painting.h"

#include <algorithm>
#include <string_view>

#include "ui/control_ids.h"
#include "ui/panel_layout.h"

namespace zv {
namespace {

constexpr port::Colour kFrameGrey{150, 150, 150};
constexpr port::Colour kDarkGrey{60, 60, 60};
constexpr port::Colour kBlack{0, 0, 0};
constexpr port::Colour kWhite{255, 255, 255};
constexpr port::Colour kSplitter{220, 220, 220};
constexpr port::Colour kRedPanel{100, 50, 50};
constexpr port::Colour kBluePanel{50, 50, 100};
constexpr port::Colour kGreenPanel{50, 100, 50};
constexpr port::Colour kOlivePanel{100, 100, 50};
constexpr port::Colour kGroupLabel{200, 200, 200};
constexpr std::string_view kFace = "IPAPGothic";

// The panel strip along the bottom edge: rows h - 157 to h - 3.
struct Painter {
  port::Canvas& canvas;
  int p;  // panel width
  int h;  // client height

  void box(int left, int top, int right, int bottom, port::Colour colour) const {
    canvas.fill({left, top, right, bottom}, colour);
  }
  void strip(int left, int right, port::Colour colour) const { box(left, h - 157, right, h - 3, colour); }
  void text(std::string_view utf8, int x, int y, int height = 12, port::Colour colour = kWhite) const {
    canvas.text(utf8, kFace, height, x, y, colour);
  }
  // A collapsed panel's caption, one character under the other.
  void vertical(std::initializer_list<std::string_view> characters, int x, int y, int pitch) const {
    for (std::string_view character : characters) {
      text(character, x, y);
      y += pitch;
    }
  }
  void outline(int left, int top, int right, int bottom) const {
    box(left, top, right, top + 1, kBlack);
    box(left, bottom - 1, right, bottom, kBlack);
    box(left, top, left + 1, bottom, kBlack);
    box(right - 1, top, right, bottom, kBlack);
  }
};

void paintLeftColumn(const Painter& paint, int width) {
  const int p = paint.p;
  const int h = paint.h;
  const int o = p / 2;
  paint.box(0, 0, width, h, kFrameGrey);
  paint.box(4, 51, p - 3, 95, kDarkGrey);
  paint.box(4, 95, p - 3, h - 228, kDarkGrey);
  paint.box(4, h - 228, p - 3, h - 4, kDarkGrey);
  paint.outline(4, h - 228, p - 3, h - 4);
  paint.text("ﾌﾚｰﾑ操作", o - 25, 51);
  paint.text("～", o + 52, h - 178);
  paint.box(p, 0, p + 6, h, kSplitter);
  paint.box(p + 9, 0, width, h - 160, kBlack);
  paint.box(3, 3, p - 2, 47, kRedPanel);
  paint.text("ﾎﾟｰﾝ･ﾌﾚｰﾑ操作", o - 45, 7);
}

void paintModelPanel(const Painter& paint) {
  const int p = paint.p;
  const int h = paint.h;
  paint.box(p + 8, h - 157, p + 150, h - 3, kRedPanel);
  paint.text("モデル操作", p + 48, h - 155);
  paint.text("ON", p + 38, h - 49);
  paint.text("OFF", p + 38, h - 32);
  paint.text("表示", p + 100, h - 49);
}

void paintCameraOrBonePanel(const Painter& paint, const Scene& scene) {
  const int p = paint.p;
  const int h = paint.h;
  const bool camera = scene.cameraMode;
  const bool open = camera ? scene.panelOpen.camera : scene.panelOpen.bone;
  paint.strip(p + 153, open ? (camera ? p + 253 : p + 350) : p + 171, kBluePanel);
  if (!open) {
    if (camera) {
      paint.vertical({"カ", "メ", "ラ", "操", "作"}, p + 156, h - 130, 20);
    } else {
      paint.vertical({"ボ", "｜", "ン", "操", "作"}, p + 156, h - 130, 20);
    }
  } else if (camera) {
    paint.text("カメラ操作", p + 172, h - 155);
    paint.text("視野角", p + 158, h - 71, 11);
  } else {
    paint.text("ボーン操作", p + 217, h - 155);
  }
}

void paintLightPanel(const Painter& paint, const Scene& scene, const PanelShifts& shifts) {
  const int x = paint.p - shifts.light;
  const int h = paint.h;
  if (!scene.panelOpen.light) {
    paint.strip(x + 256, x + 276, kGreenPanel);
    paint.vertical({"照", "明", "操", "作"}, x + 259, h - 130, 20);
    return;
  }
  paint.strip(x + 256, x + 438, kGreenPanel);
  paint.text("照明操作", x + 320, h - 155);
  const std::string_view labels[] = {"赤", "緑", "青", "Ｘ", "Ｙ", "Ｚ"};
  const int rows[] = {137, 119, 101, 81, 63, 45};
  for (int i = 0; i < 6; ++i) {
    paint.text(labels[i], x + 258, h - rows[i]);
  }
}

void paintFacePanel(const Painter& paint, const Scene& scene, const PanelShifts& shifts) {
  const int x = paint.p - shifts.face;
  const int h = paint.h;
  if (!scene.panelOpen.face) {
    paint.strip(x + 353, x + 371, kGreenPanel);
    paint.vertical({"表", "情", "操", "作"}, x + 356, h - 130, 20);
    return;
  }
  paint.strip(x + 353, x + 556, kGreenPanel);
  paint.text("表情操作", x + 432, h - 155);
  paint.text("目", x + 363, h - 137, 12, kGroupLabel);
  paint.text("まゆ", x + 357, h - 67, 12, kGroupLabel);
  paint.text("ﾘｯﾌﾟ", x + 460, h - 137, 12, kGroupLabel);
  paint.text("その他", x + 450, h - 67, 12, kGroupLabel);
}

void paintAccessoryPanel(const Painter& paint, const Scene& scene, const PanelShifts& shifts) {
  const int x = paint.p - shifts.accessory;
  const int h = paint.h;
  if (!scene.panelOpen.accessory) {
    paint.strip(x + 438, x + 457, kOlivePanel);
    paint.vertical({"ア", "ク", "セ", "サ", "リ", "操", "作"}, x + 442, h - 130, 15);
    return;
  }
  paint.strip(x + 438, x + 635, kOlivePanel);
  paint.text("アクセサリ操作", x + 495, h - 155);
  const std::string_view axes[] = {"Ｘ", "Ｙ", "Ｚ"};
  const std::string_view rotations[] = {"Rx", "Ry", "Rz"};
  for (int i = 0; i < 3; ++i) {
    paint.text(axes[i], x + 441 + 64 * i, h - 68);
    paint.text(rotations[i], x + 441 + 64 * i, h - 48);
  }
  paint.text("Size", x + 441, h - 28);
  paint.text("表示", x + 602, h - 131);
  paint.text(" 影", x + 602, h - 112);
}

void paintViewpointAndPlayback(const Painter& paint, const PanelShifts& shifts) {
  const int x = paint.p - shifts.viewpoint;
  const int h = paint.h;
  paint.box(x + 638, h - 157, x + 772, h - 82, kBluePanel);
  paint.text("視　点", x + 690, h - 155);
  paint.text("操作モデル中心", x + 665, h - 99);
  paint.box(x + 638, h - 79, x + 772, h - 3, kDarkGrey);
  paint.text("再　生", x + 645, h - 77);
  paint.text("～", x + 699, h - 36);
  paint.text("くり返し", x + 725, h - 58, 10);
  paint.text("ﾌﾚｰﾑｽﾀｰﾄ", x + 656, h - 19, 10);
  paint.text("ﾌﾚｰﾑｽﾄｯﾌﾟ", x + 724, h - 19, 10);
}

// Copies the top-left `width` x `height` of `from` to (x, y), cut to what the bitmap holds.
void copyAt(port::Canvas& canvas, const port::Canvas& from, int x, int y, int width, int height) {
  width = std::min(width, from.width());
  height = std::min(height, from.height());
  if (width <= 0 || height <= 0) {
    return;
  }
  canvas.draw({x, y, x + width, y + height}, from, {0, 0, width, height});
}

void setRowScrollBar(port::Ui& ui, const Scene& scene, const Panels& panels, int h) {
  const int page = rowScrollPage(h);
  const Model* model = scene.cameraMode ? nullptr : scene.modelSlots[scene.currentModel].get();
  const int position = model ? model->rowScroll : scene.cameraRowScroll;
  const int lastRow = panels.rows.rowCount - (model ? 3 : 2);
  ui.setControlPage(kRowScrollBar, page);
  ui.setControlRange(kRowScrollBar, 0, lastRow + page);
  ui.setControlPosition(kRowScrollBar, position);
}

}  // namespace

int rowScrollPage(int clientHeight) {
  return (clientHeight - 398) / 14 - 1;
}

void paintPanels(port::Canvas& canvas, const Scene& scene, const Panels& panels, port::Ui& ui) {
  const int p = clampPanelWidth(scene.panelWidth);
  const int h = canvas.height();
  const Painter paint{canvas, p, h};
  const PanelShifts shifts = panelShifts(scene.cameraMode, scene.panelOpen);
  paintLeftColumn(paint, canvas.width());
  paintModelPanel(paint);
  paintCameraOrBonePanel(paint, scene);
  if (scene.cameraMode) {
    paintLightPanel(paint, scene, shifts);
    paintAccessoryPanel(paint, scene, shifts);
  } else {
    paintFacePanel(paint, scene, shifts);
  }
  paintViewpointAndPlayback(paint, shifts);
  copyAt(canvas, panels.bitmaps.wavStrip, 6, 95, p - 10, 50);
  copyAt(canvas, panels.bitmaps.frameEditor, 6, 145, p - 23, h - 373);
  copyAt(canvas, panels.bitmaps.preview, 8, h - 135, 128, 128);
  setRowScrollBar(ui, scene, panels, h);
}

}  // namespace zv
