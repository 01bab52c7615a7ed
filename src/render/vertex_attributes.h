// Attribute slots shared by the vertex buffers and the device's shader program.
#pragma once

#include "render/vertex_buffer.h"

namespace zv {

inline constexpr unsigned kAttributePosition = 0;
inline constexpr unsigned kAttributeNormal = 1;
inline constexpr unsigned kAttributeDiffuse = 2;
inline constexpr unsigned kAttributeSpecular = 3;
inline constexpr unsigned kAttributeUv = 4;

// Points the bound vertex array's attributes at the bound array buffer in `layout`.
void bindVertexAttributes(VertexLayout layout);

}  // namespace zv
