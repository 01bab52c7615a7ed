#include "render/async_read_back.h"

#include <GL/glcorearb.h>

#include <cstring>

namespace zv {
namespace {

std::size_t byteCount(port::Size size) {
  return static_cast<std::size_t>(size.width) * size.height * 4;
}

// The buffer of the oldest pending read: when both hold one, the next read's buffer was filled
// first.
int oldestPending(const AsyncReadBack& readBack) {
  const int other = 1 - readBack.next;
  return readBack.pending[readBack.next] ? readBack.next : other;
}

}  // namespace

bool startReadBack(DisplayDevice& device, AsyncReadBack& readBack) {
  const int slot = readBack.next;
  const port::Size size{device.width, device.height};
  if (!device.created || byteCount(size) == 0 || readBack.pending[slot]) {
    return false;
  }
  flushPainting(device);
  if (readBack.buffers[slot] == 0) {
    glGenBuffers(1, &readBack.buffers[slot]);
  }
  glGetError();
  glBindBuffer(GL_PIXEL_PACK_BUFFER, readBack.buffers[slot]);
  if (byteCount(readBack.sizes[slot]) != byteCount(size)) {
    glBufferData(GL_PIXEL_PACK_BUFFER, static_cast<GLsizeiptr>(byteCount(size)), nullptr, GL_STREAM_READ);
  }
  glBindFramebuffer(GL_FRAMEBUFFER, device.framebuffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, size.width, size.height, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  if (glGetError() != GL_NO_ERROR) {
    readBack.sizes[slot] = {};
    return false;
  }
  readBack.sizes[slot] = size;
  readBack.pending[slot] = true;
  readBack.next = 1 - slot;
  return true;
}

bool collectReadBack(AsyncReadBack& readBack, port::Picture& picture) {
  const int slot = oldestPending(readBack);
  if (!readBack.pending[slot]) {
    return false;
  }
  readBack.pending[slot] = false;
  const port::Size size = readBack.sizes[slot];
  const std::size_t bytes = byteCount(size);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, readBack.buffers[slot]);
  const void* pixels =
      glMapBufferRange(GL_PIXEL_PACK_BUFFER, 0, static_cast<GLsizeiptr>(bytes), GL_MAP_READ_BIT);
  if (pixels != nullptr) {
    picture.width = size.width;
    picture.height = size.height;
    picture.pixels.resize(bytes);
    std::memcpy(picture.pixels.data(), pixels, bytes);
  }
  const bool unmapped = pixels != nullptr && glUnmapBuffer(GL_PIXEL_PACK_BUFFER) == GL_TRUE;
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  return unmapped;
}

int pendingReadBacks(const AsyncReadBack& readBack) {
  return static_cast<int>(readBack.pending[0]) + static_cast<int>(readBack.pending[1]);
}

void discardReadBacks(AsyncReadBack& readBack) {
  readBack.pending[0] = readBack.pending[1] = false;
}

void releaseReadBack(AsyncReadBack& readBack) {
  if (readBack.buffers[0] == 0 && readBack.buffers[1] == 0) {
    return;
  }
  glDeleteBuffers(2, readBack.buffers);
  readBack = {};
}

}  // namespace zv
