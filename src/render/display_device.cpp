#include "render/display_device.h"

#include <GL/glcorearb.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "render/device_sizes.h"
#include "render/vertex_attributes.h"

namespace zv {
namespace {

constexpr const char* kInitCaption = "Direct3D::Init";
constexpr int kNoContext = -1;
constexpr float kInitialFieldOfView = 0.7825f;
// A software rasteriser starts on the draws only when they are flushed and would idle while a
// frame of many models is prepared: handing them over every so many indices lets it work on
// them meanwhile. Measured on ten characters; much smaller batches cost more than they win.
constexpr int kIndicesPerFlush = 40000;

Outcome initFailure(std::string text) {
  return {false, {{std::move(text), kInitCaption, true}}};
}

Outcome initError(const char* format, int code) {
  char text[256];
  std::snprintf(text, sizeof text, format, code);
  return initFailure(text);
}

bool contextOffersCore33() {
  if (!glGetString(GL_VERSION)) {
    return false;
  }
  GLint major = 0;
  GLint minor = 0;
  glGetIntegerv(GL_MAJOR_VERSION, &major);
  glGetIntegerv(GL_MINOR_VERSION, &minor);
  return major > 3 || (major == 3 && minor >= 3);
}

bool softwareRenderer() {
  const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  if (!renderer) {
    return true;
  }
  return std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe") ||
         std::strstr(renderer, "Software");
}

void releaseDeviceSet(DisplayDevice& device) {
  glDeleteFramebuffers(1, &device.framebuffer);
  glDeleteTextures(1, &device.colourTexture);
  glDeleteRenderbuffers(1, &device.depthBuffer);
  glDeleteTextures(1, &device.overlayTexture);
  device.framebuffer = device.colourTexture = device.depthBuffer = device.overlayTexture = 0;
  device.painting = port::Canvas(0, 0);
  device.paintedArea.reset();
}

unsigned makeTexture(GLenum internalFormat, int width, int height) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), width, height, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  return texture;
}

// Back buffer, depth buffer and painting layer at width x height; false leaves none of them.
bool createDeviceSet(DisplayDevice& device, int width, int height) {
  releaseDeviceSet(device);
  GLint maxRenderbuffer = 0;
  GLint maxViewport[2] = {0, 0};
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxRenderbuffer);
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, maxViewport);
  const int limit = std::min({maxRenderbuffer, device.maxTextureSize, maxViewport[0], maxViewport[1]});
  if (width <= 0 || height <= 0 || width > limit || height > limit) {
    return false;
  }
  glGetError();
  device.colourTexture = makeTexture(GL_RGBA8, width, height);
  device.overlayTexture = makeTexture(GL_RGBA8, width, height);
  glGenRenderbuffers(1, &device.depthBuffer);
  glBindRenderbuffer(GL_RENDERBUFFER, device.depthBuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
  glGenFramebuffers(1, &device.framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, device.framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, device.colourTexture, 0);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, device.depthBuffer);
  const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  if (!complete || glGetError() != GL_NO_ERROR) {
    releaseDeviceSet(device);
    return false;
  }
  device.painting = port::Canvas(width, height);
  return true;
}

void applyDefaultStates(DisplayDevice& device) {
  DeviceState& state = device.state;
  state = DeviceState{};
  state.viewport = Viewport{0, 0, device.width, device.height, 0, 1};
  state.lighting = true;
  state.specular = true;
  for (TextureStage& stage : state.stages) {
    stage.linearMagnification = true;
    stage.alphaOp = TextureOp::Modulate;
    stage.alphaArg1 = TextureArg::Texture;
  }
  state.stages[0].colourOp = TextureOp::Modulate;
  state.stages[0].colourArg1 = TextureArg::Texture;
  state.stages[0].colourArg2 = TextureArg::Diffuse;
  TextureStage& second = state.stages[1];
  second.colourArg1 = TextureArg::Current;
  second.colourArg2 = TextureArg::Texture;
  second.transformTwoCoords = false;
  second.coordSource = TexCoordSource::VertexUv;
  second.address = TextureAddress::Wrap;
  state.depthTest = true;
}

GLenum blendFactor(BlendFactor factor) {
  switch (factor) {
    case BlendFactor::Zero:
      return GL_ZERO;
    case BlendFactor::One:
      return GL_ONE;
    case BlendFactor::SourceColour:
      return GL_SRC_COLOR;
    case BlendFactor::InverseSourceColour:
      return GL_ONE_MINUS_SRC_COLOR;
    case BlendFactor::SourceAlpha:
      return GL_SRC_ALPHA;
    case BlendFactor::InverseSourceAlpha:
      return GL_ONE_MINUS_SRC_ALPHA;
    case BlendFactor::DestinationAlpha:
      return GL_DST_ALPHA;
    case BlendFactor::InverseDestinationAlpha:
      return GL_ONE_MINUS_DST_ALPHA;
    case BlendFactor::DestinationColour:
      return GL_DST_COLOR;
    case BlendFactor::InverseDestinationColour:
      return GL_ONE_MINUS_DST_COLOR;
  }
  return GL_ONE;
}

ColourValue fromArgb(std::uint32_t argb) {
  return {static_cast<float>(argb >> 16 & 0xFF) / 255.0f, static_cast<float>(argb >> 8 & 0xFF) / 255.0f,
          static_cast<float>(argb & 0xFF) / 255.0f, static_cast<float>(argb >> 24) / 255.0f};
}

void uniformColour(int location, ColourValue colour) {
  glUniform4f(location, colour.r, colour.g, colour.b, colour.a);
}

// Inverse transpose of the upper 3 x 3 of `m`, row by row; zero when `m` is singular. Normals
// multiplied by it keep the length the transform gives them, as the lighting equations expect.
std::array<float, 9> normalTransform(const Mat4& m) {
  const auto a = [&](int r, int c) { return m.m[r][c]; };
  const float cofactor[3][3] = {{a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1), a(1, 2) * a(2, 0) - a(1, 0) * a(2, 2),
                                 a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0)},
                                {a(0, 2) * a(2, 1) - a(0, 1) * a(2, 2), a(0, 0) * a(2, 2) - a(0, 2) * a(2, 0),
                                 a(0, 1) * a(2, 0) - a(0, 0) * a(2, 1)},
                                {a(0, 1) * a(1, 2) - a(0, 2) * a(1, 1), a(0, 2) * a(1, 0) - a(0, 0) * a(1, 2),
                                 a(0, 0) * a(1, 1) - a(0, 1) * a(1, 0)}};
  const float determinant = a(0, 0) * cofactor[0][0] + a(0, 1) * cofactor[0][1] + a(0, 2) * cofactor[0][2];
  std::array<float, 9> result{};
  if (determinant == 0.0f) {
    return result;
  }
  // inverse = adjugate / det = cofactor^T / det, so its transpose is cofactor / det.
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      result[r * 3 + c] = cofactor[r][c] / determinant;
    }
  }
  return result;
}

void applyStageTexture(DisplayDevice& device, int index, const TextureStage& stage) {
  glActiveTexture(GL_TEXTURE0 + index);
  glBindTexture(GL_TEXTURE_2D, stage.texture);
  const GLuint sampler = device.samplers[index];
  const GLint address = stage.address == TextureAddress::Wrap ? GL_REPEAT : GL_CLAMP_TO_EDGE;
  glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, address);
  glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, address);
  glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, stage.linearMagnification ? GL_LINEAR : GL_NEAREST);
  glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glBindSampler(index, sampler);
}

void applyViewport(const DisplayDevice& device) {
  const Viewport& v = device.state.viewport;
  glViewport(v.x, device.height - v.y - v.height, v.width, v.height);
  glDepthRange(v.minZ, v.maxZ);
}

ProgramChoices programChoices(const DeviceState& state, VertexLayout layout) {
  ProgramChoices choices;
  choices.vertexLayout = static_cast<int>(layout);
  choices.lighting = state.lighting;
  for (int index = 0; index < 2; ++index) {
    const TextureStage& stage = state.stages[index];
    choices.coordSource[index] = stage.coordSource == TexCoordSource::CameraSpaceNormal ? 1 : 0;
    choices.coordTransformed[index] = stage.transformTwoCoords;
    choices.colourStage[index] = {static_cast<int>(stage.colourOp), static_cast<int>(stage.colourArg1),
                                  static_cast<int>(stage.colourArg2)};
    choices.alphaStage[index] = {static_cast<int>(stage.alphaOp), static_cast<int>(stage.alphaArg1),
                                 static_cast<int>(stage.alphaArg2)};
    choices.hasTexture[index] = stage.texture != 0;
  }
  choices.specular = state.specular;
  return choices;
}

// The program for the choices of the state and layout, built the first time they are drawn with;
// null when it cannot be built.
const FixedFunctionProgram* fixedFunctionProgram(DisplayDevice& device, VertexLayout layout) {
  const ProgramChoices choices = programChoices(device.state, layout);
  for (const FixedFunctionProgram& program : device.fixedFunction) {
    if (program.choices == choices) {
      return &program;
    }
  }
  FixedFunctionProgram program;
  std::string error;
  if (!buildFixedFunctionProgram(program, choices, error)) {
    return nullptr;
  }
  device.fixedFunction.push_back(program);
  return &device.fixedFunction.back();
}

// Puts every piece of DeviceState into GL before a draw; false when there is no program for it.
bool applyState(DisplayDevice& device, VertexLayout layout) {
  const FixedFunctionProgram* program = fixedFunctionProgram(device, layout);
  if (!program) {
    return false;
  }
  flushPainting(device);
  const DeviceState& state = device.state;
  glBindFramebuffer(GL_FRAMEBUFFER, device.framebuffer);
  glDisable(GL_SCISSOR_TEST);
  applyViewport(device);
  if (state.depthTest) {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
  } else {
    glDisable(GL_DEPTH_TEST);
  }
  glDepthMask(state.depthWrite ? GL_TRUE : GL_FALSE);
  glFrontFace(GL_CW);
  if (state.cull == Cull::None) {
    glDisable(GL_CULL_FACE);
  } else {
    glEnable(GL_CULL_FACE);
    glCullFace(state.cull == Cull::CounterClockwise ? GL_BACK : GL_FRONT);
  }
  if (state.alphaBlend) {
    glEnable(GL_BLEND);
    glBlendFunc(blendFactor(state.sourceBlend), blendFactor(state.destinationBlend));
  } else {
    glDisable(GL_BLEND);
  }

  const FixedFunctionProgram& p = *program;
  glUseProgram(p.program);
  const Mat4 worldView = state.world * state.view;
  glUniformMatrix4fv(p.worldView, 1, GL_FALSE, &worldView.m[0][0]);
  glUniformMatrix4fv(p.projection, 1, GL_FALSE, &state.projection.m[0][0]);
  const std::array<float, 9> normals = normalTransform(worldView);
  glUniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, normals.data());
  glUniform4f(p.viewport, static_cast<float>(state.viewport.x), static_cast<float>(state.viewport.y),
              static_cast<float>(std::max(state.viewport.width, 1)),
              static_cast<float>(std::max(state.viewport.height, 1)));
  uniformColour(p.globalAmbient, fromArgb(state.ambient));
  uniformColour(p.materialDiffuse, state.material.diffuse);
  uniformColour(p.materialAmbient, state.material.ambient);
  uniformColour(p.materialSpecular, state.material.specular);
  uniformColour(p.materialEmissive, state.material.emissive);
  glUniform1f(p.materialPower, state.material.power);
  const DirectionalLight& light = state.light;
  const Vec3 toward = normalised(transformDirection(light.direction, state.view)) * -1.0f;
  glUniform1i(p.lightEnabled, light.enabled);
  glUniform3f(p.lightToward, toward.x, toward.y, toward.z);
  uniformColour(p.lightDiffuse, light.diffuse);
  uniformColour(p.lightSpecular, light.specular);
  uniformColour(p.lightAmbient, light.ambient);
  for (int index = 0; index < 2; ++index) {
    const TextureStage& stage = state.stages[index];
    glUniformMatrix4fv(p.texTransform[index], 1, GL_FALSE, &stage.transform.m[0][0]);
    glUniform1i(p.sampler[index], index);
    applyStageTexture(device, index, stage);
  }
  return true;
}

GLenum glPrimitive(Primitive primitive) {
  switch (primitive) {
    case Primitive::TriangleList:
      return GL_TRIANGLES;
    case Primitive::TriangleStrip:
      return GL_TRIANGLE_STRIP;
    case Primitive::LineList:
      return GL_LINES;
  }
  return GL_TRIANGLES;
}

// An index past the buffer would read outside it: such a draw is dropped whole.
bool indicesInRange(std::span<const std::uint16_t> indices, int vertexCount) {
  return std::all_of(indices.begin(), indices.end(), [&](std::uint16_t i) { return i < vertexCount; });
}

void drawBound(DisplayDevice& device, const VertexBuffer& buffer, Primitive primitive,
               std::span<const std::uint16_t> indices, int vertexCount) {
  if (!applyState(device, buffer.layout)) {
    return;
  }
  glBindVertexArray(buffer.vertexArray);
  if (indices.empty()) {
    glDrawArrays(glPrimitive(primitive), 0, vertexCount);
  } else {
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, device.indexStream);
    const auto bytes = static_cast<GLsizeiptr>(indices.size_bytes());
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, bytes, indices.data(), GL_STREAM_DRAW);
    glDrawElements(glPrimitive(primitive), static_cast<GLsizei>(indices.size()), GL_UNSIGNED_SHORT, nullptr);
  }
  glBindVertexArray(0);
}

}  // namespace

Outcome createDevice(DisplayDevice& device, port::Size screen, const DeviceSetCheck& check) {
  releaseDevice(device);
  int width = screen.width;
  int height = screen.height;
  if (!contextOffersCore33()) {
    return initError("DirectDrawCreateExエラー:%d", kNoContext);
  }
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &device.maxTextureSize);
  std::string error;
  // Builds the default state's program now, so that a context unable to build any fails here.
  applyDefaultStates(device);
  if (!fixedFunctionProgram(device, VertexLayout::Model) ||
      !buildOverlayProgram(device.overlayProgram, error)) {
    releaseDevice(device);
    return initError("QueryInterfaceエラー:%d", 0);
  }
  glGenSamplers(2, device.samplers);
  glGenBuffers(1, &device.indexStream);
  glGenVertexArrays(1, &device.emptyVertexArray);
  device.hardware = !softwareRenderer();
  while (!((!check || check(width, height)) && createDeviceSet(device, width, height))) {
    releaseDeviceSet(device);
    const std::optional<port::Size> next = nextDeviceSize({width, height});
    if (!next) {
      releaseDevice(device);
      return initFailure("Direct3Dエラー\n(ディスプレイの解像度を下げると動くかもしれません)");
    }
    width = next->width;
    height = next->height;
  }
  device.width = width;
  device.height = height;
  device.aspect = static_cast<float>(height) / static_cast<float>(width);
  applyDefaultStates(device);
  perspective(device.state.projection, kInitialFieldOfView, device.aspect, 1.0f, 1500.0f);
  device.overlayScale = static_cast<float>(width) / static_cast<float>(screen.width);
  device.created = true;
  return {true, {}};
}

void releaseDevice(DisplayDevice& device) {
  releaseDeviceSet(device);
  for (VertexBuffer& stream : device.vertexStream) {
    releaseVertexBuffer(stream);
  }
  glDeleteSamplers(2, device.samplers);
  glDeleteBuffers(1, &device.indexStream);
  glDeleteVertexArrays(1, &device.emptyVertexArray);
  for (const FixedFunctionProgram& program : device.fixedFunction) {
    glDeleteProgram(program.program);
  }
  glDeleteProgram(device.overlayProgram.program);
  const int maxTextureSize = device.maxTextureSize;
  device = DisplayDevice{};
  device.maxTextureSize = maxTextureSize;
}

void restoreLostSurfaces(DisplayDevice&) {}

void clear(DisplayDevice& device, ClearTargets targets, std::uint32_t colour, float depth, int stencil) {
  if (!device.created) {
    return;
  }
  flushPainting(device);
  const Viewport& v = device.state.viewport;
  glBindFramebuffer(GL_FRAMEBUFFER, device.framebuffer);
  glEnable(GL_SCISSOR_TEST);
  glScissor(v.x, device.height - v.y - v.height, v.width, v.height);
  GLbitfield mask = 0;
  if (targets.colour) {
    const ColourValue c = fromArgb(colour);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(c.r, c.g, c.b, c.a);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if (targets.depth) {
    glDepthMask(GL_TRUE);
    glClearDepth(depth);
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  if (targets.stencil) {
    glStencilMask(0xFF);
    glClearStencil(stencil);
    mask |= GL_STENCIL_BUFFER_BIT;
  }
  glClear(mask);
  glDisable(GL_SCISSOR_TEST);
}

void drawIndexed(DisplayDevice& device, const VertexBuffer& buffer, Primitive primitive,
                 std::span<const std::uint16_t> indices) {
  if (!device.created || buffer.buffer == 0 || buffer.locked || indices.empty() ||
      !indicesInRange(indices, buffer.count)) {
    return;
  }
  drawBound(device, buffer, primitive, indices, buffer.count);
}

void drawIndexRun(DisplayDevice& device, const VertexBuffer& buffer, const IndexBuffer& indices,
                  Primitive primitive, IndexRun run) {
  if (!device.created || buffer.buffer == 0 || buffer.locked || indices.buffer == 0 || run.count <= 0 ||
      run.first < 0 || run.count > indices.count - run.first || run.highestVertex >= buffer.count) {
    return;
  }
  if (!applyState(device, buffer.layout)) {
    return;
  }
  glBindVertexArray(buffer.vertexArray);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices.buffer);
  const auto offset = static_cast<std::uintptr_t>(run.first) * sizeof(std::uint16_t);
  glDrawRangeElements(glPrimitive(primitive), static_cast<GLuint>(run.lowestVertex),
                      static_cast<GLuint>(run.highestVertex), run.count, GL_UNSIGNED_SHORT,
                      reinterpret_cast<const void*>(offset));
  glBindVertexArray(0);
  device.indicesSinceFlush += run.count;
  if (device.indicesSinceFlush >= kIndicesPerFlush) {
    glFlush();
    device.indicesSinceFlush = 0;
  }
}

void drawVertexData(DisplayDevice& device, VertexLayout layout, std::span<const std::byte> vertices,
                    Primitive primitive, std::span<const std::uint16_t> indices) {
  const int count = static_cast<int>(vertices.size() / 32);
  if (!device.created || count == 0 || !indicesInRange(indices, count)) {
    return;
  }
  VertexBuffer& stream = device.vertexStream[static_cast<int>(layout)];
  if (stream.count < count && !createVertexBuffer(stream, layout, std::max(count, 64))) {
    return;
  }
  writeVertexBuffer(stream, 0, vertices.first(static_cast<std::size_t>(count) * 32));
  drawBound(device, stream, primitive, indices, count);
}

RgbaImage readBackBuffer(DisplayDevice& device, port::Rect area) {
  const int left = std::clamp(area.left, 0, device.width);
  const int top = std::clamp(area.top, 0, device.height);
  const int right = std::clamp(area.right, left, device.width);
  const int bottom = std::clamp(area.bottom, top, device.height);
  RgbaImage image = makeImage(right - left, bottom - top);
  if (!device.created || image.pixels.empty()) {
    return image;
  }
  flushPainting(device);
  glBindFramebuffer(GL_FRAMEBUFFER, device.framebuffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  std::vector<std::uint8_t> rows(image.pixels.size());
  glReadPixels(left, device.height - bottom, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE,
               rows.data());
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(image.at(0, y), rows.data() + (image.height - 1 - y) * rowBytes, rowBytes);
  }
  return image;
}

RgbaImage readBackBuffer(DisplayDevice& device) {
  return readBackBuffer(device, {0, 0, device.width, device.height});
}

bool readBackBufferBottomUp(DisplayDevice& device, std::span<std::uint8_t> pixels) {
  const std::size_t size = static_cast<std::size_t>(device.width) * device.height * 4;
  if (!device.created || size == 0 || pixels.size() != size) {
    return false;
  }
  flushPainting(device);
  glBindFramebuffer(GL_FRAMEBUFFER, device.framebuffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, device.width, device.height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
  return true;
}

void present(DisplayDevice& device, unsigned framebuffer, int framebufferHeight, port::Rect target) {
  if (!device.created || target.width() <= 0 || target.height() <= 0) {
    return;
  }
  flushPainting(device);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, device.framebuffer);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
  glDisable(GL_SCISSOR_TEST);
  glBlitFramebuffer(0, 0, device.width, device.height, target.left, framebufferHeight - target.bottom,
                    target.right, framebufferHeight - target.top, GL_COLOR_BUFFER_BIT, GL_LINEAR);
  glBindFramebuffer(GL_FRAMEBUFFER, device.framebuffer);
}

void flushPainting(DisplayDevice& device) {
  if (!device.paintedArea || !device.created) {
    return;
  }
  const port::Rect area = *device.paintedArea;
  device.paintedArea.reset();
  const int left = std::clamp(area.left, 0, device.width);
  const int top = std::clamp(area.top, 0, device.height);
  const int right = std::clamp(area.right, left, device.width);
  const int bottom = std::clamp(area.bottom, top, device.height);
  if (right == left || bottom == top) {
    return;
  }
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, device.overlayTexture);
  glBindSampler(0, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(device.painting.bytesPerLine() / 4));
  const std::uint8_t* first =
      device.painting.pixels().data() + top * device.painting.bytesPerLine() + left * 4;
  glTexSubImage2D(GL_TEXTURE_2D, 0, left, top, right - left, bottom - top, GL_RGBA, GL_UNSIGNED_BYTE, first);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);

  glBindFramebuffer(GL_FRAMEBUFFER, device.framebuffer);
  glViewport(0, 0, device.width, device.height);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFuncSeparate(GL_ONE, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
  glUseProgram(device.overlayProgram.program);
  glUniform1i(device.overlayProgram.sampler, 0);
  const float w = static_cast<float>(device.width);
  const float h = static_cast<float>(device.height);
  glUniform4f(device.overlayProgram.area, static_cast<float>(left) / w, static_cast<float>(top) / h,
              static_cast<float>(right - left) / w, static_cast<float>(bottom - top) / h);
  glBindVertexArray(device.emptyVertexArray);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  glBindVertexArray(0);
  device.painting.clear({left, top, right, bottom});
}

}  // namespace zv
