#include "render/vertex_buffer.h"

#include <GL/glcorearb.h>

#include <algorithm>

#include "render/vertex_attributes.h"

namespace zv {

void bindVertexAttributes(VertexLayout layout) {
  constexpr GLsizei stride = 32;
  const auto at = [](std::size_t offset) { return reinterpret_cast<const void*>(offset); };
  for (GLuint i = 0; i <= kAttributeUv; ++i) {
    glDisableVertexAttribArray(i);
  }
  glEnableVertexAttribArray(kAttributePosition);
  glEnableVertexAttribArray(kAttributeUv);
  switch (layout) {
    case VertexLayout::Model:
      glVertexAttribPointer(kAttributePosition, 3, GL_FLOAT, GL_FALSE, stride, at(0));
      glEnableVertexAttribArray(kAttributeNormal);
      glVertexAttribPointer(kAttributeNormal, 3, GL_FLOAT, GL_FALSE, stride, at(12));
      glVertexAttribPointer(kAttributeUv, 2, GL_FLOAT, GL_FALSE, stride, at(24));
      break;
    case VertexLayout::Lit:
      glVertexAttribPointer(kAttributePosition, 3, GL_FLOAT, GL_FALSE, stride, at(0));
      glEnableVertexAttribArray(kAttributeDiffuse);
      glEnableVertexAttribArray(kAttributeSpecular);
      // 0xAARRGGBB stored little-endian is B, G, R, A in memory.
      glVertexAttribPointer(kAttributeDiffuse, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(16));
      glVertexAttribPointer(kAttributeSpecular, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(20));
      glVertexAttribPointer(kAttributeUv, 2, GL_FLOAT, GL_FALSE, stride, at(24));
      break;
    case VertexLayout::Screen:
      glVertexAttribPointer(kAttributePosition, 4, GL_FLOAT, GL_FALSE, stride, at(0));
      glEnableVertexAttribArray(kAttributeDiffuse);
      glEnableVertexAttribArray(kAttributeSpecular);
      glVertexAttribPointer(kAttributeDiffuse, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(16));
      glVertexAttribPointer(kAttributeSpecular, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(20));
      glVertexAttribPointer(kAttributeUv, 2, GL_FLOAT, GL_FALSE, stride, at(24));
      break;
  }
}

bool createVertexBuffer(VertexBuffer& buffer, VertexLayout layout, int count) {
  releaseVertexBuffer(buffer);
  if (count <= 0) {
    return false;
  }
  glGetError();
  GLuint name = 0;
  GLuint vertexArray = 0;
  glGenBuffers(1, &name);
  glGenVertexArrays(1, &vertexArray);
  glBindVertexArray(vertexArray);
  glBindBuffer(GL_ARRAY_BUFFER, name);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count) * 32, nullptr, GL_DYNAMIC_DRAW);
  bindVertexAttributes(layout);
  glBindVertexArray(0);
  if (glGetError() != GL_NO_ERROR || name == 0 || vertexArray == 0) {
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteBuffers(1, &name);
    return false;
  }
  buffer.layout = layout;
  buffer.count = count;
  buffer.buffer = name;
  buffer.vertexArray = vertexArray;
  return true;
}

void releaseVertexBuffer(VertexBuffer& buffer) {
  if (buffer.buffer != 0) {
    glDeleteVertexArrays(1, &buffer.vertexArray);
    glDeleteBuffers(1, &buffer.buffer);
  }
  buffer = VertexBuffer{};
}

std::span<std::byte> lockVertexBuffer(VertexBuffer& buffer) {
  if (buffer.buffer == 0 || buffer.locked) {
    return {};
  }
  glBindBuffer(GL_ARRAY_BUFFER, buffer.buffer);
  const GLsizeiptr size = static_cast<GLsizeiptr>(buffer.count) * 32;
  void* memory = glMapBufferRange(GL_ARRAY_BUFFER, 0, size, GL_MAP_WRITE_BIT);
  if (!memory) {
    return {};
  }
  buffer.locked = static_cast<std::byte*>(memory);
  return {buffer.locked, static_cast<std::size_t>(size)};
}

void unlockVertexBuffer(VertexBuffer& buffer) {
  if (!buffer.locked) {
    return;
  }
  glBindBuffer(GL_ARRAY_BUFFER, buffer.buffer);
  glUnmapBuffer(GL_ARRAY_BUFFER);
  buffer.locked = nullptr;
}

void writeVertexBuffer(VertexBuffer& buffer, int first, std::span<const std::byte> vertices) {
  if (buffer.buffer == 0 || buffer.locked || first < 0 || first >= buffer.count) {
    return;
  }
  const std::size_t room = static_cast<std::size_t>(buffer.count - first) * 32;
  const std::size_t bytes = std::min(room, vertices.size());
  glBindBuffer(GL_ARRAY_BUFFER, buffer.buffer);
  glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(first) * 32, static_cast<GLsizeiptr>(bytes),
                  vertices.data());
}

bool createIndexBuffer(IndexBuffer& buffer, std::span<const std::uint16_t> indices) {
  releaseIndexBuffer(buffer);
  if (indices.empty()) {
    return false;
  }
  glGetError();
  GLuint name = 0;
  glGenBuffers(1, &name);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, name);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size_bytes()), indices.data(),
               GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  if (glGetError() != GL_NO_ERROR || name == 0) {
    glDeleteBuffers(1, &name);
    return false;
  }
  buffer.count = static_cast<int>(indices.size());
  buffer.buffer = name;
  return true;
}

void releaseIndexBuffer(IndexBuffer& buffer) {
  if (buffer.buffer != 0) {
    glDeleteBuffers(1, &buffer.buffer);
  }
  buffer = IndexBuffer{};
}

IndexRun indexRun(std::span<const std::uint16_t> indices, std::size_t first, std::size_t count) {
  if (first >= indices.size()) {
    return {};
  }
  const std::span<const std::uint16_t> run = indices.subspan(first, std::min(count, indices.size() - first));
  if (run.empty()) {
    return {};
  }
  const auto [lowest, highest] = std::minmax_element(run.begin(), run.end());
  return {static_cast<int>(first), static_cast<int>(run.size()), *lowest, *highest};
}

}  // namespace zv
