#include "files/x/x_frame_tree.h"

#include <gtest/gtest.h>

#include "files/x/x_writer.h"

namespace zv {
namespace {

XFileMesh quad() {
  XFileMesh mesh;
  mesh.name = "Quad";
  mesh.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  mesh.faces = {{0, 1, 2, 3}};
  return mesh;
}

XFileContent topLevel(XFileMesh mesh) {
  XFileContent content;
  content.meshes.push_back(std::move(mesh));
  return content;
}

XFrameNode buildFrom(std::string_view text) {
  XTreeResult result = readXFrameTree(text);
  EXPECT_TRUE(result.root) << result.failure;
  return result.root ? *result.root : XFrameNode{};
}

std::string refusal(std::string_view text) {
  XTreeResult result = readXFrameTree(text);
  EXPECT_FALSE(result.root);
  return result.failure;
}

TEST(XFrameTree, FrameMatrixMirrorsZ) {
  XFileFrame frame;
  frame.name = "Body";
  Mat4 matrix;
  for (int i = 0; i < 16; ++i) {
    matrix.m[i / 4][i % 4] = static_cast<float>(i + 1);
  }
  frame.matrix = matrix;
  XFileContent content;
  content.frames.push_back(frame);

  XFrameNode root = buildFrom(formatXText(content));

  EXPECT_EQ(root.name, "D3DFile_Root");
  ASSERT_EQ(root.children.size(), 1u);
  const XFrameNode& node = root.children[0];
  EXPECT_EQ(node.name, "Body");
  EXPECT_FALSE(node.isMesh);
  const float expected[4][4] = {{1, 2, -3, 4}, {5, 6, -7, 8}, {-9, -10, 11, 12}, {13, 14, -15, 16}};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      EXPECT_EQ(node.localMatrix.m[row][column], expected[row][column]) << row << "," << column;
    }
  }
}

TEST(XFrameTree, FacesBecomeTriangleFansWithComputedNormals) {
  XFileMesh mesh = quad();
  mesh.positions.push_back({0.5f, 1.5f, 0});
  mesh.faces = {{0, 1, 2, 4, 3}, {0, 1}, {2, 3}};

  XFrameNode root = buildFrom(formatXText(topLevel(mesh)));

  const XFrameNode& node = root.children.at(0);
  EXPECT_TRUE(node.isMesh);
  EXPECT_EQ(node.indices, (std::vector<std::uint16_t>{0, 1, 2, 0, 2, 4, 0, 4, 3}));
  ASSERT_EQ(node.materials.size(), 1u);
  EXPECT_EQ(node.materials[0].indexCount, 9u);
  EXPECT_EQ(node.materials[0].diffuse, (XColour{1, 1, 1, 1}));
  for (const XVertex& vertex : node.vertices) {
    EXPECT_EQ(vertex.normal, (Vec3{0, 0, 1}));
  }
}

TEST(XFrameTree, QuadGivesTwoTriangles) {
  XFrameNode root = buildFrom(formatXText(topLevel(quad())));
  EXPECT_EQ(root.children.at(0).indices, (std::vector<std::uint16_t>{0, 1, 2, 0, 2, 3}));
}

TEST(XFrameTree, NormalsAndCoordinatesAreTakenOnlyWhenTheyCoverEveryVertex) {
  XFileMesh mesh = quad();
  mesh.normals = {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}};
  mesh.textureCoords = {{0, 0}, {1, 0}, {1, 1}, {0.25f, 1}};
  XFrameNode given = buildFrom(formatXText(topLevel(mesh)));
  EXPECT_EQ(given.children[0].vertices[3], (XVertex{{0, 1, 0}, {0, 1, 0}, 0.25f, 1}));

  mesh.normals.pop_back();
  mesh.textureCoords.pop_back();
  XFrameNode computed = buildFrom(formatXText(topLevel(mesh)));
  EXPECT_EQ(computed.children[0].vertices[3], (XVertex{{0, 1, 0}, {0, 0, 1}, 0, 0}));
}

TEST(XFrameTree, MaterialsMakeRunsInSlotOrder) {
  XFileMesh mesh = quad();
  mesh.faces = {{0, 1, 2}, {0, 2, 3}, {1, 2, 3}};
  mesh.materials.resize(2);
  mesh.materials[0].faceColour = {1, 0, 0, 1};
  mesh.materials[0].power = 5;
  mesh.materials[0].specular = {0.1f, 0.2f, 0.3f};
  mesh.materials[0].emissive = {0.4f, 0.5f, 0.6f};
  mesh.materials[1].faceColour = {0, 1, 0, 0.5f};
  mesh.materials[1].textureName = "wood.tga";
  mesh.faceMaterials = {1, 0, 1};

  XFrameNode root = buildFrom(formatXText(topLevel(mesh)));

  const XFrameNode& node = root.children[0];
  EXPECT_EQ(node.indices, (std::vector<std::uint16_t>{0, 2, 3, 0, 1, 2, 1, 2, 3}));
  ASSERT_EQ(node.materials.size(), 2u);
  const XMaterialSlot& red = node.materials[0];
  EXPECT_EQ(red.diffuse, (XColour{1, 0, 0, 1}));
  EXPECT_EQ(red.ambient, (XColour{1, 0, 0, 1}));
  EXPECT_EQ(red.specular, (XColour{0.1f, 0.2f, 0.3f, 0}));
  EXPECT_EQ(red.emissive, (XColour{0.4f, 0.5f, 0.6f, 0}));
  EXPECT_EQ(red.power, 5.0f);
  EXPECT_EQ(red.firstIndex, 0u);
  EXPECT_EQ(red.indexCount, 3u);
  EXPECT_EQ(node.materials[1].firstIndex, 3u);
  EXPECT_EQ(node.materials[1].indexCount, 6u);
  EXPECT_EQ(node.materials[1].textureName, "wood.tga");
  EXPECT_TRUE(node.translucent) << "alpha 0.5 draws in the blended pass";
}

TEST(XFrameTree, MaterialListThatDoesNotMatchTheFacesGivesEverythingToTheFirstMaterial) {
  const std::string text = R"(xof 0303txt 0032
Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 3;0,1,2;, 3;0,2,3;;
  MeshMaterialList { 2; 3; 1,1,1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } Material { 1;1;1;0;; 0; 0;0;0;; 0;0;0;; } }
})";

  XFrameNode root = buildFrom(text);

  EXPECT_EQ(root.children[0].materials[0].indexCount, 6u);
  EXPECT_EQ(root.children[0].materials[1].indexCount, 0u);
  EXPECT_TRUE(root.children[0].translucent) << "the second material still fills its slot";
}

TEST(XFrameTree, TwentySixMaterialsWarnOnceAndKeepTwentyFive) {
  XFileMesh mesh = quad();
  mesh.faces.clear();
  for (std::uint32_t m = 0; m < 26; ++m) {
    mesh.faces.push_back({0, 1, 2});
    mesh.faceMaterials.push_back(m);
    mesh.faces.push_back({0, 2, 3});
    mesh.faceMaterials.push_back(m);
  }
  mesh.materials.resize(26);
  mesh.materials[25].faceColour.a = 0.25f;

  XTreeResult result = readXFrameTree(formatXText(topLevel(mesh)));

  ASSERT_TRUE(result.root);
  const XFrameNode& node = result.root->children[0];
  ASSERT_EQ(node.materials.size(), 25u);
  EXPECT_EQ(node.indices.size(), 25u * 6);
  EXPECT_FALSE(node.translucent) << "the dropped 26th material must not count";
  ASSERT_EQ(result.messages.size(), 1u);
  EXPECT_EQ(result.messages[0],
            (XMessage{"マテリアルの数が多すぎます。エラーを起こす可能性があります。", "Xfile-load"}));
}

TEST(XFrameTree, MaterialsCanBeGivenByReference) {
  XTreeResult result = readXFrameTree(R"(xof 0303txt 0032
Material Gold { 1.0;0.8;0.0;1.0;; 20.0; 1.0;1.0;1.0;; 0.0;0.0;0.0;; TextureFilename { "gold.bmp"; } }
Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;
  MeshMaterialList { 1; 1; 0;; { Gold } }
})");
  ASSERT_TRUE(result.root) << result.failure;
  ASSERT_EQ(result.root->children.size(), 1u) << "a top-level Material is not a node";
  const XMaterialSlot& slot = result.root->children[0].materials.at(0);
  EXPECT_EQ(slot.diffuse, (XColour{1, 0.8f, 0, 1}));
  EXPECT_EQ(slot.textureName, "gold.bmp");
  EXPECT_EQ(slot.indexCount, 3u);
}

TEST(XFrameTree, TextAndBinaryFilesOfOnePropGiveTheSameTree) {
  XFileMesh mesh = quad();
  mesh.positions[2] = {0.1f, 1.0f / 3, -7.25e-3f};
  mesh.faces = {{0, 1, 2}, {0, 2, 3}};
  mesh.materials.resize(2);
  mesh.materials[1].faceColour = {0.3f, 0.6f, 0.9f, 0.7f};
  mesh.materials[1].textureName = "prop.tga";
  mesh.faceMaterials = {0, 1};
  mesh.textureCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  XFileFrame frame;
  frame.name = "Prop";
  frame.matrix = translation({1.5f, -2, 3});
  frame.meshes.push_back(mesh);
  XFileFrame inner;
  inner.name = "Inner";
  inner.meshes.push_back(quad());
  frame.frames.push_back(inner);
  XFileContent content;
  content.frames.push_back(frame);
  content.meshes.push_back(quad());

  XFrameNode fromText = buildFrom(formatXText(content));
  EXPECT_EQ(fromText, buildFrom(formatXBinary(content, 32)));
  EXPECT_EQ(fromText, buildFrom(formatXBinary(content, 64)));
  EXPECT_EQ(fromText.children.size(), 2u);
  EXPECT_EQ(fromText.children[0].children.size(), 2u);
}

TEST(XFrameTree, MalformedMeshesAreRefused) {
  const std::string prefix = "xof 0303txt 0032\nMesh Bad { ";
  EXPECT_NE(refusal(prefix + "3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }").find("vertex"), std::string::npos);
  EXPECT_NE(refusal(prefix + "4000000000; 0;0;0;; 0; }").find("vertex count"), std::string::npos);
  EXPECT_NE(refusal(prefix + "3; 0;0;0;, 1;0;0;, 0;1;0;; 2; 3;0,1,2;; }").find("face"), std::string::npos);
  EXPECT_NE(refusal(prefix + "1; 0;0;0;; 1; 1;-1;; }").find("vertex"), std::string::npos);
  EXPECT_FALSE(refusal(prefix + "1; \"a\";0;0;; 0; }").empty());
  EXPECT_FALSE(refusal(prefix + "0; 0; MeshNormals { 9; 1;0;0;; } }").empty());
  EXPECT_FALSE(refusal(prefix + "0; 0; MeshMaterialList { 1; 5; 0;; } }").empty());
  EXPECT_FALSE(refusal(prefix + "0; 0; MeshMaterialList { 1; 0; Material { 1;1;1;1;; } } }").empty());
  EXPECT_FALSE(refusal("xof 0303txt 0032\nFrame F { FrameTransformMatrix { 1,0,0,0; } }").empty());
}

TEST(XFrameTree, MeshesMustFitSixteenBitIndices) {
  XFileMesh mesh;
  mesh.positions.resize(kMaxXMeshVertices);
  mesh.faces = {{0, 1, static_cast<std::uint32_t>(kMaxXMeshVertices - 1)}};
  XTreeResult largest = readXFrameTree(formatXBinary(topLevel(mesh), 32));
  ASSERT_TRUE(largest.root) << largest.failure;
  EXPECT_EQ(largest.root->children[0].indices.back(), 65535);

  mesh.positions.emplace_back();
  XTreeResult tooLarge = readXFrameTree(formatXBinary(topLevel(mesh), 32));
  EXPECT_FALSE(tooLarge.root);
  EXPECT_NE(tooLarge.failure.find("16-bit"), std::string::npos);
}

TEST(XFrameTree, UnknownObjectsAndTemplatesAreSkipped) {
  XFrameNode root = buildFrom(R"(xof 0303txt 0032
template Vector { <3D82AB5E-62DA-11cf-AB39-0020AF71E433> FLOAT x; FLOAT y; FLOAT z; }
Header { 1; 0; 1; }
Frame Top { AnimationKey { 0; 1; 0; 3; 1,2,3;;; } { Top } Mesh { 0; 0; } }
)");
  ASSERT_EQ(root.children.size(), 1u);
  ASSERT_EQ(root.children[0].children.size(), 1u);
  EXPECT_TRUE(root.children[0].children[0].isMesh);
}

TEST(XFrameTree, TexturesThatFailToRegisterAreClearedExceptTheScreenCapture) {
  XFileMesh mesh = quad();
  mesh.faces = {{0, 1, 2}, {0, 2, 3}, {1, 2, 3}};
  mesh.materials.resize(3);
  mesh.materials[0].textureName = "found.bmp";
  mesh.materials[1].textureName = "missing.bmp";
  mesh.materials[2].textureName = "screen.bmp";
  mesh.faceMaterials = {0, 1, 2};
  XFrameNode root = buildFrom(formatXText(topLevel(mesh)));
  std::vector<std::string> asked;

  registerXTextures(root, "props", [&](const std::string& name, const std::filesystem::path& folder) {
    asked.push_back(folder.string() + "/" + name);
    return name == "found.bmp";
  });

  EXPECT_EQ(asked, (std::vector<std::string>{"props/found.bmp", "props/missing.bmp", "props/screen.bmp"}));
  const XFrameNode& node = root.children[0];
  EXPECT_EQ(node.materials[0].textureName, "found.bmp");
  EXPECT_EQ(node.materials[1].textureName, "");
  EXPECT_EQ(node.materials[2].textureName, "screen.bmp");
  EXPECT_EQ(node.textureFolder, "props");
}

TEST(XFrameTree, OverlongNamesAreCutOrDropped) {
  XFileMesh mesh = quad();
  mesh.name = std::string(79, 'a') + "\x95\x5c";  // the last character would straddle byte 80
  mesh.materials.resize(1);
  mesh.materials[0].textureName = std::string(100, 't') + ".bmp";
  XFrameNode root = buildFrom(formatXText(topLevel(mesh)));
  EXPECT_EQ(root.children[0].name, std::string(79, 'a'));
  EXPECT_EQ(root.children[0].materials[0].textureName, "");
}

}  // namespace
}  // namespace zv
