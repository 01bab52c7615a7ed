#include "port/gl/headless_gl_context.h"

#include <GL/glcorearb.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace zv::port {
namespace {

// Clears a 4 x 4 framebuffer object to a colour and reads one pixel back as RGBA bytes.
std::array<std::uint8_t, 4> clearAndReadPixel(float r, float g, float b, float a) {
  GLuint framebuffer = 0, colour = 0;
  glGenFramebuffers(1, &framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glGenRenderbuffers(1, &colour);
  glBindRenderbuffer(GL_RENDERBUFFER, colour);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 4, 4);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
  EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
  glViewport(0, 0, 4, 4);
  glClearColor(r, g, b, a);
  glClear(GL_COLOR_BUFFER_BIT);
  std::array<std::uint8_t, 4> pixel{};
  glReadPixels(1, 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  glDeleteRenderbuffers(1, &colour);
  glDeleteFramebuffers(1, &framebuffer);
  return pixel;
}

TEST(HeadlessGlContext, ClearsAFramebufferAndReadsItBack) {
  std::string error;
  auto context = HeadlessGlContext::create(error);
  ASSERT_NE(context, nullptr) << error;
  GLint major = 0, minor = 0;
  glGetIntegerv(GL_MAJOR_VERSION, &major);
  glGetIntegerv(GL_MINOR_VERSION, &minor);
  EXPECT_GE(major * 10 + minor, 33);
  EXPECT_EQ(clearAndReadPixel(1.0f, 0.5f, 0.0f, 1.0f), (std::array<std::uint8_t, 4>{255, 128, 0, 255}));
}

}  // namespace
}  // namespace zv::port
