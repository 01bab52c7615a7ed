#include "ui/model_loading.h"

#include "port/text.h"
#include "render/model_resources.h"
#include "scene/document/model_reader.h"
#include "ui/model_panel.h"

namespace zv {

bool loadModel(Model& model, port::Ui& ui, std::filesystem::path& path, DisplayDevice& device,
               TextureStore& textures, const std::filesystem::path& exeDirectory, bool showComment) {
  std::filesystem::path opened = path;
  if (const auto failure = readModelFile(opened, exeDirectory, model)) {
    port::showMessage(ui, failure->message, failure->caption);
    return false;
  }
  if (showComment) {
    port::showMessage(ui, port::cp932ToUtf8(model.comment), "モデル情報");
  }
  if (const auto failure = createModelResources(model, device, textures)) {
    port::showMessage(ui, failure->message, failure->caption);
    return false;
  }
  path = opened;
  fillModelPanel(ui, model);
  return true;
}

}  // namespace zv
