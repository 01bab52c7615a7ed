// Hostile bytes for the prop readers: X files in every format and .vac descriptors. Beyond the
// sanitizers, every tree that is accepted must only index inside its own arrays.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/x/vac_descriptor.h"
#include "files/x/x_frame_tree.h"

namespace {

void checkNode(const zv::XFrameNode& node) {
  for (std::uint32_t index : node.indices) {
    if (index >= node.vertices.size()) {
      __builtin_trap();
    }
  }
  std::size_t covered = 0;
  for (const zv::XMaterialSlot& material : node.materials) {
    if (material.firstIndex != covered || material.indexCount % 3 != 0) {
      __builtin_trap();
    }
    covered += material.indexCount;
  }
  if (covered != node.indices.size() || node.materials.size() > zv::kMaxXMaterials) {
    __builtin_trap();
  }
  for (const zv::XFrameNode& child : node.children) {
    checkNode(child);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!bytes.starts_with("xof ")) {
    zv::parseVacDescriptor(bytes);
    return 0;
  }
  zv::XTreeResult result = zv::readXFrameTree(bytes);
  if (result.root) {
    checkNode(*result.root);
    zv::registerXTextures(*result.root, ".", [](const std::string& name, const std::filesystem::path&) {
      return name.size() % 2 == 0;
    });
  }
  return 0;
}
