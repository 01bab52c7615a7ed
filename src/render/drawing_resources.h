// What every 3D view frame draws with besides the models themselves: the axes and tripod line
// buffers, the ground-shadow material, the toon ramps, the gizmo atlases and the bone markers.
#pragma once

#include <array>
#include <filesystem>
#include <string_view>

#include "render/device_state.h"
#include "render/display_device.h"
#include "render/sprite_bitmap.h"
#include "render/texture_store.h"
#include "render/vertex_buffer.h"

namespace zv {

inline constexpr int kAxesVertexCount = 90;  // 45 lines: five axis arms and the floor grid
inline constexpr int kTripodVertexCount = 6;
inline constexpr int kToonRampCount = 10;

inline constexpr std::string_view kRotateGizmoTexture = "Data\\roll.tga";
inline constexpr std::string_view kMoveGizmoTexture = "Data\\move.tga";
inline constexpr std::string_view kBoneSpriteFile = "Data/bone.bmp";

struct DrawingResources {
  VertexBuffer axesBuffer;    // kAxesVertexCount lit vertices, a line list in order
  VertexBuffer tripodBuffer;  // kTripodVertexCount lit vertices, a line list in order
  MaterialColours shadowMaterial = groundShadowMaterial({1, 1, 1});
  std::filesystem::path programFolder;  // the toon ramps and gizmo textures were registered from here
  SpriteBitmap boneSprite;              // 16 x 16 markers side by side

  // Black diffuse and specular; the ground-shadow colour lives in the ambient, which the light's
  // ambient colour modulates.
  static MaterialColours groundShadowMaterial(Vec3 colour);
};

// The exact line lists the buffers hold.
std::array<LitVertex, kAxesVertexCount> axesVertices();
std::array<LitVertex, kTripodVertexCount> tripodVertices();

// "Data\toon.bmp" for 0, then "Data\toon2.bmp" .. "Data\toon10.bmp"; empty outside 0..9.
std::string_view toonRampName(int toonIndex);

// Makes the buffers, registers the toon ramps and gizmo textures found under `programFolder`
// and loads the bone sprite. False when a buffer cannot be made (nothing is kept then); a missing
// texture or sprite only leaves that drawing without it.
bool createDrawingResources(DrawingResources& resources, DisplayDevice& device, TextureStore& textures,
                            const std::filesystem::path& programFolder);
void releaseDrawingResources(DrawingResources& resources);

// The texture the store holds under `name` from the program folder, or 0.
unsigned programTexture(const TextureStore& textures, const DrawingResources& resources,
                        std::string_view name);

}  // namespace zv
