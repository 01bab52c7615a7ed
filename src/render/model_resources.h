// The device half of a loaded model: its two vertex buffers and its material textures.
#pragma once

#include <optional>
#include <vector>

#include "render/display_device.h"
#include "render/texture_store.h"
#include "render/vertex_buffer.h"
#include "scene/document/model.h"
#include "scene/document/model_reader.h"

namespace zv {

struct ModelDeviceResources {
  VertexBuffer modelBuffer;            // position-normal-uv, one entry per model vertex
  VertexBuffer edgeBuffer;             // position-colours-uv, the outline
  IndexBuffer indexBuffer;             // the model's index list, shared by both vertex buffers
  std::vector<IndexRun> materialRuns;  // per material, its run of the index list
  ModelDeviceResources() = default;
  ModelDeviceResources(const ModelDeviceResources&) = delete;
  ModelDeviceResources& operator=(const ModelDeviceResources&) = delete;
  ~ModelDeviceResources();
};

// Creates and fills the vertex and index buffers of a parsed model (none for a model without vertices),
// registers its material textures from the model file's folder and makes their surfaces. A
// texture that cannot be read leaves its material untextured. On failure the message says why
// and the model keeps no device resources.
std::optional<ModelLoadFailure> createModelResources(Model& model, DisplayDevice& device,
                                                     TextureStore& textures);

// Writes the model's skinned vertex and edge arrays (as posing left them) into its device buffers.
void uploadSkinnedVertices(const Model& model);

}  // namespace zv
