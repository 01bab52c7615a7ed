// The device's shader programs: one that reproduces the fixed-function pipeline from the
// uniforms of DeviceState, and one that lays the 2D painting layer over the back buffer.
#pragma once

#include <array>
#include <string>

namespace zv {

// The decisions of the texture cascade, built into a fragment program as constants: the rasteriser
// then runs only the stages and the specular sum a draw uses, where testing them per pixel
// would cost it the time of every branch.
struct FragmentChoices {
  std::array<std::array<int, 3>, 2> colourStage{};  // per stage: operation, argument 1, argument 2
  std::array<std::array<int, 3>, 2> alphaStage{};
  std::array<bool, 2> hasTexture{};
  bool specular = false;
  bool operator==(const FragmentChoices&) const = default;
};

struct FixedFunctionProgram {
  FragmentChoices choices;
  unsigned program = 0;
  int worldView = -1, projection = -1, normalMatrix = -1;
  int vertexLayout = -1, viewport = -1;
  int lighting = -1, globalAmbient = -1;
  int materialDiffuse = -1, materialAmbient = -1, materialSpecular = -1, materialEmissive = -1,
      materialPower = -1;
  int lightEnabled = -1, lightToward = -1, lightDiffuse = -1, lightSpecular = -1, lightAmbient = -1;
  int coordSource[2] = {-1, -1}, coordTransformed[2] = {-1, -1}, texTransform[2] = {-1, -1};
  int sampler[2] = {-1, -1};
};

struct OverlayProgram {
  unsigned program = 0;
  int sampler = -1;
  int area = -1;  // x, y, width, height of the quad in texture coordinates 0..1, rows from the top
};

// Compile and link; false with `error` holding the compiler's log on failure.
bool buildFixedFunctionProgram(FixedFunctionProgram& program, const FragmentChoices& choices,
                               std::string& error);
bool buildOverlayProgram(OverlayProgram& program, std::string& error);

}  // namespace zv
