#include "render/capture_texture.h"

#include <GL/glcorearb.h>

#include <algorithm>
#include <vector>

namespace zv {

bool createCaptureTexture(CaptureTexture& capture) {
  glGetError();
  glGenTextures(1, &capture.texture);
  glBindTexture(GL_TEXTURE_2D, capture.texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kCaptureSize, kCaptureSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glGenFramebuffers(1, &capture.framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, capture.framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, capture.texture, 0);
  const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (!complete || glGetError() != GL_NO_ERROR) {
    releaseCaptureTexture(capture);
    return false;
  }
  return true;
}

void releaseCaptureTexture(CaptureTexture& capture) {
  glDeleteFramebuffers(1, &capture.framebuffer);
  glDeleteTextures(1, &capture.texture);
  capture = CaptureTexture{};
}

void captureBackBuffer(CaptureTexture& capture, DisplayDevice& device, port::Rect source) {
  if (capture.framebuffer == 0 || !device.created || source.width() <= 0 || source.height() <= 0) {
    return;
  }
  flushPainting(device);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, device.framebuffer);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, capture.framebuffer);
  glDisable(GL_SCISSOR_TEST);
  // Textures keep their top row at v = 0 while GL counts the back buffer's rows from the bottom,
  // so the copy turns the picture over.
  glBlitFramebuffer(source.left, device.height - source.bottom, source.right, device.height - source.top, 0,
                    kCaptureSize, kCaptureSize, 0, GL_COLOR_BUFFER_BIT, GL_LINEAR);
  glBindFramebuffer(GL_FRAMEBUFFER, device.framebuffer);
}

void capturePicture(CaptureTexture& capture, const port::Picture& picture) {
  const std::size_t pictureBytes = static_cast<std::size_t>(std::max(picture.width, 0)) *
                                   static_cast<std::size_t>(std::max(picture.height, 0)) * 4;
  if (capture.texture == 0 || pictureBytes == 0 || picture.pixels.size() < pictureBytes) {
    return;
  }
  std::vector<std::uint8_t> scaled(static_cast<std::size_t>(kCaptureSize) * kCaptureSize * 4);
  for (int y = 0; y < kCaptureSize; ++y) {
    const std::uint8_t* row = picture.row(y * picture.height / kCaptureSize);
    for (int x = 0; x < kCaptureSize; ++x) {
      const std::uint8_t* pixel = row + static_cast<std::size_t>(x * picture.width / kCaptureSize) * 4;
      std::uint8_t* out = scaled.data() + (static_cast<std::size_t>(y) * kCaptureSize + x) * 4;
      out[0] = pixel[0];
      out[1] = pixel[1];
      out[2] = pixel[2];
      out[3] = 255;
    }
  }
  glBindTexture(GL_TEXTURE_2D, capture.texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kCaptureSize, kCaptureSize, GL_BGRA, GL_UNSIGNED_BYTE,
                  scaled.data());
}

}  // namespace zv
