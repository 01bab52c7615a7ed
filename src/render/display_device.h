// The one drawing device: a W x H back buffer with depth that the 3D drawing and the 2D painting
// (text, pens, fills, sprites) go into, presented by a stretched copy into the window. Runs on
// whichever GL 3.3 core context is current; it never creates one.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/image/bmp_image.h"
#include "port/canvas/canvas.h"
#include "port/rect.h"
#include "render/device_state.h"
#include "render/shaders.h"
#include "render/vertex_buffer.h"
#include "scene/document/message.h"

namespace zv {

// Decides whether the device set (back buffer, depth buffer, device) can be had at a size. The
// default asks GL; tests inject their own to walk the size fall-back table.
using DeviceSetCheck = std::function<bool(int width, int height)>;

struct DisplayDevice {
  DeviceState state;
  bool created = false;
  bool hardware = true;  // a hardware-accelerated GL renderer; false on software rasterisers
  int width = 0;         // back buffer W x H
  int height = 0;
  float aspect = 0;        // H / W after creation; the layout code later stores the output aspect
  float overlayScale = 0;  // s = W / screen width: multiplies every sprite and text size
  int maxTextureSize = 0;

  // GL objects.
  unsigned framebuffer = 0;
  unsigned colourTexture = 0;
  unsigned depthBuffer = 0;
  unsigned samplers[2] = {0, 0};
  unsigned indexStream = 0;
  VertexBuffer vertexStream[3];                     // one per layout, for vertices drawn straight from memory
  std::vector<FixedFunctionProgram> fixedFunction;  // one per set of program choices drawn with
  OverlayProgram overlayProgram;
  unsigned overlayTexture = 0;
  unsigned emptyVertexArray = 0;
  int indicesSinceFlush = 0;  // indices drawn since the rasteriser was last handed the draws

  // The 2D painting layer: what text, pens, fills and sprites painted since the last 3D draw.
  // It is laid over the back buffer before anything reads or draws into it again.
  port::Canvas painting{0, 0};
  std::optional<port::Rect> paintedArea;
};

// Builds the device for a screen of `screen` pixels: on failure it is not done, with one message
// captioned "Direct3D::Init" standing alone.
Outcome createDevice(DisplayDevice& device, port::Size screen, const DeviceSetCheck& check = {});
// Releases every GL object; the device can be created again afterwards.
void releaseDevice(DisplayDevice& device);
// GL keeps its surfaces; kept so the frame step reads as designed.
void restoreLostSurfaces(DisplayDevice& device);

// 0xAARRGGBB clear of the viewport's colour, depth and stencil.
struct ClearTargets {
  bool colour = false;
  bool depth = false;
  bool stencil = false;
};
void clear(DisplayDevice& device, ClearTargets targets, std::uint32_t colour, float depth, int stencil);

// Draws `indices` (16-bit, into `buffer`) as `primitive` with the device state.
void drawIndexed(DisplayDevice& device, const VertexBuffer& buffer, Primitive primitive,
                 std::span<const std::uint16_t> indices);
// Draws the run `run` of `indices` as `primitive`; a run naming a vertex past `buffer` is dropped.
void drawIndexRun(DisplayDevice& device, const VertexBuffer& buffer, const IndexBuffer& indices,
                  Primitive primitive, IndexRun run);
// Draws vertices straight from memory; without indices they are taken in order.
void drawVertexData(DisplayDevice& device, VertexLayout layout, std::span<const std::byte> vertices,
                    Primitive primitive, std::span<const std::uint16_t> indices = {});

template <typename Vertex>
void drawVertices(DisplayDevice& device, std::span<const Vertex> vertices, Primitive primitive,
                  std::span<const std::uint16_t> indices = {}) {
  drawVertexData(device, layoutOf<Vertex>(), std::as_bytes(vertices), primitive, indices);
}

// The back buffer's pixels in `area` (clipped to it), row 0 at the top, alpha as drawn.
RgbaImage readBackBuffer(DisplayDevice& device, port::Rect area);
RgbaImage readBackBuffer(DisplayDevice& device);
// The whole back buffer as B, G, R, A bytes (alpha as drawn) in GL's own row order, bottom row
// first, straight into `pixels`: no allocation and no row flip, for callers that read every frame.
// False, leaving `pixels` as it was, when the device is not created or `pixels` does not hold
// exactly W x H x 4 bytes.
bool readBackBufferBottomUp(DisplayDevice& device, std::span<std::uint8_t> pixels);

// Stretches the whole back buffer onto `target` (pixels from the top left) of the framebuffer
// `framebuffer` (0 for the window's own) whose height is `framebufferHeight`.
void present(DisplayDevice& device, unsigned framebuffer, int framebufferHeight, port::Rect target);

// Lays the painting layer over the back buffer now (the device does this itself before every
// draw, clear, read-back and presentation).
void flushPainting(DisplayDevice& device);

}  // namespace zv
