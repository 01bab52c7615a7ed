#include "panel_ui.h"

#include "ui/create_controls.h"

namespace zv::test {

std::unique_ptr<port::HeadlessUi> makePanelUi(int width, int height) {
  auto ui = std::make_unique<port::HeadlessUi>();
  createControls(*ui);
  ui->client = {0, 0, width, height};
  ui->restored = ui->client;
  return ui;
}

}  // namespace zv::test
