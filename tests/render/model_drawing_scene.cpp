#include "model_drawing_scene.h"

#include <filesystem>

#include "anim/pose_model.h"
#include "render/model_resources.h"
#include "scene/document/model_reader.h"

namespace zv::test {

bool setUpDemoScene(DisplayDevice& device, DemoScene& scene) {
  const std::filesystem::path folder = std::filesystem::current_path();
  std::filesystem::path modelFile = "UserFile/Model/tessera.tsm";
  if (!createDrawingResources(scene.resources, device, scene.textures, folder) ||
      readModelFile(modelFile, folder, scene.model) ||
      createModelResources(scene.model, device, scene.textures)) {
    return false;
  }
  scene.model.visible = true;
  const Mat4 world;
  poseModel(scene.model, world, {0, 0, -30});
  uploadSkinnedVertices(scene.model);

  DeviceState& state = device.state;
  if (!lookAt(state.view, {0, 11, -30}, {0, 11, 0}, {0, 1, 0}) ||
      !perspective(state.projection, 0.785398f,
                   static_cast<float>(device.height) / static_cast<float>(device.width), 1.0f, 1000.0f)) {
    return false;
  }
  state.world = world;
  scene.viewProjection = state.view * state.projection;
  const Vec3 lightDirection{-0.5f, -1.0f, 0.5f};
  state.light.direction = lightDirection;
  state.light.diffuse = {0, 0, 0, 1};
  state.light.ambient = {0.602f, 0.602f, 0.602f, 1};
  state.light.specular = {0.602f, 0.602f, 0.602f, 1};
  scene.viewLightDirection = transformDirection(lightDirection, state.view);
  return true;
}

void tearDownDemoScene(DemoScene& scene) {
  scene.model.deviceResources.reset();
  releaseDrawingResources(scene.resources);
  releaseSurfaces(scene.textures);
}

void clearToWhite(DisplayDevice& device) {
  clear(device, {.colour = true, .depth = true, .stencil = true}, 0x00FFFFFF, 1.0f, 0);
}

}  // namespace zv::test
