#include "render/axes_drawing.h"

#include <gtest/gtest.h>

#include "model_drawing_scene.h"
#include "render_fixture.h"

namespace zv::test {
namespace {

TEST(AxesBuffer, HoldsTheArmsThenTheGridInOrder) {
  const auto vertices = axesVertices();
  const struct {
    int index;
    Vec3 position;
    std::uint32_t colour;
  } arms[] = {{0, {0, 0.1f, 0}, 0xFF0000FF},      {1, {0, 0.1f, -65}, 0xFF0000FF},
              {2, {0, 0.1f, 0}, 0xFFFF0000},      {3, {65, 0.1f, 0}, 0xFFFF0000},
              {4, {0, 0.1f, 0}, 0xFF00FF00},      {5, {0, 65, 0}, 0xFF00FF00},
              {6, {0, 0.1f, 0}, 0xFFB2B2B2},      {7, {0, 0.1f, 50}, 0xFFB2B2B2},
              {8, {0, 0.1f, 0}, 0xFFB2B2B2},      {9, {-50, 0.1f, 0}, 0xFFB2B2B2},
              {10, {5, 0.1f, -50}, 0xFFB2B2B2},   {11, {5, 0.1f, 50}, 0xFFB2B2B2},
              {12, {-5, 0.1f, -50}, 0xFFB2B2B2},  {14, {-50, 0.1f, 5}, 0xFFB2B2B2},
              {17, {50, 0.1f, -5}, 0xFFB2B2B2},   {18, {10, 0.1f, -50}, 0xFFB2B2B2},
              {88, {-50, 0.1f, -50}, 0xFFB2B2B2}, {89, {50, 0.1f, -50}, 0xFFB2B2B2}};
  for (const auto& arm : arms) {
    EXPECT_EQ(vertices[static_cast<std::size_t>(arm.index)].position, arm.position) << arm.index;
    EXPECT_EQ(vertices[static_cast<std::size_t>(arm.index)].diffuse, arm.colour) << arm.index;
  }
  for (std::size_t i = 10; i < vertices.size(); ++i) {
    EXPECT_EQ(vertices[i].position.y, 0.1f);
    EXPECT_EQ(vertices[i].diffuse, 0xFFB2B2B2u);
    const Vec3 p = vertices[i].position;
    EXPECT_TRUE(std::abs(p.x) == 50 || std::abs(p.z) == 50) << i;  // every grid line spans the floor
  }
  for (const LitVertex& vertex : vertices) {
    EXPECT_EQ(vertex.reserved, 0u);
    EXPECT_EQ(vertex.specular, 0u);
    EXPECT_EQ(vertex.u, 0.0f);
    EXPECT_EQ(vertex.v, 0.0f);
  }
}

TEST(TripodBuffer, HoldsMinusZXAndYArms) {
  const auto vertices = tripodVertices();
  const Vec3 positions[] = {{0, 0, -2}, {0, 0, 0}, {2, 0, 0}, {0, 0, 0}, {0, 2, 0}, {0, 0, 0}};
  const std::uint32_t colours[] = {0xFF0000FF, 0xFF0000FF, 0xFFFF0000, 0xFFFF0000, 0xFF00FF00, 0xFF00FF00};
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    EXPECT_EQ(vertices[i].position, positions[i]);
    EXPECT_EQ(vertices[i].diffuse, colours[i]);
  }
}

TEST(ShadowMaterial, CarriesTheShadowColourInItsAmbient) {
  const DrawingResources resources;
  EXPECT_EQ(resources.shadowMaterial,
            (MaterialColours{{0, 0, 0, 1}, {1, 1, 1, 1}, {0, 0, 0, 1}, {0, 0, 0, 0}, 0}));
  EXPECT_EQ(DrawingResources::groundShadowMaterial({0.2f, 0.3f, 0.4f}).ambient,
            (ColourValue{0.2f, 0.3f, 0.4f, 1}));
  EXPECT_EQ(toonRampName(0), "Data\\toon.bmp");
  EXPECT_EQ(toonRampName(9), "Data\\toon10.bmp");
  EXPECT_EQ(toonRampName(10), "");
  EXPECT_EQ(toonRampName(-1), "");
}

class Axes : public RenderTest {
 protected:
  void TearDown() override {
    tearDownDemoScene(scene_);
    RenderTest::TearDown();
  }
  DemoScene scene_;
};

TEST_F(Axes, GridAndArmsDrawAndTheFloorHidesWhatLiesBelowIt) {
  ASSERT_TRUE(makeDevice(200, 150));
  ASSERT_TRUE(setUpDemoScene(device_, scene_));
  ASSERT_TRUE(lookAt(device_.state.view, {30, 30, -45}, {0, 0, 0}, {0, 1, 0}));
  clearToWhite(device_);
  device_.state.cull = Cull::Clockwise;
  drawAxes(device_, scene_.resources);
  EXPECT_EQ(device_.state.cull, Cull::Clockwise);
  EXPECT_FALSE(device_.state.lighting);
  EXPECT_FALSE(device_.state.alphaBlend);
  const RgbaImage axesOnly = readBackBuffer(device_);
  // Below the ground: a quad at Y = -1 covering the middle of the floor must not show.
  device_.state.cull = Cull::None;
  const std::array<LitVertex, 4> buried{
      LitVertex{{-20, -1, -20}, 0, 0xFFFF00FF}, LitVertex{{20, -1, -20}, 0, 0xFFFF00FF},
      LitVertex{{-20, -1, 20}, 0, 0xFFFF00FF}, LitVertex{{20, -1, 20}, 0, 0xFFFF00FF}};
  drawVertices<LitVertex>(device_, buried, Primitive::TriangleStrip);
  const RgbaImage after = readBackBuffer(device_);
  for (int y = 0; y < after.height; ++y) {
    for (int x = 0; x < after.width; ++x) {
      ASSERT_EQ(pixelAt(after, x, y), pixelAt(axesOnly, x, y)) << x << "," << y;
    }
  }
  expectMatchesReference("render_model_axes");
}

TEST_F(Axes, FloorDoesNotHideTheSceneFromACameraBelowTheGround) {
  ASSERT_TRUE(makeDevice(64, 64));
  ASSERT_TRUE(setUpDemoScene(device_, scene_));
  ASSERT_TRUE(lookAt(device_.state.view, {0, -30, -1}, {0, 0, 0}, {0, 0, 1}));
  clearToWhite(device_);
  drawAxes(device_, scene_.resources);
  device_.state.cull = Cull::None;
  const std::array<LitVertex, 4> above{
      LitVertex{{-20, 1, -20}, 0, 0xFFFF00FF}, LitVertex{{20, 1, -20}, 0, 0xFFFF00FF},
      LitVertex{{-20, 1, 20}, 0, 0xFFFF00FF}, LitVertex{{20, 1, 20}, 0, 0xFFFF00FF}};
  drawVertices<LitVertex>(device_, above, Primitive::TriangleStrip);
  EXPECT_EQ(pixelAt(readBackBuffer(device_), 40, 40), 0xFF00FFu);
}

}  // namespace
}  // namespace zv::test
