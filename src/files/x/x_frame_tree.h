// The frame tree of a prop as the drawing needs it, built from a parsed X file without any device:
// frame matrices (mirrored from the file's right-handed Z), meshes as triangle lists grouped into
// material runs, and vertices with normals and texture coordinates.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "files/x/x_document.h"
#include "files/x/x_messages.h"
#include "scene/document/math.h"

namespace zv {

inline constexpr std::size_t kMaxXMeshVertices = 65536;  // the device draws with 16-bit indices
inline constexpr std::size_t kMaxXMaterials = 25;        // material slots of one mesh
inline constexpr std::size_t kXNodeNameBytes = 80;       // longer frame and mesh names are cut
inline constexpr std::size_t kXTextureNameBytes = 99;    // longer texture names are dropped
inline constexpr std::string_view kXRootName = "D3DFile_Root";
inline constexpr std::string_view kScreenCaptureTexture = "screen.bmp";

struct XColour {
  float r = 0, g = 0, b = 0, a = 0;
  bool operator==(const XColour&) const = default;
};

// The device vertex layout: position, normal, one texture coordinate pair (32 bytes).
struct XVertex {
  Vec3 position;
  Vec3 normal;
  float u = 0, v = 0;
  bool operator==(const XVertex&) const = default;
};
static_assert(sizeof(XVertex) == 32);

// One material of a mesh and its run of the mesh's index list.
struct XMaterialSlot {
  XColour diffuse{1, 1, 1, 1};  // face colour; a mesh without materials is drawn plain white
  XColour ambient{1, 1, 1, 1};  // equal to the diffuse colour
  XColour specular;             // alpha stays 0
  XColour emissive;             // alpha stays 0
  float power = 0;
  std::string textureName;       // CP932 as written in the file; empty for none
  std::uint32_t firstIndex = 0;  // start of the run in `XFrameNode::indices`
  std::uint32_t indexCount = 0;  // a multiple of 3; 0 draws nothing
  bool operator==(const XMaterialSlot&) const = default;
};

struct XFrameNode {
  std::string name;  // CP932, at most kXNodeNameBytes
  Mat4 localMatrix;  // identity unless the frame gives one; multiplied in front of the parent's world
  bool isMesh = false;
  std::vector<XVertex> vertices;
  std::vector<std::uint16_t> indices;    // triangle list, material runs one after another
  std::vector<XMaterialSlot> materials;  // at most kMaxXMaterials
  bool translucent = false;              // some material has diffuse alpha below 1: drawn in the blended pass
  std::filesystem::path textureFolder;   // folder the textures of this mesh were registered from
  std::vector<XFrameNode> children;      // frames and meshes in file order
  bool operator==(const XFrameNode&) const = default;
};

struct XTreeResult {
  std::optional<XFrameNode> root;  // named kXRootName
  std::vector<XMessage> messages;  // to show even when the tree was built
  std::string failure;             // why the file was refused; empty on success
};

// Builds the tree from the top-level Frame and Mesh objects; other objects are skipped. A face
// index outside the vertex list, a count larger than its data or a mesh of more than
// kMaxXMeshVertices vertices refuses the whole file.
XTreeResult buildXFrameTree(const XDocument& document);

// parseXFile, then buildXFrameTree. A compressed file is refused with a message to show.
XTreeResult readXFrameTree(std::string_view bytes);

// Registers every material texture of the tree, given the folder its names are relative to.
// `registerTexture` returns whether the image could be loaded. A name that fails is cleared,
// except the screen-capture name, which the drawing supplies itself.
using XTextureRegistrar = std::function<bool(const std::string& name, const std::filesystem::path& folder)>;
void registerXTextures(XFrameNode& node, const std::filesystem::path& folder,
                       const XTextureRegistrar& registerTexture);

}  // namespace zv
