// The demo character posed in front of a camera on a test device, as the frame step would set it
// up: view and projection, a light with black diffuse so the toon ramps shade, the shared
// drawing resources and the model's device buffers.
#pragma once

#include "render/display_device.h"
#include "render/drawing_resources.h"
#include "render/texture_store.h"
#include "scene/document/model.h"

namespace zv::test {

struct DemoScene {
  TextureStore textures;
  DrawingResources resources;
  Model model;
  Mat4 viewProjection;
  Vec3 viewLightDirection;  // the light turned with the view
};

// Looks at the character's chest from the front; false when something could not be loaded.
bool setUpDemoScene(DisplayDevice& device, DemoScene& scene);
void tearDownDemoScene(DemoScene& scene);

// White colour, depth 1.
void clearToWhite(DisplayDevice& device);

}  // namespace zv::test
