// The device's shader programs: those that reproduce the fixed-function pipeline from
// DeviceState, one per set of choices, and one that lays the 2D painting layer over the back buffer.
#pragma once

#include <array>
#include <string>

namespace zv {

// The decisions a draw's state makes, built into a program as constants: the rasteriser then runs
// only the vertex path, texture stages and specular sum the draw uses, where testing them per
// vertex and per pixel would cost it the time of every branch.
struct ProgramChoices {
  int vertexLayout = 0;  // 0 model, 1 lit, 2 screen
  bool lighting = false;
  std::array<int, 2> coordSource{};  // per stage: 0 vertex uv, 1 camera-space normal
  std::array<bool, 2> coordTransformed{};
  std::array<std::array<int, 3>, 2> colourStage{};  // per stage: operation, argument 1, argument 2
  std::array<std::array<int, 3>, 2> alphaStage{};
  std::array<bool, 2> hasTexture{};
  bool specular = false;
  bool operator==(const ProgramChoices&) const = default;
};

struct FixedFunctionProgram {
  ProgramChoices choices;
  unsigned program = 0;
  int worldView = -1, projection = -1, normalMatrix = -1;
  int viewport = -1, globalAmbient = -1;
  int materialDiffuse = -1, materialAmbient = -1, materialSpecular = -1, materialEmissive = -1,
      materialPower = -1;
  int lightEnabled = -1, lightToward = -1, lightDiffuse = -1, lightSpecular = -1, lightAmbient = -1;
  int texTransform[2] = {-1, -1};
  int sampler[2] = {-1, -1};
};

struct OverlayProgram {
  unsigned program = 0;
  int sampler = -1;
  int area = -1;  // x, y, width, height of the quad in texture coordinates 0..1, rows from the top
};

// Compile and link; false with `error` holding the compiler's log on failure.
bool buildFixedFunctionProgram(FixedFunctionProgram& program, const ProgramChoices& choices,
                               std::string& error);
bool buildOverlayProgram(OverlayProgram& program, std::string& error);

}  // namespace zv
