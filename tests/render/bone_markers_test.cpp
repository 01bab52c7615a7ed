#include "render/bone_markers.h"

#include <gtest/gtest.h>

#include "model_drawing_scene.h"
#include "render_fixture.h"

namespace zv::test {
namespace {

TEST(BoneMarkerSource, ByTypeAndState) {
  const struct {
    std::uint8_t type;
    std::optional<int> selected, changed, plain;
  } rows[] = {{0, 208, 48, 16},   {5, 208, 48, 16}, {6, 208, 48, 16}, {1, 224, 96, 64}, {2, 256, 192, 160},
              {4, 240, 144, 112}, {3, {}, {}, {}},  {7, {}, {}, {}},  {255, {}, {}, {}}};
  for (const auto& row : rows) {
    EXPECT_EQ(boneMarkerLeft(row.type, true, false), row.selected) << int{row.type};
    EXPECT_EQ(boneMarkerLeft(row.type, true, true), row.selected) << int{row.type};
    EXPECT_EQ(boneMarkerLeft(row.type, false, true), row.changed) << int{row.type};
    EXPECT_EQ(boneMarkerLeft(row.type, false, false), row.plain) << int{row.type};
  }
  EXPECT_EQ(busyBoneMarkerLeft(1), 224);
  EXPECT_EQ(busyBoneMarkerLeft(2), 256);
  for (const std::uint8_t type : {0, 3, 4, 5, 6, 7}) {
    EXPECT_EQ(busyBoneMarkerLeft(type), std::nullopt);
  }
  const std::pair<std::uint8_t, std::optional<int>> current[] = {
      {0, 32}, {5, 32}, {6, 32}, {1, 80}, {2, 176}, {3, 176}, {4, 128}, {7, std::nullopt}};
  for (const auto& [type, left] : current) {
    EXPECT_EQ(selectedBoneMarkerLeft(type), left) << int{type};
  }
}

class BoneMarkers : public RenderTest {
 protected:
  void TearDown() override {
    tearDownDemoScene(scene_);
    RenderTest::TearDown();
  }
  bool setUp(int width, int height) { return makeDevice(width, height) && setUpDemoScene(device_, scene_); }
  // Bones in clip space: x and y as given, w = 1 + z (behind the eye for z <= -1).
  Model& clipSpaceBones(const std::vector<Vec3>& heads) {
    Model& model = scene_.model;
    model.bones.resize(heads.size());
    for (std::size_t i = 0; i < heads.size(); ++i) {
      model.bones[i] = Bone{};
      model.bones[i].head = heads[i];
    }
    model.boneSelected.assign(heads.size(), 0);
    model.boneMoved.assign(heads.size(), 0);
    model.ikChains.clear();
    return model;
  }
  static Mat4 wFromZ() {
    Mat4 m;
    m.m[2][3] = 1;
    return m;
  }
  DemoScene scene_;
};

TEST_F(BoneMarkers, ScreenPositionsTruncateAndBonesBehindTheEyeKeepTheirs) {
  ASSERT_TRUE(setUp(101, 75));
  Model& model = clipSpaceBones({{0.5f, 0.5f, 0}, {-0.3f, -0.7f, 1}, {0.1f, 0.1f, -2}});
  model.bones[2].screenX = 7;
  model.bones[2].screenY = 9;
  model.selectedBone = 2;
  const std::optional<BoneProjection> projection =
      projectAndDrawBones(device_, scene_.resources, model, Mat4{}, wFromZ(), EditMode::Rotate);
  // x = trunc(50 + 0.5 (x / w) 101), y = trunc(37 - 0.5 (y / w) 75).
  EXPECT_EQ(model.bones[0].screenX, 75);
  EXPECT_EQ(model.bones[0].screenY, 18);
  EXPECT_EQ(model.bones[1].screenX, 42);
  EXPECT_EQ(model.bones[1].screenY, 50);
  EXPECT_EQ(model.bones[2].screenX, 7);
  EXPECT_EQ(model.bones[2].screenY, 9);
  ASSERT_TRUE(projection.has_value());
  EXPECT_EQ(projection->screenX, 7);
  EXPECT_EQ(projection->screenY, 9);
  EXPECT_FLOAT_EQ(projection->clipW, -1.0f);

  model.selectedBone = -1;
  EXPECT_EQ(projectAndDrawBones(device_, scene_.resources, model, Mat4{}, wFromZ(), EditMode::Select),
            std::nullopt);
  model.selectedBone = 99;
  EXPECT_EQ(projectAndDrawBones(device_, scene_.resources, model, Mat4{}, wFromZ(), EditMode::Select),
            std::nullopt);
}

TEST_F(BoneMarkers, BoneOnItsTailsPixelAndBadIndicesDrawNoLine) {
  ASSERT_TRUE(setUp(64, 64));
  Model& model = clipSpaceBones({{0, 0, 0}, {0.001f, -0.001f, 0}});
  model.bones[0].tail = 1;
  model.bones[0].type = 7;  // no marker either
  model.bones[1].type = 7;
  model.bones[1].tail = 500;
  IkChain broken;
  broken.ikBone = 700;
  model.ikChains.push_back(broken);
  model.selectedBone = 0;
  model.boneSelected[0] = 1;
  clearToWhite(device_);
  projectAndDrawBones(device_, scene_.resources, model, Mat4{}, wFromZ(), EditMode::Select);
  const RgbaImage picture = readBackBuffer(device_);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      ASSERT_EQ(pixelAt(picture, x, y), 0xFFFFFFu) << x << "," << y;
    }
  }
}

TEST_F(BoneMarkers, DemoSkeletonInSelectModeShowsLinesMarkersAndIkLinks) {
  ASSERT_TRUE(setUp(320, 240));
  Model& model = scene_.model;
  model.selectedBone = 1;
  model.boneSelected[1] = 1;
  model.boneSelected[2] = 1;
  model.boneMoved[3] = 1;
  clearToWhite(device_);
  const std::optional<BoneProjection> projection =
      projectAndDrawBones(device_, scene_.resources, model, Mat4{}, scene_.viewProjection, EditMode::Select);
  ASSERT_TRUE(projection.has_value());
  EXPECT_EQ(projection->screenX, static_cast<int>(model.bones[1].screenX));
  EXPECT_GT(projection->clipW, 0);
  expectMatchesReference("render_model_bones");
}

TEST_F(BoneMarkers, RotateModeMarksOnlyOtherSelectedMovableBonesAndTheCurrentOne) {
  ASSERT_TRUE(setUp(320, 240));
  Model& model = scene_.model;
  model.selectedBone = 2;
  model.boneSelected.assign(model.bones.size(), 1);
  clearToWhite(device_);
  projectAndDrawBones(device_, scene_.resources, model, Mat4{}, scene_.viewProjection, EditMode::Rotate);
  expectMatchesReference("render_model_bones_rotate");
}

}  // namespace
}  // namespace zv::test
