#include "render/model_drawing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "anim/pose_model.h"
#include "files/image/bmp_writer.h"
#include "files/image/tga_writer.h"
#include "model_drawing_scene.h"
#include "render/model_resources.h"
#include "render_fixture.h"
#include "scene/document/model_reader.h"
#include "support/model_builder.h"
#include "support/temp_folder.h"

namespace zv::test {
namespace {

// Texture coordinates the matrix gives a normal entering as (x, y, z, 1).
std::pair<float, float> toonCoordinates(const Mat4& matrix, Vec3 normal) {
  const Vec3 uvw = transformPoint(normal, matrix);
  return {uvw.x, uvw.y};
}

TEST(ToonTextureMatrix, MapsUnitNormalsThroughTheLightBasis) {
  // Worked by hand: n is the unit vector toward the light, r = normalise(h x n) with h = (0, 1, 0)
  // for a light with an x or z part and (-1, 0, 0) otherwise; u = 0.5 + 0.5 (m . r), v = 0.5 - 0.5 (m . n).
  struct Case {
    Vec3 light;
    Vec3 normal;
    float u, v;
  };
  const Case cases[] = {
      // Light straight down: n = (0, 1, 0), r = (0, 0, -1).
      {{0, -1, 0}, {0, 1, 0}, 0.5f, 0.0f},
      {{0, -1, 0}, {0, -1, 0}, 0.5f, 1.0f},
      {{0, -1, 0}, {0, 0, 1}, 0.0f, 0.5f},
      {{0, -1, 0}, {1, 0, 0}, 0.5f, 0.5f},
      // Light along +Z: n = (0, 0, -1), r = (-1, 0, 0).
      {{0, 0, 1}, {1, 0, 0}, 0.0f, 0.5f},
      {{0, 0, 1}, {0, 0, -1}, 0.5f, 0.0f},
      {{0, 0, 1}, {0, 0, 1}, 0.5f, 1.0f},
      {{0, 0, 1}, {0, 1, 0}, 0.5f, 0.5f},
      // A light from below of length 2: n = (0, -1, 0), r = (0, 0, 1).
      {{0, 2, 0}, {0, -1, 0}, 0.5f, 0.0f},
      {{0, 2, 0}, {0, 0, 1}, 1.0f, 0.5f},
      // The default light: n = (0.408248, 0.816497, -0.408248), r = (-0.707107, 0, -0.707107).
      {{-0.5f, -1.0f, 0.5f}, {1, 0, 0}, 0.146447f, 0.295876f},
      {{-0.5f, -1.0f, 0.5f}, {0.408248f, 0.816497f, -0.408248f}, 0.5f, 0.0f},
  };
  for (const Case& c : cases) {
    const auto [u, v] = toonCoordinates(toonTextureMatrix(c.light), c.normal);
    EXPECT_NEAR(u, c.u, 1e-5f) << c.light.x << "," << c.light.y << "," << c.light.z;
    EXPECT_NEAR(v, c.v, 1e-5f) << c.light.x << "," << c.light.y << "," << c.light.z;
  }
}

TEST(MaterialTextureName, BlendsByATAfterTheFirstDot) {
  EXPECT_TRUE(blendsTextureAlpha("eye.tga"));
  EXPECT_TRUE(blendsTextureAlpha("EYE.TGA"));
  EXPECT_TRUE(blendsTextureAlpha("a.b.tx"));
  EXPECT_FALSE(blendsTextureAlpha("cloth.bmp"));
  EXPECT_FALSE(blendsTextureAlpha("tattoo"));
  EXPECT_FALSE(blendsTextureAlpha("tt.bmp"));
}

class ModelDrawing : public RenderTest {
 protected:
  void TearDown() override {
    tearDownDemoScene(scene_);
    RenderTest::TearDown();
  }
  bool setUp(int width, int height) { return makeDevice(width, height) && setUpDemoScene(device_, scene_); }
  void modelPass() {
    device_.state.cull = Cull::CounterClockwise;
    drawModel(device_, scene_.textures, scene_.resources, scene_.model, scene_.viewLightDirection);
  }
  void edgePass() {
    DeviceState& state = device_.state;
    state.stages[0].texture = 0;
    state.lighting = false;
    state.cull = Cull::Clockwise;
    drawEdgeMesh(device_, scene_.model);
    state.cull = Cull::CounterClockwise;
    state.lighting = true;
    state.stages[0].transformTwoCoords = false;
    state.stages[0].coordSource = TexCoordSource::VertexUv;
    state.stages[0].address = TextureAddress::Wrap;
  }
  void shadowPass() {
    DeviceState& state = device_.state;
    const Vec3 light = state.light.direction;
    Mat4 shadow;
    shadow.m[1][0] = -light.x / light.y;
    shadow.m[1][1] = 0;
    shadow.m[1][2] = -light.z / light.y;
    shadow.m[3][1] = 0.1f;
    const Mat4 world = state.world;
    state.world = shadow * world;
    state.cull = Cull::None;
    state.lighting = true;
    state.stages[0].texture = 0;
    state.material = scene_.resources.shadowMaterial;
    drawEdgeMesh(device_, scene_.model);
    state.world = world;
  }

  DemoScene scene_;
};

TEST_F(ModelDrawing, FrontViewIsToonShadedWithTexturesAndOutline) {
  ASSERT_TRUE(setUp(160, 200));
  clearToWhite(device_);
  modelPass();
  const RgbaImage plain = readBackBuffer(device_);
  edgePass();
  const RgbaImage outlined = readBackBuffer(device_);
  expectMatchesReference("render_model_front");
  // The outline only adds dark pixels around the figure, never inside it.
  int darkened = 0;
  for (int y = 0; y < plain.height; ++y) {
    for (int x = 0; x < plain.width; ++x) {
      const std::uint32_t before = pixelAt(plain, x, y);
      const std::uint32_t after = pixelAt(outlined, x, y);
      if (before != after) {
        EXPECT_LT(after & 0xFF, 0x40u) << x << "," << y;
        ++darkened;
      }
    }
  }
  EXPECT_GT(darkened, 100);
  EXPECT_EQ(pixelAt(outlined, 2, 2), 0xFFFFFFu);
}

TEST_F(ModelDrawing, GroundShadowFlattensEdgeMaterialsInTheShadowColour) {
  ASSERT_TRUE(setUp(160, 200));
  ASSERT_TRUE(lookAt(device_.state.view, {0, 25, -25}, {0, 5, 0}, {0, 1, 0}));
  scene_.resources.shadowMaterial = DrawingResources::groundShadowMaterial({0.5f, 0.25f, 1.0f});
  clearToWhite(device_);
  shadowPass();
  const RgbaImage picture = readBackBuffer(device_);
  // Shadow colour x light ambient 0.602, and nothing else drawn.
  int shadowPixels = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t colour = pixelAt(picture, x, y);
      if (colour != 0xFFFFFFu) {
        EXPECT_NEAR(static_cast<int>(colour >> 16), 77, 2);
        EXPECT_NEAR(static_cast<int>(colour >> 8 & 0xFF), 38, 2);
        EXPECT_NEAR(static_cast<int>(colour & 0xFF), 154, 2);
        ++shadowPixels;
      }
    }
  }
  EXPECT_GT(shadowPixels, 200);
  expectMatchesReference("render_model_shadow");
}

TEST_F(ModelDrawing, SemiTransparentModelBlendsAndCastsNoShadowOrOutline) {
  ASSERT_TRUE(setUp(160, 200));
  scene_.model.semiTransparent = true;
  clearToWhite(device_);
  shadowPass();
  edgePass();
  const RgbaImage untouched = readBackBuffer(device_);
  for (int y = 0; y < untouched.height; ++y) {
    for (int x = 0; x < untouched.width; ++x) {
      ASSERT_EQ(pixelAt(untouched, x, y), 0xFFFFFFu) << x << "," << y;
    }
  }
  modelPass();
  EXPECT_FALSE(device_.state.alphaBlend);
  EXPECT_EQ(device_.state.stages[1].colourOp, TextureOp::Disable);
  expectMatchesReference("render_model_translucent");
}

TEST_F(ModelDrawing, InvisibleModelDrawsNothing) {
  ASSERT_TRUE(setUp(32, 32));
  scene_.model.visible = false;
  clearToWhite(device_);
  modelPass();
  edgePass();
  const RgbaImage picture = readBackBuffer(device_);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      ASSERT_EQ(pixelAt(picture, x, y), 0xFFFFFFu);
    }
  }
}

// One quad facing the camera per material, side by side, so each material's stage state shows.
class MaterialRules : public RenderTest {
 protected:
  void TearDown() override {
    model_.deviceResources.reset();
    releaseDrawingResources(resources_);
    releaseSurfaces(textures_);
    RenderTest::TearDown();
  }
  bool load(TsmModel description, const std::filesystem::path& folder = {}) {
    if (!makeDevice(64, 32) ||
        !createDrawingResources(resources_, device_, textures_, std::filesystem::current_path()) ||
        parseModel(tsmBytes(description), model_)) {
      return false;
    }
    model_.filePath = folder / "quads.tsm";  // material textures are found beside the model
    if (createModelResources(model_, device_, textures_)) {
      return false;
    }
    model_.visible = true;
    poseModel(model_, Mat4{}, {0, 0, -30});
    uploadSkinnedVertices(model_);
    // Clip space straight through: world, view and projection identity.
    device_.state.world = Mat4{};
    device_.state.view = Mat4{};
    device_.state.projection = Mat4{};
    device_.state.light.diffuse = {0, 0, 0, 1};
    device_.state.light.ambient = {1, 1, 1, 1};
    return true;
  }
  static void addQuad(TsmModel& description, float left, TsmMaterial material) {
    material.indexCount = 6;
    material.diffuse = {1, 0, 0};
    material.ambient = {0, 0, 0};
    description.materials.push_back(material);
    const auto first = static_cast<std::uint16_t>(description.vertices.size());
    for (const Vec3 corner :
         {Vec3{left, 1, 0.5f}, Vec3{left + 1, 1, 0.5f}, Vec3{left, -1, 0.5f}, Vec3{left + 1, -1, 0.5f}}) {
      TsmVertex vertex;
      vertex.position = corner;
      vertex.normal = {0, 0, -1};
      description.vertices.push_back(vertex);
    }
    for (const int i : {0, 1, 2, 2, 1, 3}) {
      description.indices.push_back(static_cast<std::uint16_t>(first + i));
    }
  }

  TextureStore textures_;
  DrawingResources resources_;
  Model model_;
};

TEST_F(MaterialRules, ToonIndexOutsideTheRampsKeepsStageZerosTexture) {
  TsmModel description = minimalModel();
  description.vertices.clear();
  description.indices.clear();
  description.materials.clear();
  TsmMaterial outOfRange;
  outOfRange.toon = 12;
  addQuad(description, -1, outOfRange);
  ASSERT_TRUE(load(description));
  device_.state.stages[0].texture = 4242;
  drawModel(device_, textures_, resources_, model_, {0, 0, 1});
  EXPECT_EQ(device_.state.stages[0].texture, 4242u);

  model_.materials[0].toonIndex = 3;
  drawModel(device_, textures_, resources_, model_, {0, 0, 1});
  EXPECT_NE(device_.state.stages[0].texture, 0u);
  EXPECT_EQ(device_.state.stages[0].texture, programTexture(textures_, resources_, "Data\\toon4.bmp"));
  model_.materials[0].toonIndex = 12;
  drawModel(device_, textures_, resources_, model_, {0, 0, 1});
  EXPECT_EQ(device_.state.stages[0].texture, programTexture(textures_, resources_, "Data\\toon4.bmp"));
  model_.materials[0].toonIndex = -1;
  drawModel(device_, textures_, resources_, model_, {0, 0, 1});
  EXPECT_EQ(device_.state.stages[0].texture, 0u);
  EXPECT_EQ(device_.state.stages[0].coordSource, TexCoordSource::CameraSpaceNormal);
  EXPECT_EQ(device_.state.stages[0].address, TextureAddress::Clamp);
}

TEST_F(MaterialRules, TgaTexturesBlendByTheirAlphaAndBmpTexturesDoNot) {
  TempFolder folder;
  RgbaImage clearWhite = makeImage(4, 4);
  for (std::size_t i = 0; i < clearWhite.pixels.size(); i += 4) {
    clearWhite.pixels[i] = clearWhite.pixels[i + 1] = clearWhite.pixels[i + 2] = 255;
    clearWhite.pixels[i + 3] = 0;
  }
  writeFile(folder / "clear.tga", encodeTga32(clearWhite));
  writeFile(folder / "clear.bmp", encodeBmp24(clearWhite));
  TsmModel description = minimalModel();
  description.vertices.clear();
  description.indices.clear();
  description.materials.clear();
  TsmMaterial tga;
  tga.texture = "clear.tga";
  addQuad(description, -1, tga);
  TsmMaterial bmp;
  bmp.texture = "clear.bmp";
  addQuad(description, 0, bmp);
  ASSERT_TRUE(load(description, folder.path()));
  clear(device_, {.colour = true, .depth = true}, 0x00FFFFFF, 1.0f, 0);
  drawModel(device_, textures_, resources_, model_, {0, 0, 1});
  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_EQ(pixelAt(picture, 16, 16), 0xFFFFFFu);  // fully transparent texels blended away
  EXPECT_EQ(pixelAt(picture, 48, 16), 0xFF0000u);  // drawn opaque: red x white texture
  EXPECT_FALSE(device_.state.alphaBlend);
  EXPECT_EQ(device_.state.stages[1].colourOp, TextureOp::Disable);
}

TEST_F(MaterialRules, IndexRunsLongerThanTheListStopAtItsEnd) {
  TsmModel description = minimalModel();
  description.vertices.clear();
  description.indices.clear();
  description.materials.clear();
  addQuad(description, -1, {});
  ASSERT_TRUE(load(description));
  model_.materials[0].indexCount = 4000;  // as a hostile file would claim
  model_.materials.push_back(model_.materials[0]);
  clear(device_, {.colour = true, .depth = true}, 0x00FFFFFF, 1.0f, 0);
  device_.state.stages[0].texture = 0;
  drawModel(device_, textures_, resources_, model_, {0, 0, 1});
  drawEdgeMesh(device_, model_);
  const RgbaImage picture = readBackBuffer(device_);
  EXPECT_NE(pixelAt(picture, 16, 16), 0xFFFFFFu);
  EXPECT_EQ(pixelAt(picture, 48, 16), 0xFFFFFFu);
}

}  // namespace
}  // namespace zv::test
