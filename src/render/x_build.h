// A prop in the scene: the frame tree read from its X file with a device vertex buffer per mesh.
// Where, how large and whether it is drawn is the AccessoryState of its slot, which the scene owns.
// Loading and drawing are the free functions below.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/x/x_frame_tree.h"
#include "render/display_device.h"
#include "render/texture_store.h"
#include "render/vertex_buffer.h"
#include "scene/document/math.h"
#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

// One node of a loaded prop: a frame (matrix and children) or a mesh (buffer, indices, materials).
struct XFileObject {
  std::string name;  // CP932
  Mat4 localMatrix;  // multiplied in front of the parent's world for the children
  bool isMesh = false;
  VertexBuffer vertexBuffer;             // ModelVertex layout; empty for frames and empty meshes
  std::vector<std::uint16_t> indices;    // triangle list, one run per material
  std::vector<XMaterialSlot> materials;  // at most kMaxXMaterials
  bool translucent = false;              // drawn in the blended pass
  std::filesystem::path textureFolder;   // where this mesh's texture names are looked up
  std::vector<XFileObject> children;
};

// The prop. Its virtual destructor frees the device buffers of the tree, so a GL context must be
// current when it is destroyed.
class XBuild {
 public:
  XBuild() = default;
  XBuild(const XBuild&) = delete;
  XBuild& operator=(const XBuild&) = delete;
  virtual ~XBuild();

  std::optional<XFileObject> tree;  // root named "D3DFile_Root"; none until loaded
  std::string name;                 // CP932: the X file's name without folder
  std::filesystem::path path;       // the path given to loadAccessory
  int listIndex = 0;                // row in the accessory list; rows stay dense as props are deleted
};

using Accessory = XBuild;

// Reads `path` (an X file or a .vac descriptor, with the UserFile/Accessory fall-back under
// `programFolder`), registers its textures in `store` and makes the vertex buffers. Done when the
// tree was built: a descriptor's scale, position, rotation and shadow are then written into
// `placement`. The reader's messages come with the result either way. A failed load leaves no
// tree and `placement` as it was.
Outcome loadAccessory(XBuild& accessory, AccessoryState& placement, DisplayDevice& device,
                      TextureStore& store, const std::filesystem::path& path,
                      const std::filesystem::path& programFolder);

struct AccessoryDrawPass {
  bool shadow = false;          // the ground-shadow pass: untextured, shadow material
  float shadowRed = 0;          // red of the ground-shadow colour: the shadow material's ambient
  Mat4 parentTransform;         // the parent bone's global transform; identity on the ground
  Vec3 parentHead;              // the parent bone's head position; zero on the ground
  unsigned captureTexture = 0;  // shown by materials whose texture is "screen.bmp"; 0 for none
};

// Draws the opaque meshes, then the translucent ones blended, placed by `liveState` in front of
// the device's current world; nothing when that state hides the prop. Every state it changes is
// restored. A texture missing from `store` is registered on demand; when that fails the
// material's texture name is cleared.
void drawAccessory(XBuild& accessory, const AccessoryState& liveState, DisplayDevice& device,
                   TextureStore& store, const AccessoryDrawPass& pass);

}  // namespace zv
