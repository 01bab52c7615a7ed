#include "render/axes_drawing.h"

#include <numeric>

namespace zv {
namespace {

constexpr std::uint32_t kInvisibleWhite = 0x00FFFFFF;

std::array<std::uint16_t, kAxesVertexCount> axesIndices() {
  std::array<std::uint16_t, kAxesVertexCount> indices;
  std::iota(indices.begin(), indices.end(), std::uint16_t{0});
  return indices;
}

LitVertex floorCorner(float x, float z) {
  LitVertex vertex;
  vertex.position = {x, 0, z};
  vertex.diffuse = kInvisibleWhite;
  vertex.u = 0;
  vertex.v = 1;
  return vertex;
}

}  // namespace

void drawAxes(DisplayDevice& device, const DrawingResources& resources) {
  DeviceState& state = device.state;
  state.lighting = false;
  state.stages[0].texture = 0;
  static const std::array<std::uint16_t, kAxesVertexCount> lineIndices = axesIndices();
  drawIndexed(device, resources.axesBuffer, Primitive::LineList, lineIndices);

  const std::array<LitVertex, 4> floor{floorCorner(-50, -50), floorCorner(50, -50), floorCorner(-50, 50),
                                       floorCorner(50, 50)};
  // Both triangles wind the same way and face up, so the floor hides what lies below it over its
  // whole area when seen from above and never hides the scene from a camera under the ground.
  constexpr std::array<std::uint16_t, 6> floorIndices{1, 0, 2, 1, 2, 3};
  const Cull callersCull = state.cull;
  state.cull = Cull::CounterClockwise;
  state.alphaBlend = true;
  state.sourceBlend = BlendFactor::SourceAlpha;
  state.destinationBlend = BlendFactor::InverseSourceAlpha;
  drawVertices<LitVertex>(device, floor, Primitive::TriangleList, floorIndices);
  state.alphaBlend = false;
  state.cull = callersCull;
}

}  // namespace zv
