// The fixed-function state the drawing code sets on the display device: transforms, viewport,
// render states, two texture stages, one material and one directional light. Fields are set
// directly; every draw call reads them. Defaults are those of a freshly created device before
// `createDevice` applies the program's own defaults.
#pragma once

#include <array>
#include <cstdint>

#include "scene/document/math.h"

namespace zv {

struct ColourValue {
  float r = 0, g = 0, b = 0, a = 0;
  bool operator==(const ColourValue&) const = default;
};

// The colour block of a material, in the device's order.
struct MaterialColours {
  ColourValue diffuse;
  ColourValue ambient;
  ColourValue specular;
  ColourValue emissive;
  float power = 0;  // specular exponent
  bool operator==(const MaterialColours&) const = default;
};

struct DirectionalLight {
  ColourValue diffuse;
  ColourValue specular;
  ColourValue ambient;
  Vec3 direction{0, 0, 1};  // world space, the way the light travels; need not be unit length
  bool enabled = true;
};

// Which faces are culled, by their winding on screen (y down).
enum class Cull { None, Clockwise, CounterClockwise };

enum class BlendFactor {
  Zero,
  One,
  SourceColour,
  InverseSourceColour,
  SourceAlpha,
  InverseSourceAlpha,
  DestinationAlpha,
  InverseDestinationAlpha,
  DestinationColour,
  InverseDestinationColour,
};

// Colour and alpha operations of a texture stage. Disable on a stage's colour ends the cascade
// there; Disable on its alpha passes the incoming alpha through.
enum class TextureOp { Disable, SelectArg1, SelectArg2, Modulate, Modulate2x, Add };
// Diffuse is the vertex colour after lighting; Current is the previous stage's result (the
// diffuse colour on stage 0); Texture samples the stage's texture (opaque white without one).
enum class TextureArg { Diffuse, Current, Texture };
enum class TexCoordSource { VertexUv, CameraSpaceNormal };
enum class TextureAddress { Wrap, Clamp };

struct TextureStage {
  TextureOp colourOp = TextureOp::Disable;
  TextureArg colourArg1 = TextureArg::Texture;
  TextureArg colourArg2 = TextureArg::Current;
  TextureOp alphaOp = TextureOp::Disable;
  TextureArg alphaArg1 = TextureArg::Texture;
  TextureArg alphaArg2 = TextureArg::Current;
  TexCoordSource coordSource = TexCoordSource::VertexUv;
  // When set, the coordinates are multiplied by `transform` and the first two results are used:
  // a normal enters as (x, y, z, 1), a vertex (u, v) as (u, v, 1, 0).
  bool transformTwoCoords = false;
  Mat4 transform;
  TextureAddress address = TextureAddress::Wrap;
  bool linearMagnification = false;  // point sampling otherwise; minification always samples points
  unsigned texture = 0;              // device texture name (see DeviceTexture); 0 for none
};

inline TextureStage firstStageDefaults() {
  TextureStage stage;
  stage.colourOp = TextureOp::Modulate;
  stage.alphaOp = TextureOp::SelectArg1;
  return stage;
}

// The area of the back buffer drawn into, in pixels from the top left, with its depth range.
struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
  float minZ = 0, maxZ = 1;
};

struct DeviceState {
  Mat4 world;
  Mat4 view;
  Mat4 projection;
  Viewport viewport;
  bool lighting = true;
  bool specular = false;  // adds the specular colour after texturing
  bool depthTest = true;
  bool depthWrite = true;
  Cull cull = Cull::CounterClockwise;
  bool alphaBlend = false;
  BlendFactor sourceBlend = BlendFactor::One;
  BlendFactor destinationBlend = BlendFactor::Zero;
  std::uint32_t ambient = 0;  // global ambient light, 0xAARRGGBB
  std::array<TextureStage, 2> stages{firstStageDefaults(), TextureStage{}};
  MaterialColours material;
  DirectionalLight light;
};

}  // namespace zv
