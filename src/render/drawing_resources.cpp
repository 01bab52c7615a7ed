#include "render/drawing_resources.h"

#include <cstdint>

namespace zv {
namespace {

constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kGrey = 0xFFB2B2B2;
constexpr float kGridHeight = 0.1f;  // just above the floor, which writes depth at 0

constexpr std::array<std::string_view, kToonRampCount> kToonRamps{
    "Data\\toon.bmp",  "Data\\toon2.bmp", "Data\\toon3.bmp", "Data\\toon4.bmp", "Data\\toon5.bmp",
    "Data\\toon6.bmp", "Data\\toon7.bmp", "Data\\toon8.bmp", "Data\\toon9.bmp", "Data\\toon10.bmp"};

LitVertex coloured(Vec3 position, std::uint32_t colour) {
  LitVertex vertex;
  vertex.position = position;
  vertex.diffuse = colour;
  return vertex;
}

template <std::size_t N>
bool createFilled(VertexBuffer& buffer, const std::array<LitVertex, N>& vertices) {
  if (!createVertexBuffer(buffer, VertexLayout::Lit, static_cast<int>(N))) {
    return false;
  }
  writeVertices<LitVertex>(buffer, vertices);
  return true;
}

}  // namespace

MaterialColours DrawingResources::groundShadowMaterial(Vec3 colour) {
  MaterialColours material;
  material.diffuse = {0, 0, 0, 1};
  material.ambient = {colour.x, colour.y, colour.z, 1};
  material.specular = {0, 0, 0, 1};
  material.emissive = {0, 0, 0, 0};
  material.power = 0;
  return material;
}

std::array<LitVertex, kAxesVertexCount> axesVertices() {
  std::array<LitVertex, kAxesVertexCount> vertices;
  const Vec3 origin{0, kGridHeight, 0};
  vertices[0] = coloured(origin, kBlue);
  vertices[1] = coloured({0, kGridHeight, -65}, kBlue);
  vertices[2] = coloured(origin, kRed);
  vertices[3] = coloured({65, kGridHeight, 0}, kRed);
  vertices[4] = coloured(origin, kGreen);
  vertices[5] = coloured({0, 65, 0}, kGreen);
  vertices[6] = coloured(origin, kGrey);
  vertices[7] = coloured({0, kGridHeight, 50}, kGrey);
  vertices[8] = coloured(origin, kGrey);
  vertices[9] = coloured({-50, kGridHeight, 0}, kGrey);
  std::size_t next = 10;
  for (int d = 1; d <= 10; ++d) {
    const auto offset = static_cast<float>(5 * d);
    for (const Vec3 position :
         {Vec3{offset, kGridHeight, -50}, Vec3{offset, kGridHeight, 50}, Vec3{-offset, kGridHeight, -50},
          Vec3{-offset, kGridHeight, 50}, Vec3{-50, kGridHeight, offset}, Vec3{50, kGridHeight, offset},
          Vec3{-50, kGridHeight, -offset}, Vec3{50, kGridHeight, -offset}}) {
      vertices[next++] = coloured(position, kGrey);
    }
  }
  return vertices;
}

std::array<LitVertex, kTripodVertexCount> tripodVertices() {
  return {coloured({0, 0, -2}, kBlue), coloured({0, 0, 0}, kBlue),  coloured({2, 0, 0}, kRed),
          coloured({0, 0, 0}, kRed),   coloured({0, 2, 0}, kGreen), coloured({0, 0, 0}, kGreen)};
}

std::string_view toonRampName(int toonIndex) {
  if (toonIndex < 0 || toonIndex >= kToonRampCount) {
    return {};
  }
  return kToonRamps[static_cast<std::size_t>(toonIndex)];
}

bool createDrawingResources(DrawingResources& resources, DisplayDevice& device, TextureStore& textures,
                            const std::filesystem::path& programFolder) {
  if (!createFilled(resources.axesBuffer, axesVertices()) ||
      !createFilled(resources.tripodBuffer, tripodVertices())) {
    releaseDrawingResources(resources);
    return false;
  }
  resources.programFolder = programFolder;
  for (const std::string_view ramp : kToonRamps) {
    registerTexture(textures, ramp, programFolder);
  }
  registerTexture(textures, kRotateGizmoTexture, programFolder);
  registerTexture(textures, kMoveGizmoTexture, programFolder);
  createSurfaces(textures, device);
  loadSprite(device, resources.boneSprite, programFolder / kBoneSpriteFile);
  return true;
}

void releaseDrawingResources(DrawingResources& resources) {
  releaseVertexBuffer(resources.axesBuffer);
  releaseVertexBuffer(resources.tripodBuffer);
}

unsigned programTexture(const TextureStore& textures, const DrawingResources& resources,
                        std::string_view name) {
  return findTexture(textures, name, resources.programFolder).name;
}

}  // namespace zv
