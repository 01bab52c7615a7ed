// Painting the main window's background: the panel frames, their colours and captions, and the
// frame editor, WAV strip and interpolation preview copied to their places; then the row scroll
// bar is set for the rows the frame editor lists.
#pragma once

#include "port/canvas/canvas.h"
#include "port/ui.h"
#include "scene/document/scene.h"
#include "ui/panels.h"

namespace zv {

// Rows the frame editor shows at once for a client height (the row scroll bar's page).
int rowScrollPage(int clientHeight);

// Paints onto `canvas`, the client area, and sets scroll bar 327.
void paintPanels(port::Canvas& canvas, const Scene& scene, const Panels& panels, port::Ui& ui);

}  // namespace zv
