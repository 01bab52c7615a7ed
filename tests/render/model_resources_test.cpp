#include "render/model_resources.h"

#include <GL/glcorearb.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render_fixture.h"
#include "support/model_builder.h"

namespace zv::test {
namespace {

template <typename Vertex>
std::vector<Vertex> readBack(const VertexBuffer& buffer) {
  std::vector<Vertex> vertices(static_cast<std::size_t>(buffer.count));
  glBindBuffer(GL_ARRAY_BUFFER, buffer.buffer);
  glGetBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)),
                     vertices.data());
  return vertices;
}

using ModelResources = RenderTest;

TEST_F(ModelResources, BuffersHoldTheReadersVerticesAndTexturesAreRegistered) {
  ASSERT_TRUE(makeDevice(16, 16));
  std::filesystem::path path = "UserFile/Model/tessera.tsm";
  Model model;
  ASSERT_EQ(readModelFile(path, std::filesystem::current_path(), model), std::nullopt);
  TextureStore store;
  ASSERT_EQ(createModelResources(model, device_, store), std::nullopt);

  ASSERT_NE(model.deviceResources, nullptr);
  const auto edges = readBack<LitVertex>(model.deviceResources->edgeBuffer);
  const auto vertices = readBack<ModelVertex>(model.deviceResources->modelBuffer);
  ASSERT_EQ(edges.size(), model.sourceVertices.size());
  ASSERT_EQ(vertices.size(), model.sourceVertices.size());
  for (std::size_t i = 0; i < edges.size(); ++i) {
    ASSERT_EQ(edges[i].diffuse, 0xFF000000u);
    ASSERT_EQ(edges[i].specular, 0u);
    ASSERT_EQ(vertices[i].u, model.modelVertices[i].u);
    ASSERT_EQ(vertices[i].v, model.modelVertices[i].v);
  }
  const std::filesystem::path folder = model.filePath.parent_path();
  EXPECT_NE(findTexture(store, "cloth.bmp", folder).name, 0u);
  EXPECT_NE(findTexture(store, "eye.tga", folder).name, 0u);
  EXPECT_TRUE(findEntry(store, "eye.tga")->hasAlpha);
}

TEST_F(ModelResources, MissingTextureLeavesTheMaterialUntexturedAndNoVerticesNoBuffers) {
  ASSERT_TRUE(makeDevice(16, 16));
  Model textureless;
  ASSERT_EQ(parseModel(tsmBytes(sampleModel()), textureless), std::nullopt);  // names skin.bmp, absent
  TextureStore store;
  ASSERT_EQ(createModelResources(textureless, device_, store), std::nullopt);
  EXPECT_TRUE(store.entries.empty());
  EXPECT_EQ(textureless.deviceResources->modelBuffer.count, 6);

  TsmModel bonesOnly;
  bonesOnly.addBone("センター", -1, {});
  Model empty;
  ASSERT_EQ(parseModel(tsmBytes(bonesOnly), empty), std::nullopt);
  ASSERT_EQ(createModelResources(empty, device_, store), std::nullopt);
  EXPECT_EQ(empty.deviceResources->modelBuffer.buffer, 0u);
  EXPECT_EQ(empty.deviceResources->edgeBuffer.buffer, 0u);
}

}  // namespace
}  // namespace zv::test
