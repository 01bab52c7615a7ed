#include "app/frame_systems.h"

#include "render/model_resources.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

constexpr std::string_view kStartCaption = "Direct3D::Init";

bool loadOverlaySprite(FrameSystems& systems, port::Ui& ui, SpriteBitmap& sprite,
                       const std::filesystem::path& file) {
  if (loadSprite(systems.device, sprite, file)) {
    return true;
  }
  // Without its sprites the view cannot show its controls; say which file is missing rather
  // than end without a word.
  ui.messageBox(port::MessageOwner::None, file.string() + " を読み込めません", kStartCaption,
                port::MessageButtons::Ok);
  return false;
}

bool loadOverlaySprites(FrameSystems& systems, port::Ui& ui, const std::filesystem::path& programFolder) {
  const bool boneLoaded =
      systems.resources.boneSprite.width > 0 ||
      loadOverlaySprite(systems, ui, systems.resources.boneSprite, programFolder / kBoneSpriteFile);
  return boneLoaded &&
         loadOverlaySprite(systems, ui, systems.scaleSprite, programFolder / kScaleSpriteFile) &&
         loadOverlaySprite(systems, ui, systems.rollSprite, programFolder / kRollSpriteFile) &&
         loadOverlaySprite(systems, ui, systems.moveSprite, programFolder / kMoveSpriteFile);
}

float backgroundAspectCorrection(const Scene& scene, const DisplayDevice& device) {
  if (scene.outputWidth <= 0 || scene.outputHeight <= 0 || device.width <= 0) {
    return 1.0f;
  }
  const float backBufferAspect = static_cast<float>(device.height) / static_cast<float>(device.width);
  return backBufferAspect / (static_cast<float>(scene.outputHeight) / static_cast<float>(scene.outputWidth));
}

}  // namespace

bool createFrameSystems(FrameSystems& systems, Scene& scene, port::Ui& ui, port::Size screen,
                        port::ViewSurface* surface, const std::filesystem::path& programFolder) {
  systems.ui = &ui;
  systems.surface = surface;
  if (surface) {
    surface->makeCurrent();
  }
  const Outcome device = createDevice(systems.device, screen);
  showMessages(ui, device.messages);
  if (!device) {
    return false;
  }
  if (!createDrawingResources(systems.resources, systems.device, systems.textures, programFolder) ||
      !loadOverlaySprites(systems, ui, programFolder) || !createCaptureTexture(systems.capture)) {
    releaseDrawingResources(systems.resources);
    releaseSurfaces(systems.textures);
    releaseDevice(systems.device);
    return false;
  }
  resizeBackgrounds(systems.backgrounds, systems.device.width, systems.device.height,
                    backgroundAspectCorrection(scene, systems.device));
  showMessages(ui, initialise(systems.wav, nullptr).messages);
  return true;
}

void releaseFrameSystems(FrameSystems& systems, Scene& scene) {
  if (systems.surface) {
    systems.surface->makeCurrent();
  }
  systems.backgrounds = Backgrounds{};
  releaseCaptureTexture(systems.capture);
  for (std::unique_ptr<Accessory>& accessory : systems.accessories) {
    accessory.reset();
  }
  for (std::unique_ptr<Model>& model : scene.modelSlots) {
    if (model) {
      model->deviceResources.reset();
    }
  }
  releaseDrawingResources(systems.resources);
  releaseSurfaces(systems.textures);
  releaseReadBack(systems.recordingReadBack);
  releaseDevice(systems.device);
  shutdown(systems.wav);
}

void layoutView(Scene& scene, FrameSystems& systems) {
  DisplayDevice& device = systems.device;
  const port::Rect client = systems.ui->clientRect();
  systems.viewRectangle =
      viewRectangle(client.width(), client.height(), scene.panelWidth, scene.outputWidth, scene.outputHeight);
  device.state.viewport = Viewport{0, 0, device.width, device.height, 0, 1};
  device.state.projection = layoutProjection(scene.camera.fieldOfView, scene.outputWidth, scene.outputHeight);
  if (scene.outputWidth > 0) {
    device.aspect = static_cast<float>(scene.outputHeight) / static_cast<float>(scene.outputWidth);
  }
  systems.stretch = viewStretch(systems.viewRectangle, device.width, device.height, device.overlayScale);
  systems.backgrounds.aspectCorrection = backgroundAspectCorrection(scene, device);
  if (systems.surface) {
    systems.surface->place(systems.viewRectangle);
  }
}

bool wavLoaded(const FrameSystems& systems) {
  return !systems.wav.path.empty();
}

}  // namespace zv
