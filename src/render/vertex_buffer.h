// Device vertex buffers in the three layouts the drawing code uses, and the primitives drawn
// from them. Colours are 0xAARRGGBB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "scene/document/math.h"

namespace zv {

// Models and props: position, normal, one texture coordinate pair; lit by the device.
struct ModelVertex {
  Vec3 position;
  Vec3 normal;
  float u = 0, v = 0;
};

// Outlines, axes and the tripod: position with colours of its own and no normal. Lighting, when
// on, gives such a vertex ambient light only.
struct LitVertex {
  Vec3 position;
  std::uint32_t reserved = 0;
  std::uint32_t diffuse = 0xFFFFFFFF;
  std::uint32_t specular = 0;
  float u = 0, v = 0;
};

// Already transformed: x, y in back-buffer pixels from the top left, z depth 0..1, and the
// reciprocal of the clip w (for perspective-correct texturing). Never lit.
struct ScreenVertex {
  float x = 0, y = 0, z = 0, rhw = 1;
  std::uint32_t diffuse = 0xFFFFFFFF;
  std::uint32_t specular = 0;
  float u = 0, v = 0;
};

static_assert(sizeof(ModelVertex) == 32 && sizeof(LitVertex) == 32 && sizeof(ScreenVertex) == 32);

enum class VertexLayout { Model, Lit, Screen };
enum class Primitive { TriangleList, TriangleStrip, LineList };

template <typename Vertex>
constexpr VertexLayout layoutOf();
template <>
constexpr VertexLayout layoutOf<ModelVertex>() {
  return VertexLayout::Model;
}
template <>
constexpr VertexLayout layoutOf<LitVertex>() {
  return VertexLayout::Lit;
}
template <>
constexpr VertexLayout layoutOf<ScreenVertex>() {
  return VertexLayout::Screen;
}

struct VertexBuffer {
  VertexLayout layout = VertexLayout::Model;
  int count = 0;                // vertices it holds
  unsigned buffer = 0;          // GL buffer name
  unsigned vertexArray = 0;     // GL vertex array bound to `buffer` in `layout`
  std::byte* locked = nullptr;  // while locked: where the caller writes
};

// A buffer of `count` vertices on the current context, contents undefined; false when the device
// cannot make one (`buffer` stays empty).
bool createVertexBuffer(VertexBuffer& buffer, VertexLayout layout, int count);
void releaseVertexBuffer(VertexBuffer& buffer);

// Write-only access to the whole buffer until `unlockVertexBuffer`; empty when it cannot be locked.
// Reading the span gives undefined values.
std::span<std::byte> lockVertexBuffer(VertexBuffer& buffer);
void unlockVertexBuffer(VertexBuffer& buffer);

template <typename Vertex>
std::span<Vertex> lockVertices(VertexBuffer& buffer) {
  const std::span<std::byte> bytes = lockVertexBuffer(buffer);
  return {reinterpret_cast<Vertex*>(bytes.data()), bytes.size() / sizeof(Vertex)};
}

// Replaces vertices first .. first + vertices.size() (clipped to the buffer).
void writeVertexBuffer(VertexBuffer& buffer, int first, std::span<const std::byte> vertices);

// A run of an index list held on the device, with the lowest and highest vertex it names, so a
// draw needs neither an upload nor a scan of the indices.
struct IndexRun {
  int first = 0;  // position of the run's first index in the list
  int count = 0;
  int lowestVertex = 0;
  int highestVertex = 0;
};

// A static 16-bit index list on the device.
struct IndexBuffer {
  int count = 0;
  unsigned buffer = 0;  // GL buffer name
};

// Copies `indices` to a new buffer on the current context; false (and `buffer` empty) when the
// list is empty or the device cannot hold it.
bool createIndexBuffer(IndexBuffer& buffer, std::span<const std::uint16_t> indices);
void releaseIndexBuffer(IndexBuffer& buffer);
// The run `first` .. `first + count` of `indices` (clipped to the list) with its vertex range.
IndexRun indexRun(std::span<const std::uint16_t> indices, std::size_t first, std::size_t count);

template <typename Vertex>
void writeVertices(VertexBuffer& buffer, std::span<const Vertex> vertices, int first = 0) {
  writeVertexBuffer(buffer, first, std::as_bytes(vertices));
}

}  // namespace zv
