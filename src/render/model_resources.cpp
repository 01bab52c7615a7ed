#include "render/model_resources.h"

#include <algorithm>
#include <cstring>

namespace zv {
namespace {

ModelLoadFailure deviceFailure(const char* message) {
  return {message, "ファイル読込"};
}

// Copies the model's CPU vertices into a locked device buffer of the same layout and size.
template <typename DeviceVertex, typename ModelVertexRecord>
bool upload(VertexBuffer& buffer, const std::vector<ModelVertexRecord>& vertices) {
  static_assert(sizeof(DeviceVertex) == sizeof(ModelVertexRecord));
  const std::span<std::byte> bytes = lockVertexBuffer(buffer);
  if (bytes.size() < vertices.size() * sizeof(ModelVertexRecord)) {
    if (!bytes.empty()) {
      unlockVertexBuffer(buffer);
    }
    return false;
  }
  std::memcpy(bytes.data(), vertices.data(), vertices.size() * sizeof(ModelVertexRecord));
  unlockVertexBuffer(buffer);
  return true;
}

// Each material's run follows the one before; counts that claim more than the list holds are cut.
std::vector<IndexRun> materialRuns(const Model& model) {
  std::vector<IndexRun> runs;
  runs.reserve(model.materials.size());
  std::size_t offset = 0;
  for (const Material& material : model.materials) {
    runs.push_back(indexRun(model.indices, offset, material.indexCount));
    offset += material.indexCount;
  }
  return runs;
}

std::optional<ModelLoadFailure> createVertexBuffers(const Model& model, ModelDeviceResources& resources) {
  const auto count = static_cast<int>(model.sourceVertices.size());
  if (!createVertexBuffer(resources.edgeBuffer, VertexLayout::Lit, count) ||
      !createVertexBuffer(resources.modelBuffer, VertexLayout::Model, count) ||
      (!model.indices.empty() && !createIndexBuffer(resources.indexBuffer, model.indices))) {
    return deviceFailure("グラフィックカードの性能が足りません");
  }
  if (!upload<LitVertex>(resources.edgeBuffer, model.edgeVertices)) {
    return deviceFailure("エッジ用バッファLock失敗");
  }
  if (!upload<ModelVertex>(resources.modelBuffer, model.modelVertices)) {
    return deviceFailure("モデル用バッファLock失敗");
  }
  resources.materialRuns = materialRuns(model);
  return std::nullopt;
}

}  // namespace

ModelDeviceResources::~ModelDeviceResources() {
  releaseVertexBuffer(modelBuffer);
  releaseVertexBuffer(edgeBuffer);
  releaseIndexBuffer(indexBuffer);
}

std::optional<ModelLoadFailure> createModelResources(Model& model, DisplayDevice& device,
                                                     TextureStore& textures) {
  auto resources = std::make_shared<ModelDeviceResources>();
  if (!model.sourceVertices.empty()) {
    if (auto failure = createVertexBuffers(model, *resources)) {
      return failure;
    }
  }
  const std::filesystem::path folder = model.filePath.parent_path();
  for (const Material& material : model.materials) {
    if (!material.textureName.empty()) {
      registerTexture(textures, material.textureName, folder);
    }
  }
  createSurfaces(textures, device);
  model.deviceResources = std::move(resources);
  return std::nullopt;
}

void uploadSkinnedVertices(const Model& model) {
  if (!model.deviceResources) {
    return;
  }
  writeVertexBuffer(model.deviceResources->modelBuffer, 0, std::as_bytes(std::span(model.modelVertices)));
  writeVertexBuffer(model.deviceResources->edgeBuffer, 0, std::as_bytes(std::span(model.edgeVertices)));
}

}  // namespace zv
