#include "render/model_drawing.h"

#include <algorithm>
#include <span>

#include "render/model_resources.h"

namespace zv {
namespace {

constexpr float kSemiTransparentAlpha = 0.5f;

ColourValue toDevice(const ColourRgba& colour) {
  return {colour.r, colour.g, colour.b, colour.a};
}

MaterialColours colourBlock(const Material& material, bool semiTransparent) {
  MaterialColours block{toDevice(material.diffuse), toDevice(material.ambient), toDevice(material.specular),
                        toDevice(material.emissive), material.power};
  if (semiTransparent) {
    block.diffuse.a = kSemiTransparentAlpha;
  }
  return block;
}

void useAlphaBlending(DeviceState& state, bool on) {
  state.alphaBlend = on;
  if (on) {
    state.sourceBlend = BlendFactor::SourceAlpha;
    state.destinationBlend = BlendFactor::InverseSourceAlpha;
  }
}

void setMaterialTexture(DisplayDevice& device, const TextureStore& textures, const Model& model,
                        const Material& material) {
  TextureStage& stage = device.state.stages[1];
  if (material.textureName.find('.') == std::string::npos) {
    stage.colourOp = TextureOp::Disable;
    return;
  }
  stage.colourOp = TextureOp::Modulate;
  useAlphaBlending(device.state, blendsTextureAlpha(material.textureName));
  stage.texture = findTexture(textures, material.textureName, model.filePath.parent_path()).name;
}

void setToonLookUp(DeviceState& state, Vec3 lightDirection) {
  TextureStage& stage = state.stages[0];
  stage.transform = toonTextureMatrix(lightDirection);
  stage.transformTwoCoords = true;
  stage.coordSource = TexCoordSource::CameraSpaceNormal;
  stage.address = TextureAddress::Clamp;
}

// Toon index -1 takes the ramp away; an index outside the ten ramps keeps what stage 0 holds.
void setToonRamp(DisplayDevice& device, const TextureStore& textures, const DrawingResources& resources,
                 int toonIndex) {
  if (toonIndex == -1) {
    device.state.stages[0].texture = 0;
    return;
  }
  const std::string_view ramp = toonRampName(toonIndex);
  if (!ramp.empty()) {
    device.state.stages[0].texture = programTexture(textures, resources, ramp);
  }
}

void drawRun(DisplayDevice& device, const ModelDeviceResources& resources, const MaterialColours& block,
             IndexRun run) {
  DeviceState& state = device.state;
  state.material = block;
  if (block.diffuse.a < 1.0f) {
    // Back faces first so the near side blends over the far side.
    useAlphaBlending(state, true);
    state.cull = Cull::Clockwise;
    drawIndexRun(device, resources.modelBuffer, resources.indexBuffer, Primitive::TriangleList, run);
    state.cull = Cull::CounterClockwise;
  }
  drawIndexRun(device, resources.modelBuffer, resources.indexBuffer, Primitive::TriangleList, run);
  state.alphaBlend = false;
}

}  // namespace

Mat4 toonTextureMatrix(Vec3 lightDirection) {
  const Vec3 n = normalised(lightDirection * -1.0f);
  const bool sideways = lightDirection.x != 0 || lightDirection.z != 0;
  const Vec3 helper = sideways ? Vec3{0, 1, 0} : Vec3{-1, 0, 0};
  const Vec3 r = normalised(cross(helper, n));
  const Vec3 u = normalised(cross(n, r));
  Mat4 basis;
  basis.m[0][0] = r.x, basis.m[0][1] = u.x, basis.m[0][2] = n.x;
  basis.m[1][0] = r.y, basis.m[1][1] = u.y, basis.m[1][2] = n.y;
  basis.m[2][0] = r.z, basis.m[2][1] = u.z, basis.m[2][2] = n.z;
  Mat4 scale;
  scale.m[0][0] = 0.5f;
  scale.m[1][1] = -0.5f;
  Mat4 shift;
  shift.m[3][0] = 0.5f;
  shift.m[3][1] = 0.5f;
  return basis * rotationX(-kSixDigitPi<float> / 2) * scale * shift;
}

bool blendsTextureAlpha(std::string_view textureName) {
  const std::size_t dot = textureName.find('.');
  if (dot == std::string_view::npos) {
    return false;
  }
  const std::string_view extension = textureName.substr(dot + 1);
  // File names are matched without regard to case, so "X.TGA" blends like "x.tga".
  return extension.find_first_of("tT") != std::string_view::npos;
}

void drawModel(DisplayDevice& device, const TextureStore& textures, const DrawingResources& resources,
               const Model& model, Vec3 lightDirection) {
  if (!model.visible || !model.deviceResources) {
    return;
  }
  device.state.lighting = true;
  const ModelDeviceResources& buffers = *model.deviceResources;
  for (std::size_t m = 0; m < model.materials.size() && m < buffers.materialRuns.size(); ++m) {
    const Material& material = model.materials[m];
    if (material.indexCount == 0) {
      continue;
    }
    setMaterialTexture(device, textures, model, material);
    setToonLookUp(device.state, lightDirection);
    setToonRamp(device, textures, resources, material.toonIndex);
    drawRun(device, buffers, colourBlock(material, model.semiTransparent), buffers.materialRuns[m]);
  }
  device.state.stages[1].colourOp = TextureOp::Disable;
}

void drawEdgeMesh(DisplayDevice& device, const Model& model) {
  if (!model.visible || model.semiTransparent || model.materials.empty() || !model.deviceResources) {
    return;
  }
  const ModelDeviceResources& buffers = *model.deviceResources;
  for (std::size_t m = 0; m < model.materials.size() && m < buffers.materialRuns.size(); ++m) {
    if (model.materials[m].edge) {
      drawIndexRun(device, buffers.edgeBuffer, buffers.indexBuffer, Primitive::TriangleList,
                   buffers.materialRuns[m]);
    }
  }
}

}  // namespace zv
