#include <GL/glcorearb.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "files/image/bmp_writer.h"
#include "render/back_buffer_painting.h"
#include "render/device_sizes.h"
#include "render/sprite_bitmap.h"
#include "render/texture_store.h"
#include "render_fixture.h"
#include "support/temp_folder.h"

namespace zv::test {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint16_t kTriangle[] = {0, 1, 2};

void clearWhite(DisplayDevice& device) {
  clear(device, {true, true, false}, kWhite, 1.0f, 0);
}

// Positions are given straight in clip space: identity world, view and projection.
void useClipSpace(DisplayDevice& device) {
  device.state.world = Mat4{};
  device.state.view = Mat4{};
  device.state.projection = Mat4{};
}

Mat4 uniformScale(float s) {
  Mat4 m;
  m.m[0][0] = m.m[1][1] = m.m[2][2] = s;
  return m;
}

// A triangle that is clockwise on screen (y down), facing the viewer with `normal`.
std::array<ModelVertex, 3> clockwiseTriangle(Vec3 normal, float scale = 1.0f) {
  return {ModelVertex{{-0.8f * scale, -0.8f * scale, 0.5f}, normal, 0, 1},
          ModelVertex{{0.0f, 0.8f * scale, 0.5f}, normal, 0.5f, 0},
          ModelVertex{{0.8f * scale, -0.8f * scale, 0.5f}, normal, 1, 1}};
}

bool near(std::uint32_t rgb, int r, int g, int b, int tolerance = 2) {
  return std::abs(static_cast<int>(rgb >> 16) - r) <= tolerance &&
         std::abs(static_cast<int>(rgb >> 8 & 0xFF) - g) <= tolerance &&
         std::abs(static_cast<int>(rgb & 0xFF) - b) <= tolerance;
}

// A width x height BMP of one colour per row band: the top `topRows` rows `top`, the rest `bottom`.
void writeBandedBmp(const std::filesystem::path& file, int width, int height, int topRows, port::Colour top,
                    port::Colour bottom) {
  RgbaImage image = makeImage(width, height, 24);
  for (int y = 0; y < height; ++y) {
    const port::Colour c = y < topRows ? top : bottom;
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = image.at(x, y);
      p[0] = c.r;
      p[1] = c.g;
      p[2] = c.b;
      p[3] = 255;
    }
  }
  writeFile(file, encodeBmp24(image));
}

// A banded BMP (as writeBandedBmp) registered and made a device texture, released when it goes.
class BandedTexture {
 public:
  BandedTexture(DisplayDevice& device, const std::string& file, int size, int topRows, port::Colour top,
                port::Colour bottom) {
    writeBandedBmp(folder_ / file, size, size, topRows, top, bottom);
    registered_ = registerTexture(store_, file, folder_.path());
    createSurfaces(store_, device);
    name_ = findTexture(store_, file).name;
  }
  ~BandedTexture() { releaseSurfaces(store_); }
  BandedTexture(const BandedTexture&) = delete;
  BandedTexture& operator=(const BandedTexture&) = delete;

  bool registered() const { return registered_; }
  unsigned name() const { return name_; }

 private:
  TempFolder folder_;
  TextureStore store_;
  bool registered_ = false;
  unsigned name_ = 0;
};

// The toon look-up for a light along +Z, worked by hand: n = (0, 0, -1) toward the light and
// r = (-1, 0, 0), so a normal m gives u = 0.5 - 0.5 m.x and v = 0.5 + 0.5 m.z.
constexpr Mat4 kToonTransformForLightAlongZ{
    {{-0.5f, 0, 0, 0}, {0, 0, -1, 0}, {0, 0.5f, 0, 0}, {0.5f, 0.5f, 0, 1}}};

TEST_F(RenderTest, LitTriangleUsesMaterialAndLightColours) {
  ASSERT_TRUE(makeDevice(64, 64));
  clearWhite(device_);
  useClipSpace(device_);
  device_.state.material.diffuse = {1.0f, 0.5f, 0.25f, 1.0f};
  device_.state.material.ambient = {0.2f, 0.4f, 0.6f, 1.0f};
  device_.state.light.diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
  device_.state.light.ambient = {0.5f, 0.5f, 0.5f, 1.0f};
  device_.state.light.direction = {0, 0, 1};
  const auto triangle = clockwiseTriangle({0, 0, -1});
  drawVertices<ModelVertex>(device_, triangle, Primitive::TriangleList);
  const RgbaImage picture = readBackBuffer(device_);
  // ambient 0.2 x 0.5 + diffuse 1.0 x 0.8 x (N . L = 1), per channel.
  EXPECT_TRUE(near(pixelAt(picture, 32, 40), 230, 153, 128)) << std::hex << pixelAt(picture, 32, 40);
  EXPECT_EQ(pixelAt(picture, 2, 2), 0xFFFFFFu);
  expectMatchesReference("render_lit_triangle");
}

TEST_F(RenderTest, NormalsScaledByTheWorldAreNotRenormalised) {
  ASSERT_TRUE(makeDevice(64, 64));
  clearWhite(device_);
  useClipSpace(device_);
  // A world scaled by 10 shortens normals to a tenth; a light ten times brighter makes up for it.
  device_.state.world = uniformScale(10.0f);
  device_.state.material.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
  device_.state.light.diffuse = {5.0f, 2.5f, 0.0f, 1.0f};
  device_.state.light.direction = {0, 0, 1};
  const auto triangle = clockwiseTriangle({0, 0, -1}, 0.1f);
  std::array<ModelVertex, 3> scaled = triangle;
  for (ModelVertex& v : scaled) {
    v.position = {v.position.x, v.position.y, 0.05f};
  }
  drawVertices<ModelVertex>(device_, scaled, Primitive::TriangleList);
  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_TRUE(near(pixelAt(picture, 32, 40), 128, 64, 0)) << std::hex << pixelAt(picture, 32, 40);
}

TEST_F(RenderTest, VerticesWithoutNormalsGetAmbientLightOnly) {
  ASSERT_TRUE(makeDevice(32, 32));
  clearWhite(device_);
  useClipSpace(device_);
  DeviceState& state = device_.state;
  state.cull = Cull::None;
  state.material = MaterialColours{{0, 0, 0, 1}, {0.5f, 0.25f, 1.0f, 1}, {0, 0, 0, 1}, {0, 0, 0, 0}, 0};
  state.light.ambient = {0.8f, 0.8f, 0.4f, 1};
  state.light.diffuse = {10, 10, 10, 1};
  state.light.direction = {0, 0, 1};
  // Black vertex colours stand in for the material's diffuse colour; the light's diffuse is unused.
  const std::array<LitVertex, 4> quad{
      LitVertex{{-1, 1, 0.5f}, 0, 0xFF000000}, LitVertex{{1, 1, 0.5f}, 0, 0xFF000000},
      LitVertex{{-1, -1, 0.5f}, 0, 0xFF000000}, LitVertex{{1, -1, 0.5f}, 0, 0xFF000000}};
  drawVertices<LitVertex>(device_, quad, Primitive::TriangleStrip);
  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_TRUE(near(pixelAt(picture, 16, 16), 102, 51, 102)) << std::hex << pixelAt(picture, 16, 16);
}

TEST_F(RenderTest, ToonLookUpSamplesTopRowFacingTheLightAndBottomRowFacingAway) {
  ASSERT_TRUE(makeDevice(64, 64));
  BandedTexture ramp(device_, "ramp.bmp", 8, 4, {250, 40, 40}, {40, 40, 250});
  ASSERT_TRUE(ramp.registered());
  clearWhite(device_);
  useClipSpace(device_);
  const Vec3 lightDirection{0, 0, 1};
  DeviceState& state = device_.state;
  state.cull = Cull::None;
  state.material.diffuse = {1, 1, 1, 1};
  state.material.ambient = {1, 1, 1, 1};
  state.light.ambient = {1, 1, 1, 1};
  state.light.direction = lightDirection;
  state.stages[0].texture = ramp.name();
  state.stages[0].coordSource = TexCoordSource::CameraSpaceNormal;
  state.stages[0].transformTwoCoords = true;
  state.stages[0].transform = kToonTransformForLightAlongZ;
  state.stages[0].address = TextureAddress::Clamp;
  const std::array<ModelVertex, 3> facing{ModelVertex{{-1, -1, 0.5f}, {0, 0, -1}},
                                          ModelVertex{{-1, 1, 0.5f}, {0, 0, -1}},
                                          ModelVertex{{0, 1, 0.5f}, {0, 0, -1}}};
  const std::array<ModelVertex, 3> away{ModelVertex{{0.1f, -1, 0.5f}, {0, 0, 1}},
                                        ModelVertex{{1, 1, 0.5f}, {0, 0, 1}},
                                        ModelVertex{{1, -1, 0.5f}, {0, 0, 1}}};
  drawVertices<ModelVertex>(device_, facing, Primitive::TriangleList);
  drawVertices<ModelVertex>(device_, away, Primitive::TriangleList);
  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_TRUE(near(pixelAt(picture, 6, 10), 250, 40, 40)) << std::hex << pixelAt(picture, 6, 10);
  EXPECT_TRUE(near(pixelAt(picture, 58, 40), 40, 40, 250)) << std::hex << pixelAt(picture, 58, 40);
  expectMatchesReference("render_toon_lookup");
}

TEST_F(RenderTest, StageOneModulatesTheStageZeroResultWithItsTexture) {
  ASSERT_TRUE(makeDevice(64, 64));
  BandedTexture cloth(device_, "cloth.bmp", 4, 2, {200, 100, 50}, {100, 200, 250});
  ASSERT_TRUE(cloth.registered());
  clearWhite(device_);
  useClipSpace(device_);
  DeviceState& state = device_.state;
  state.lighting = false;
  state.stages[0].texture = 0;
  state.stages[1].colourOp = TextureOp::Modulate;
  state.stages[1].texture = cloth.name();
  state.stages[1].linearMagnification = false;
  const std::array<LitVertex, 4> quad{
      LitVertex{{-1, 1, 0.5f}, 0, 0xFF808080, 0, 0, 0}, LitVertex{{1, 1, 0.5f}, 0, 0xFF808080, 0, 1, 0},
      LitVertex{{-1, -1, 0.5f}, 0, 0xFF808080, 0, 0, 1}, LitVertex{{1, -1, 0.5f}, 0, 0xFF808080, 0, 1, 1}};
  drawVertices<LitVertex>(device_, quad, Primitive::TriangleStrip);
  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_TRUE(near(pixelAt(picture, 10, 10), 100, 50, 25)) << std::hex << pixelAt(picture, 10, 10);
  EXPECT_TRUE(near(pixelAt(picture, 10, 50), 50, 100, 125)) << std::hex << pixelAt(picture, 10, 50);
  expectMatchesReference("render_stage1_modulate");
}

// Each draw takes the lighting, texture stages and specular sum of its own state, whatever the
// draw before it used, and a state seen before reuses what was built for it.
TEST_F(RenderTest, ConsecutiveDrawsFollowTheirOwnStageChoices) {
  ASSERT_TRUE(makeDevice(64, 64));
  BandedTexture clothTexture(device_, "cloth.bmp", 4, 4, {200, 100, 50}, {200, 100, 50});
  ASSERT_TRUE(clothTexture.registered());
  clearWhite(device_);
  useClipSpace(device_);
  DeviceState& state = device_.state;
  state.lighting = false;
  state.stages[0].texture = 0;
  const auto column = [&](float left) {
    const float right = left + 0.5f;
    const std::array<LitVertex, 4> quad{LitVertex{{left, 1, 0.5f}, 0, 0xFF808080, 0xFF102030, 0, 0},
                                        LitVertex{{right, 1, 0.5f}, 0, 0xFF808080, 0xFF102030, 1, 0},
                                        LitVertex{{left, -1, 0.5f}, 0, 0xFF808080, 0xFF102030, 0, 1},
                                        LitVertex{{right, -1, 0.5f}, 0, 0xFF808080, 0xFF102030, 1, 1}};
    drawVertices<LitVertex>(device_, quad, Primitive::TriangleStrip);
  };
  const unsigned cloth = clothTexture.name();
  const auto textured = [&](bool on) {
    state.stages[1].colourOp = on ? TextureOp::Modulate : TextureOp::Disable;
    state.stages[1].texture = on ? cloth : 0;
  };
  state.specular = false;
  textured(true);
  column(-1.0f);
  textured(false);
  column(-0.5f);
  state.specular = true;
  column(0.0f);
  textured(true);
  column(0.5f);
  const std::size_t programs = device_.fixedFunction.size();
  state.specular = false;
  column(-1.0f);
  EXPECT_EQ(device_.fixedFunction.size(), programs);

  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_TRUE(near(pixelAt(picture, 8, 32), 100, 50, 25)) << std::hex << pixelAt(picture, 8, 32);
  EXPECT_TRUE(near(pixelAt(picture, 24, 32), 128, 128, 128)) << std::hex << pixelAt(picture, 24, 32);
  EXPECT_TRUE(near(pixelAt(picture, 40, 32), 144, 160, 176)) << std::hex << pixelAt(picture, 40, 32);
  EXPECT_TRUE(near(pixelAt(picture, 56, 32), 116, 82, 73)) << std::hex << pixelAt(picture, 56, 32);

  // Lit, a vertex without a normal takes ambient light only, and there is none here.
  state.lighting = true;
  state.ambient = 0;
  state.material = {};
  state.light.ambient = {};
  textured(false);
  column(-0.5f);
  EXPECT_EQ(pixelAt(readBackBuffer(device_), 24, 32), 0x000000u);
}

TEST_F(RenderTest, CullModesAndAlphaBlending) {
  ASSERT_TRUE(makeDevice(64, 64));
  clearWhite(device_);
  useClipSpace(device_);
  DeviceState& state = device_.state;
  state.lighting = false;
  // Left: clockwise red; right: counter-clockwise green.
  const std::array<LitVertex, 3> clockwise{LitVertex{{-1, -1, 0.5f}, 0, 0xFFFF0000},
                                           LitVertex{{-1, 0, 0.5f}, 0, 0xFFFF0000},
                                           LitVertex{{0, -1, 0.5f}, 0, 0xFFFF0000}};
  const std::array<LitVertex, 3> counter{LitVertex{{0, -1, 0.5f}, 0, 0xFF00FF00},
                                         LitVertex{{1, -1, 0.5f}, 0, 0xFF00FF00},
                                         LitVertex{{0, 0, 0.5f}, 0, 0xFF00FF00}};
  state.cull = Cull::CounterClockwise;
  drawVertices<LitVertex>(device_, clockwise, Primitive::TriangleList);
  drawVertices<LitVertex>(device_, counter, Primitive::TriangleList);
  RgbaImage picture = readBackBuffer(device_);
  EXPECT_EQ(pixelAt(picture, 8, 56), 0xFF0000u);
  EXPECT_EQ(pixelAt(picture, 40, 60), 0xFFFFFFu);

  // The same pair moved up with culling of clockwise faces: only the green one shows.
  std::array<LitVertex, 3> clockwiseUp = clockwise;
  std::array<LitVertex, 3> counterUp = counter;
  for (LitVertex& v : clockwiseUp) {
    v.position.y += 1;
  }
  for (LitVertex& v : counterUp) {
    v.position.y += 1;
  }
  state.cull = Cull::Clockwise;
  drawVertices<LitVertex>(device_, clockwiseUp, Primitive::TriangleList);
  drawVertices<LitVertex>(device_, counterUp, Primitive::TriangleList);
  picture = readBackBuffer(device_);
  EXPECT_EQ(pixelAt(picture, 8, 24), 0xFFFFFFu);
  EXPECT_EQ(pixelAt(picture, 40, 28), 0x00FF00u);

  // Half-transparent blue over everything.
  state.cull = Cull::None;
  state.alphaBlend = true;
  state.sourceBlend = BlendFactor::SourceAlpha;
  state.destinationBlend = BlendFactor::InverseSourceAlpha;
  const std::uint32_t blue = 0x800000FF;
  const std::array<LitVertex, 4> veil{LitVertex{{-1, 1, 0.5f}, 0, blue}, LitVertex{{1, 1, 0.5f}, 0, blue},
                                      LitVertex{{-1, -1, 0.5f}, 0, blue}, LitVertex{{1, -1, 0.5f}, 0, blue}};
  drawVertices<LitVertex>(device_, veil, Primitive::TriangleStrip);
  picture = readBackBuffer(device_);
  EXPECT_TRUE(near(pixelAt(picture, 60, 2), 127, 127, 255)) << std::hex << pixelAt(picture, 60, 2);
  EXPECT_TRUE(near(pixelAt(picture, 8, 56), 127, 0, 128)) << std::hex << pixelAt(picture, 8, 56);
  expectMatchesReference("render_cull_and_blend");
}

TEST_F(RenderTest, LineListTakesVertexColours) {
  ASSERT_TRUE(makeDevice(64, 64));
  clearWhite(device_);
  useClipSpace(device_);
  device_.state.lighting = false;
  VertexBuffer lines;
  ASSERT_TRUE(createVertexBuffer(lines, VertexLayout::Lit, 4));
  const std::span<LitVertex> written = lockVertices<LitVertex>(lines);
  ASSERT_EQ(written.size(), 4u);
  written[0] = LitVertex{{-0.9f, -0.03f, 0.5f}, 0, 0xFFFF0000};
  written[1] = LitVertex{{0.9f, -0.03f, 0.5f}, 0, 0xFFFF0000};
  written[2] = LitVertex{{0.52f, -0.9f, 0.5f}, 0, 0xFF00FF00};
  written[3] = LitVertex{{0.52f, 0.9f, 0.5f}, 0, 0xFF00FF00};
  unlockVertexBuffer(lines);
  const std::uint16_t indices[] = {0, 1, 2, 3};
  drawIndexed(device_, lines, Primitive::LineList, indices);
  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_EQ(pixelAt(picture, 10, 32), 0xFF0000u);
  EXPECT_EQ(pixelAt(picture, 48, 10), 0x00FF00u);
  expectMatchesReference("render_line_list");
  releaseVertexBuffer(lines);
}

TEST_F(RenderTest, IndicesPastTheBufferDrawNothing) {
  ASSERT_TRUE(makeDevice(16, 16));
  clearWhite(device_);
  VertexBuffer buffer;
  ASSERT_TRUE(createVertexBuffer(buffer, VertexLayout::Model, 3));
  const std::uint16_t outside[] = {0, 1, 3};
  drawIndexed(device_, buffer, Primitive::TriangleList, outside);
  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_EQ(pixelAt(picture, 8, 8), 0xFFFFFFu);
  releaseVertexBuffer(buffer);
}

TEST(IndexRunOfAList, IsClippedToTheListAndKnowsItsVertexRange) {
  const std::uint16_t list[] = {7, 2, 9, 4, 4, 3};
  const IndexRun middle = indexRun(list, 1, 3);
  EXPECT_EQ(middle.first, 1);
  EXPECT_EQ(middle.count, 3);
  EXPECT_EQ(middle.lowestVertex, 2);
  EXPECT_EQ(middle.highestVertex, 9);
  const IndexRun tail = indexRun(list, 4, 4000);
  EXPECT_EQ(tail.count, 2);
  EXPECT_EQ(tail.lowestVertex, 3);
  EXPECT_EQ(tail.highestVertex, 4);
  EXPECT_EQ(indexRun(list, 6, 3).count, 0);
  EXPECT_EQ(indexRun(list, 2, 0).count, 0);
}

// Two triangles in one list: the second run draws only the right half, and a run naming a vertex
// the buffer does not hold, or reaching past the list, is dropped whole.
TEST_F(RenderTest, IndexRunsDrawTheirPartOfTheListOnly) {
  ASSERT_TRUE(makeDevice(64, 64));
  clearWhite(device_);
  useClipSpace(device_);
  device_.state.lighting = false;
  device_.state.cull = Cull::None;
  VertexBuffer buffer;
  ASSERT_TRUE(createVertexBuffer(buffer, VertexLayout::Lit, 6));
  const std::array<LitVertex, 6> vertices{
      LitVertex{{-0.9f, 0.9f, 0.5f}, 0, 0xFFFF0000},  LitVertex{{-0.1f, 0.9f, 0.5f}, 0, 0xFFFF0000},
      LitVertex{{-0.9f, -0.9f, 0.5f}, 0, 0xFFFF0000}, LitVertex{{0.1f, 0.9f, 0.5f}, 0, 0xFF0000FF},
      LitVertex{{0.9f, 0.9f, 0.5f}, 0, 0xFF0000FF},   LitVertex{{0.9f, -0.9f, 0.5f}, 0, 0xFF0000FF}};
  writeVertices<LitVertex>(buffer, vertices);
  const std::uint16_t list[] = {0, 1, 2, 3, 4, 5, 0, 1, 6};
  IndexBuffer indices;
  ASSERT_TRUE(createIndexBuffer(indices, list));
  drawIndexRun(device_, buffer, indices, Primitive::TriangleList, indexRun(list, 3, 3));
  drawIndexRun(device_, buffer, indices, Primitive::TriangleList, indexRun(list, 6, 3));
  drawIndexRun(device_, buffer, indices, Primitive::TriangleList, {0, 12, 0, 2});
  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_EQ(pixelAt(picture, 56, 10), 0x0000FFu);
  EXPECT_EQ(pixelAt(picture, 8, 10), 0xFFFFFFu);
  releaseIndexBuffer(indices);
  releaseVertexBuffer(buffer);
  EXPECT_FALSE(createIndexBuffer(indices, {}));
  EXPECT_EQ(indices.buffer, 0u);
}

TEST_F(RenderTest, PretransformedQuadWithDepthTestOffDrawsOverNearerGeometry) {
  ASSERT_TRUE(makeDevice(64, 64));
  clearWhite(device_);
  useClipSpace(device_);
  DeviceState& state = device_.state;
  state.lighting = false;
  state.cull = Cull::None;
  const std::array<LitVertex, 4> nearQuad{
      LitVertex{{-1, 1, 0.1f}, 0, 0xFF0000FF}, LitVertex{{1, 1, 0.1f}, 0, 0xFF0000FF},
      LitVertex{{-1, -1, 0.1f}, 0, 0xFF0000FF}, LitVertex{{1, -1, 0.1f}, 0, 0xFF0000FF}};
  drawVertices<LitVertex>(device_, nearQuad, Primitive::TriangleStrip);
  const auto screenQuad = [](float left, float top, float right, float bottom, std::uint32_t colour) {
    return std::array<ScreenVertex, 4>{
        ScreenVertex{left, top, 0.9f, 0.5f, colour}, ScreenVertex{right, top, 0.9f, 0.5f, colour},
        ScreenVertex{left, bottom, 0.9f, 0.5f, colour}, ScreenVertex{right, bottom, 0.9f, 0.5f, colour}};
  };
  // With the depth test on the far quad is hidden; with it off it covers the near one.
  drawVertices<ScreenVertex>(device_, screenQuad(4, 4, 28, 28, 0xFFFF0000), Primitive::TriangleStrip);
  state.depthTest = false;
  drawVertices<ScreenVertex>(device_, screenQuad(36, 36, 60, 60, 0xFF00FF00), Primitive::TriangleStrip);
  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_EQ(pixelAt(picture, 16, 16), 0x0000FFu);
  EXPECT_EQ(pixelAt(picture, 36, 36), 0x00FF00u);
  EXPECT_EQ(pixelAt(picture, 59, 59), 0x00FF00u);
  EXPECT_EQ(pixelAt(picture, 60, 60), 0x0000FFu);
  EXPECT_EQ(pixelAt(picture, 35, 35), 0x0000FFu);
  expectMatchesReference("render_pretransformed_quad");
}

TEST_F(RenderTest, ClippedColourKeyedSprite) {
  ASSERT_TRUE(makeDevice(64, 64));
  TempFolder folder;
  // 16 x 8: red left half, green right half, a black (transparent) square in the green half.
  RgbaImage bitmap = makeImage(16, 8, 24);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      std::uint8_t* p = bitmap.at(x, y);
      const bool hole = x >= 10 && x < 14 && y >= 2 && y < 6;
      p[0] = hole ? 0 : x < 8 ? 255 : 0;
      p[1] = hole ? 0 : x < 8 ? 0 : 255;
      p[2] = 0;
      p[3] = 255;
    }
  }
  writeFile(folder / "sprite.bmp", encodeBmp24(bitmap));
  SpriteBitmap sprite;
  ASSERT_TRUE(loadSprite(device_, sprite, folder / "sprite.bmp"));
  EXPECT_EQ(sprite.width, 16);
  clearWhite(device_);
  blitSprite(device_, -8, 4, sprite, {0, 0, 16, 8});   // left half cut off
  blitSprite(device_, 56, 40, sprite, {0, 0, 16, 8});  // right half cut off
  blitSprite(device_, 20, 60, sprite, {0, 0, 16, 8});  // bottom cut off
  blitSprite(device_, 80, 20, sprite, {0, 0, 16, 8});  // entirely outside
  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_EQ(pixelAt(picture, 0, 4), 0x00FF00u);
  EXPECT_EQ(pixelAt(picture, 3, 7), 0xFFFFFFu);  // the black key shows the background
  EXPECT_EQ(pixelAt(picture, 8, 4), 0xFFFFFFu);
  EXPECT_EQ(pixelAt(picture, 63, 40), 0xFF0000u);
  EXPECT_EQ(pixelAt(picture, 20, 63), 0xFF0000u);
  expectMatchesReference("render_sprite");
}

TEST_F(RenderTest, SpritesScaleByTheOverlayScale) {
  ASSERT_TRUE(context_);
  // A 1366 x 768 screen whose full size fails: the back buffer is 1280 x 720 and s = 1280 / 1366.
  ASSERT_TRUE(createDevice(device_, {1366, 768}, [](int w, int) { return w < 1366; }));
  ASSERT_EQ(device_.width, 1280);
  TempFolder folder;
  writeBandedBmp(folder / "marker.bmp", 16, 16, 16, {0, 0, 255}, {0, 0, 255});
  SpriteBitmap sprite;
  ASSERT_TRUE(loadSprite(device_, sprite, folder / "marker.bmp"));
  clearWhite(device_);
  blitSprite(device_, 10, 10, sprite, {0, 0, 16, 16});
  const RgbaImage picture = readBackBuffer(device_, {0, 0, 40, 40});
  EXPECT_EQ(pixelAt(picture, 23, 23), 0x0000FFu);  // trunc(16 x 0.937) = 14 pixels
  EXPECT_EQ(pixelAt(picture, 24, 24), 0xFFFFFFu);
  EXPECT_EQ(pixelAt(picture, 9, 10), 0xFFFFFFu);
}

TEST_F(RenderTest, BitmapWiderThanTheBackBufferIsCutWhenLoaded) {
  ASSERT_TRUE(makeDevice(32, 32));
  TempFolder folder;
  writeBandedBmp(folder / "wide.bmp", 100, 4, 2, {1, 2, 3}, {4, 5, 6});
  SpriteBitmap sprite;
  ASSERT_TRUE(loadSprite(device_, sprite, folder / "wide.bmp"));
  EXPECT_EQ(sprite.width, 32);
  EXPECT_EQ(sprite.height, 4);
  EXPECT_FALSE(loadSprite(device_, sprite, folder / "missing.bmp"));
  EXPECT_EQ(sprite.width, 32);
}

TEST_F(RenderTest, JapaneseTextOnATransparentBackground) {
  ASSERT_TRUE(makeDevice(160, 40));
  clearWhite(device_);
  textOut(device_, "録画中 Model:", 25, 4, 6, 255, 0, 0);
  const RgbaImage picture = readBackBuffer(device_);
  int inked = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (pixelAt(picture, x, y) != 0xFFFFFFu) {
        ++inked;
        EXPECT_GE(y, 4);
        EXPECT_LT(y, 34);
      }
    }
  }
  EXPECT_GT(inked, 150);
  expectMatchesReference("render_japanese_text", 8);
}

TEST_F(RenderTest, PaintingKeepsItsOrderWithTheThreeDimensionalDrawing) {
  ASSERT_TRUE(makeDevice(32, 32));
  clearWhite(device_);
  useClipSpace(device_);
  device_.state.lighting = false;
  device_.state.cull = Cull::None;
  fillRect(device_, {0, 0, 32, 32}, {255, 0, 0, 255});
  const std::array<LitVertex, 4> centre{
      LitVertex{{-0.5f, 0.5f, 0.5f}, 0, 0xFF00FF00}, LitVertex{{0.5f, 0.5f, 0.5f}, 0, 0xFF00FF00},
      LitVertex{{-0.5f, -0.5f, 0.5f}, 0, 0xFF00FF00}, LitVertex{{0.5f, -0.5f, 0.5f}, 0, 0xFF00FF00}};
  drawVertices<LitVertex>(device_, centre, Primitive::TriangleStrip);
  const port::Point line[] = {{0, 30}, {31, 30}};
  drawPolyline(device_, line, {0, 0, 255, 255}, port::PenStyle::Solid);
  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_EQ(pixelAt(picture, 1, 1), 0xFF0000u);
  EXPECT_EQ(pixelAt(picture, 16, 16), 0x00FF00u);
  EXPECT_EQ(pixelAt(picture, 16, 30), 0x0000FFu);
}

TEST_F(RenderTest, BottomUpReadBackIsTheBackBufferInGlRowOrderAsBgra) {
  ASSERT_TRUE(makeDevice(8, 6));
  clear(device_, {true, false, false}, 0x80102030, 1.0f, 0);
  fillRect(device_, {0, 0, 3, 2}, {255, 0, 0, 255});  // painted, not yet laid over the back buffer
  fillRect(device_, {5, 4, 8, 6}, {0, 200, 100, 255});
  const RgbaImage topDown = readBackBuffer(device_);
  std::vector<std::uint8_t> pixels(8 * 6 * 4, 7);
  ASSERT_TRUE(readBackBufferBottomUp(device_, pixels));
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      const std::uint8_t* rgba = topDown.at(x, y);
      const std::uint8_t* bgra = pixels.data() + ((5 - y) * 8 + x) * 4;
      EXPECT_EQ((std::array{bgra[2], bgra[1], bgra[0], bgra[3]}),
                (std::array{rgba[0], rgba[1], rgba[2], rgba[3]}))
          << x << ", " << y;
    }
  }
  EXPECT_EQ(topDown.at(0, 0)[0], 255);
  EXPECT_EQ(topDown.at(7, 5)[1], 200);

  std::vector<std::uint8_t> wrongSize(8 * 5 * 4, 7);
  EXPECT_FALSE(readBackBufferBottomUp(device_, wrongSize));
  EXPECT_EQ(wrongSize, std::vector<std::uint8_t>(8 * 5 * 4, 7));
}

TEST_F(RenderTest, PresentStretchesTheBackBufferIntoTheTargetRectangle) {
  ASSERT_TRUE(makeDevice(8, 8));
  clear(device_, {true, false, false}, 0xFF0000FF, 1.0f, 0);
  fillRect(device_, {0, 0, 8, 4}, {255, 0, 0, 255});
  GLuint target = 0;
  GLuint colour = 0;
  glGenTextures(1, &colour);
  glBindTexture(GL_TEXTURE_2D, colour);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 40, 40, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glGenFramebuffers(1, &target);
  glBindFramebuffer(GL_FRAMEBUFFER, target);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  // Window rectangle 16 x 16 at (4, 4) from the top left of a 40 x 40 target.
  present(device_, target, 40, {4, 4, 20, 20});
  glBindFramebuffer(GL_FRAMEBUFFER, target);
  std::uint8_t pixel[4];
  const auto topLeftPixel = [&](int x, int y) {
    glReadPixels(x, 40 - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return static_cast<std::uint32_t>(pixel[0]) << 16 | static_cast<std::uint32_t>(pixel[1]) << 8 | pixel[2];
  };
  EXPECT_EQ(topLeftPixel(5, 5), 0xFF0000u);
  EXPECT_EQ(topLeftPixel(18, 18), 0x0000FFu);
  EXPECT_EQ(topLeftPixel(2, 2), 0xFFFFFFu);
  EXPECT_EQ(topLeftPixel(21, 21), 0xFFFFFFu);
  glDeleteFramebuffers(1, &target);
  glDeleteTextures(1, &colour);
}

TEST_F(RenderTest, CreateSetsDefaultsAndTheInitialProjection) {
  ASSERT_TRUE(makeDevice(64, 48));
  EXPECT_EQ(device_.width, 64);
  EXPECT_EQ(device_.height, 48);
  EXPECT_FLOAT_EQ(device_.aspect, 0.75f);
  EXPECT_FLOAT_EQ(device_.overlayScale, 1.0f);
  Mat4 expected;
  ASSERT_TRUE(perspective(expected, 0.7825f, 0.75f, 1.0f, 1500.0f));
  EXPECT_EQ(device_.state.projection, expected);
  const DeviceState& state = device_.state;
  EXPECT_TRUE(state.lighting);
  EXPECT_TRUE(state.specular);
  EXPECT_TRUE(state.depthTest);
  EXPECT_EQ(state.stages[0].colourOp, TextureOp::Modulate);
  EXPECT_EQ(state.stages[0].colourArg2, TextureArg::Diffuse);
  EXPECT_EQ(state.stages[1].colourOp, TextureOp::Disable);
  EXPECT_EQ(state.stages[1].colourArg1, TextureArg::Current);
  EXPECT_EQ(state.stages[1].colourArg2, TextureArg::Texture);
  EXPECT_EQ(state.stages[1].alphaOp, TextureOp::Modulate);
  EXPECT_TRUE(state.stages[1].linearMagnification);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(RenderTest, SizeFallBackEndsAtTheFirstSizeThatWorks) {
  ASSERT_TRUE(context_);
  std::vector<std::pair<int, int>> tried;
  const auto failAboveFifteenHundred = [&](int w, int h) {
    tried.emplace_back(w, h);
    return w < 1500;
  };
  ASSERT_TRUE(createDevice(device_, {1920, 1200}, failAboveFifteenHundred));
  EXPECT_EQ((std::vector<std::pair<int, int>>{{1920, 1200}, {1680, 1050}, {1440, 900}}), tried);
  EXPECT_EQ(device_.width, 1440);
  EXPECT_EQ(device_.height, 900);
  EXPECT_FLOAT_EQ(device_.overlayScale, 0.75f);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(RenderTest, ExhaustedSizeTableShowsOneMessage) {
  ASSERT_TRUE(context_);
  std::vector<std::pair<int, int>> tried;
  const auto neverWorks = [&](int w, int h) {
    tried.emplace_back(w, h);
    return false;
  };
  EXPECT_FALSE(createDevice(device_, {1920, 1200}, neverWorks));
  EXPECT_EQ((std::vector<std::pair<int, int>>{{1920, 1200}, {1680, 1050}, {1440, 900}, {840, 525}}), tried);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "Direct3Dエラー\n(ディスプレイの解像度を下げると動くかもしれません)");
  EXPECT_EQ(ui_.messages[0].caption, "Direct3D::Init");
  EXPECT_TRUE(ui_.messages[0].standalone);
  EXPECT_FALSE(device_.created);

  tried.clear();
  EXPECT_FALSE(createDevice(device_, {1000, 700}, neverWorks));
  EXPECT_EQ((std::vector<std::pair<int, int>>{{1000, 700}}), tried);
  EXPECT_EQ(ui_.messages.size(), 2u);
}

TEST(DeviceSizes, FallBackTable) {
  const auto next = [](int w, int h) {
    const std::optional<port::Size> size = nextDeviceSize({w, h});
    return size ? std::pair{size->width, size->height} : std::pair{0, 0};
  };
  EXPECT_EQ(next(1920, 1200), std::pair(1680, 1050));
  EXPECT_EQ(next(1680, 1050), std::pair(1440, 900));
  EXPECT_EQ(next(1440, 900), std::pair(840, 525));
  EXPECT_EQ(next(840, 525), std::pair(0, 0));
  EXPECT_EQ(next(1366, 768), std::pair(1280, 720));
  EXPECT_EQ(next(1280, 720), std::pair(960, 540));
  EXPECT_EQ(next(1000, 700), std::pair(0, 0));
  EXPECT_EQ(next(2880, 1800), std::pair(2560, 1600));  // wider 16:10 screens
  EXPECT_EQ(next(2560, 1440), std::pair(0, 0));        // 16:9 but not above 3840
  EXPECT_EQ(next(5120, 2880), std::pair(3840, 2160));
  EXPECT_EQ(next(1920, 1080), std::pair(1360, 768));
  EXPECT_EQ(next(2560, 2048), std::pair(1280, 1024));
  EXPECT_EQ(next(1440, 1152), std::pair(1280, 1024));
  EXPECT_EQ(next(1600, 960), std::pair(1280, 768));
  EXPECT_EQ(next(1360, 768), std::pair(960, 540));
  EXPECT_EQ(next(1600, 900), std::pair(0, 0));
  EXPECT_EQ(next(2048, 1536), std::pair(1920, 1440));
  EXPECT_EQ(next(3200, 2400), std::pair(2048, 1536));
}

}  // namespace
}  // namespace zv::test
