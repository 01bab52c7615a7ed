#include "app/frame_step.h"

#include <algorithm>
#include <vector>

#include "anim/pose_model.h"
#include "anim/sampling.h"
#include "app/info_text.h"
#include "app/overlay_layout.h"
#include "app/playback_clock.h"
#include "app/playback_stop.h"
#include "app/recording_commands.h"
#include "app/recording_frames.h"
#include "app/view_transforms.h"
#include "app/viewport_input.h"
#include "app/widget_restriction.h"
#include "media/background_video.h"
#include "render/axes_drawing.h"
#include "render/back_buffer_painting.h"
#include "render/bone_markers.h"
#include "render/gizmo_drawing.h"
#include "render/model_drawing.h"
#include "render/model_resources.h"
#include "render/picture_copy.h"
#include "ui/message_boxes.h"

namespace zv {
namespace {

constexpr float kMaxPitch = 1.57f;
// While props are drawn the light gains a strong diffuse part and loses some ambient: props are
// shaded by the light, unlike the toon-shaded models.
constexpr float kAccessoryDiffuse = 10.0f;
constexpr float kAccessoryAmbientDrop = 0.3f;
constexpr int kShadowOffset = 2;

// Samples every track at the clock; a sampled camera brings its own view angle to the projection.
void sampleScene(Scene& scene, FrameSystems& systems) {
  advanceScene(scene, &systems.posing);
  if ((scene.cameraMode || scene.followCameraLight) && scene.outputWidth > 0) {
    const CameraProjection lens = cameraProjection(scene.camera);
    const float aspect = static_cast<float>(scene.outputHeight) / static_cast<float>(scene.outputWidth);
    perspective(systems.device.state.projection, lens.fieldOfViewRadians, aspect, lens.nearPlane,
                lens.farPlane);
  }
}

void advanceRecording(Scene& scene, FrameSystems& systems) {
  if (advanceRecordingClock(scene, systems.aviExport)) {
    sampleScene(scene, systems);
    return;
  }
  stopRecording(scene, systems);
}

void advancePlayback(Scene& scene, FrameSystems& systems) {
  if (scene.recording) {
    advanceRecording(scene, systems);
    return;
  }
  port::Ui& ui = *systems.ui;
  const std::string startFrameText = ui.control(kStartFrameBox).text;
  const PlaybackTick tick = advancePlaybackClock(scene, startFrameText);
  if (tick != PlaybackTick::Sample && wavLoaded(systems)) {
    stop(systems.wav);
    prepare(systems.wav);
  }
  if (tick == PlaybackTick::End) {
    stopPlayback(scene, systems);
    return;
  }
  if (tick == PlaybackTick::Repeat) {
    seekScene(scene);
    if (wavLoaded(systems)) {
      playFrom(systems.wav, scene.currentTime);
    }
  }
  sampleScene(scene, systems);
}

void setSceneLight(Scene& scene, DisplayDevice& device, const Mat4& rotation) {
  const Vec3 colour = scene.light.lightColour;
  DirectionalLight& light = device.state.light;
  light.direction = transformDirection(scene.light.lightDirection, rotation);
  light.ambient = {colour.x, colour.y, colour.z, 1};
  light.diffuse = {0, 0, 0, 1};
  light.specular = {colour.x, colour.y, colour.z, 1};
  light.enabled = true;
}

// Posing runs on the pool; the uploads need the drawing context, so they follow on this thread.
void poseAndUpload(Scene& scene, FrameSystems& systems, const Mat4& world) {
  const Vec3 eye{scene.viewOffsetX, scene.viewOffsetY, scene.camera.cameraDistance};
  const std::vector<Model*> models = loadedModels(scene);
  poseModels(models, world, eye, systems.posing);
  for (Model* model : models) {
    uploadSkinnedVertices(*model);
  }
}

void drawBackground(Scene& scene, FrameSystems& systems) {
  DisplayDevice& device = systems.device;
  Backgrounds& backgrounds = systems.backgrounds;
  if (scene.backgroundVideoShown) {
    clear(device, {.depth = true}, 0, 1.0f, 0);
    if (scene.playing) {
      showMessages(*systems.ui, composeVideo(scene, backgrounds).messages);
    }
    copyPictureToBackBuffer(device, backgrounds.videoSurface, {0, 0});
  } else if (scene.backgroundImageShown) {
    clear(device, {.depth = true}, 0, 1.0f, 0);
    copyPictureToBackBuffer(device, backgrounds.imageSurface, {0, 0});
  } else {
    clear(device, {.colour = true, .depth = true, .stencil = true}, 0x00FFFFFF, 1.0f, 0);
  }
}

template <typename Draw>
void forEachModel(Scene& scene, Draw draw) {
  for (std::unique_ptr<Model>& model : scene.modelSlots) {
    if (model && model->deviceResources) {
      draw(*model);
    }
  }
}

// The prop's pass parameters: it stands on the ground, or on the head of its parent bone.
AccessoryDrawPass accessoryPass(Scene& scene, const AccessoryState& state, const FrameSystems& systems,
                                bool shadow) {
  AccessoryDrawPass pass;
  pass.shadow = shadow;
  pass.shadowRed = systems.resources.shadowMaterial.ambient.r;
  pass.captureTexture = systems.capture.texture;
  const Model* parent = modelInSlot(scene, state.parentModel);
  if (parent && state.parentBone >= 0 && static_cast<std::size_t>(state.parentBone) < parent->bones.size()) {
    const Bone& bone = parent->bones[static_cast<std::size_t>(state.parentBone)];
    pass.parentTransform = bone.globalTransform;
    pass.parentHead = bone.head;
  }
  return pass;
}

void drawAccessories(Scene& scene, FrameSystems& systems, bool shadowPass) {
  for (int slot = 0; slot < kMaxAccessories; ++slot) {
    const AccessoryState& state = scene.accessories[static_cast<std::size_t>(slot)];
    Accessory* prop = systems.accessories[static_cast<std::size_t>(slot)].get();
    if (!state.loaded || !prop || (shadowPass && !state.shadow)) {
      continue;
    }
    drawAccessory(*prop, state, systems.device, systems.textures,
                  accessoryPass(scene, state, systems, shadowPass));
  }
}

void shiftLightForAccessories(DisplayDevice& device, float diffuse, float ambientChange) {
  DirectionalLight& light = device.state.light;
  light.diffuse = {diffuse, diffuse, diffuse, light.diffuse.a};
  light.ambient.r += ambientChange;
  light.ambient.g += ambientChange;
  light.ambient.b += ambientChange;
}

// Bone markers and the gizmo of the current model; returns where its selected bone stands.
std::optional<BoneProjection> drawEditingAids(Scene& scene, FrameSystems& systems, const Mat4& world,
                                              const Mat4& viewProjection) {
  Model* model = currentModel(scene);
  if (!model) {
    return std::nullopt;
  }
  DisplayDevice& device = systems.device;
  const std::optional<BoneProjection> selected =
      projectAndDrawBones(device, systems.resources, *model, world, viewProjection, scene.editMode);
  if (selected) {
    GizmoView gizmo;
    gizmo.editMode = scene.editMode;
    gizmo.hoverZone = scene.hoverZone;
    gizmo.screenX = static_cast<float>(selected->screenX);
    gizmo.screenY = static_cast<float>(selected->screenY);
    gizmo.xRatio = systems.stretch.xRatio;
    gizmo.yRatio = systems.stretch.yRatio;
    drawGizmo(device, systems.textures, systems.resources, gizmo);
  }
  drawTripod(device, systems.resources, *model, world, !keyDown(scene, port::kMouseLeft), scene.hoverZone);
  return selected;
}

std::optional<BoneProjection> drawScene(Scene& scene, FrameSystems& systems, const Mat4& world,
                                        const Mat4& viewProjection) {
  DisplayDevice& device = systems.device;
  DeviceState& state = device.state;
  const Vec3 viewLight = state.light.direction;
  if (scene.showAxes) {
    drawAxes(device, systems.resources);
  }
  const Mat4 shadowWorld = groundShadowMatrix(scene.light.lightDirection) * world;
  state.cull = Cull::None;
  state.lighting = true;
  const bool shadow = groundShadowShown(scene);
  if (shadow) {
    state.world = shadowWorld;
    state.stages[0].texture = 0;
    state.material = systems.resources.shadowMaterial;
    forEachModel(scene, [&](Model& model) { drawEdgeMesh(device, model); });
    state.world = world;
  }
  state.cull = Cull::CounterClockwise;
  forEachModel(
      scene, [&](Model& model) { drawModel(device, systems.textures, systems.resources, model, viewLight); });

  state.stages[0].texture = 0;
  state.lighting = false;
  state.cull = Cull::Clockwise;
  if (edgesShown(scene)) {
    forEachModel(scene, [&](Model& model) { drawEdgeMesh(device, model); });
  }
  state.cull = Cull::CounterClockwise;
  state.lighting = true;
  state.stages[0].transformTwoCoords = false;
  state.stages[0].coordSource = TexCoordSource::VertexUv;
  state.stages[0].address = TextureAddress::Wrap;

  if (shadow) {
    state.world = shadowWorld;
    drawAccessories(scene, systems, true);
    state.world = world;
  }
  shiftLightForAccessories(device, kAccessoryDiffuse, -kAccessoryAmbientDrop);
  drawAccessories(scene, systems, false);
  shiftLightForAccessories(device, 0.0f, kAccessoryAmbientDrop);

  if (scene.playing || scene.cameraMode) {
    return std::nullopt;
  }
  return drawEditingAids(scene, systems, world, viewProjection);
}

void captureScreen(Scene& scene, FrameSystems& systems) {
  if (scene.captureMode == CaptureMode::Off) {
    return;
  }
  DisplayDevice& device = systems.device;
  Backgrounds& backgrounds = systems.backgrounds;
  if (scene.captureMode == CaptureMode::CentredViewOrVideo && videoLoaded(backgrounds)) {
    if (!scene.backgroundVideoShown) {
      showMessages(*systems.ui, composeVideo(scene, backgrounds).messages);
    }
    capturePicture(systems.capture, backgrounds.videoSurface);
    return;
  }
  captureBackBuffer(systems.capture, device,
                    captureSourceRect(scene.captureMode, device.width, device.height, scene.outputWidth,
                                      scene.outputHeight));
}

void restrictWidgets(Scene& scene, port::Ui& ui) {
  if (scene.cameraMode) {
    return;
  }
  const WidgetButtons buttons = widgetButtonsFor(currentModel(scene), scene.playing);
  ui.enableControl(kRotateButton, buttons.rotateEnabled);
  ui.enableControl(kMoveButton, buttons.moveEnabled);
  scene.widgetRestriction = buttons.restriction;
}

const SpriteBitmap& overlaySprite(const FrameSystems& systems, OverlaySprite sprite) {
  switch (sprite) {
    case OverlaySprite::Bone:
      return systems.resources.boneSprite;
    case OverlaySprite::Scale:
      return systems.scaleSprite;
    case OverlaySprite::Roll:
      return systems.rollSprite;
    case OverlaySprite::Move:
      break;
  }
  return systems.moveSprite;
}

void drawOverlays(Scene& scene, FrameSystems& systems, const Mat4& worldViewProjection) {
  DisplayDevice& device = systems.device;
  std::optional<port::Point> centreMarker;
  if (scene.cameraMode && !scene.playing) {
    centreMarker =
        projectToBackBuffer(scene.camera.cameraCentre, worldViewProjection, device.width, device.height);
  }
  for (const SpriteOverlay& overlay :
       spriteOverlays(scene, device.width, device.height, device.overlayScale, centreMarker)) {
    blitSprite(device, overlay.x, overlay.y, overlaySprite(systems, overlay.sprite), overlay.source);
  }
}

void drawInformation(Scene& scene, FrameSystems& systems) {
  DisplayDevice& device = systems.device;
  std::optional<RecordingPosition> recording;
  if (scene.recording) {
    const RecordingSettings& settings = systems.aviExport.settings;
    recording = RecordingPosition{settings.recordStartFrame, picturesDrawn(systems.aviExport),
                                  settings.recordFrameRate, recordingProgress(systems.aviExport)};
  }
  updateFrameRateReading(scene);
  for (const InfoText& text :
       informationTexts(scene, device.width, device.height, device.overlayScale, recording)) {
    textOut(device, text.utf8, text.height, text.x, text.y, text.colour.r, text.colour.g, text.colour.b);
    if (text.shadow) {
      textOut(device, text.utf8, text.height, text.x - kShadowOffset, text.y - kShadowOffset, text.shadow->r,
              text.shadow->g, text.shadow->b);
    }
  }
}

void presentView(FrameSystems& systems) {
  port::ViewSurface* surface = systems.surface;
  if (!surface) {
    return;
  }
  const port::Size size = surface->pixelSize();
  present(systems.device, surface->framebuffer(), size.height, {0, 0, size.width, size.height});
  surface->swapBuffers();
}

// The 3D view as the step draws it into the back buffer, and what the overlays need of it.
struct DrawnView {
  Mat4 worldViewProjection;
  std::optional<BoneProjection> selectedBone;  // while editing a model with a selected bone
};

DrawnView drawView(Scene& scene, FrameSystems& systems) {
  DisplayDevice& device = systems.device;
  const Mat4 rotation = viewRotation(scene.camera.cameraAngles);
  setSceneLight(scene, device, rotation);
  const Mat4 world = translation(worldCentre(scene) * -1.0f) * rotation;
  device.state.world = world;
  poseAndUpload(scene, systems, world);
  if (scene.camera.orthographic) {
    device.state.projection =
        orthographicProjection(scene.camera.cameraDistance, scene.outputWidth, scene.outputHeight);
  }
  device.state.view = viewLookAt(scene);
  drawBackground(scene, systems);
  restoreLostSurfaces(device);
  const Mat4 viewProjection = device.state.view * device.state.projection;
  const std::optional<BoneProjection> selectedBone = drawScene(scene, systems, world, viewProjection);
  return {world * viewProjection, selectedBone};
}

bool deviceReady(FrameSystems& systems) {
  return systems.device.created && (!systems.surface || systems.surface->makeCurrent());
}

}  // namespace

std::optional<RgbaImage> recordingPicture(Scene& scene, FrameSystems& systems) {
  if (!deviceReady(systems)) {
    return std::nullopt;
  }
  sampleScene(scene, systems);
  drawView(scene, systems);
  RgbaImage picture = readBackBuffer(systems.device);
  for (std::size_t alpha = 3; alpha < picture.pixels.size(); alpha += 4) {
    picture.pixels[alpha] = 255;
  }
  return picture;
}

void frameStep(Scene& scene, FrameSystems& systems) {
  if (!deviceReady(systems)) {
    return;
  }
  if (scene.playing) {
    advancePlayback(scene, systems);
  }
  const DrawnView view = drawView(scene, systems);
  captureScreen(scene, systems);
  recordFrame(scene, systems);
  pollInput(scene, systems.keyboard);
  applyViewportInput(scene, systems);
  scene.camera.cameraAngles.x = std::clamp(scene.camera.cameraAngles.x, -kMaxPitch, kMaxPitch);
  restrictWidgets(scene, *systems.ui);
  if (view.selectedBone) {
    scene.gizmoScreenX = static_cast<float>(view.selectedBone->screenX);
    scene.gizmoScreenY = static_cast<float>(view.selectedBone->screenY);
    scene.gizmoScreenScale = view.selectedBone->clipW;
  }
  drawOverlays(scene, systems, view.worldViewProjection);
  drawInformation(scene, systems);
  presentView(systems);
  keepMousePosition(scene);
}

}  // namespace zv
