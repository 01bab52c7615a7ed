#include "render/x_build.h"

#include "files/x/x_accessory_import.h"

namespace zv {
namespace {

void releaseBuffers(XFileObject& object) {
  releaseVertexBuffer(object.vertexBuffer);
  for (XFileObject& child : object.children) {
    releaseBuffers(child);
  }
}

// The device copy of a plain node; false when a vertex buffer cannot be made.
bool makeDeviceObject(XFrameNode& node, XFileObject& out) {
  out.name = std::move(node.name);
  out.localMatrix = node.localMatrix;
  out.isMesh = node.isMesh;
  out.indices = std::move(node.indices);
  out.materials = std::move(node.materials);
  out.translucent = node.translucent;
  out.textureFolder = std::move(node.textureFolder);
  if (!node.vertices.empty()) {
    if (!createVertexBuffer(out.vertexBuffer, VertexLayout::Model, static_cast<int>(node.vertices.size()))) {
      return false;
    }
    std::vector<ModelVertex> vertices;
    vertices.reserve(node.vertices.size());
    for (const XVertex& vertex : node.vertices) {
      vertices.push_back(ModelVertex{vertex.position, vertex.normal, vertex.u, vertex.v});
    }
    writeVertices<ModelVertex>(out.vertexBuffer, vertices);
  }
  out.children.resize(node.children.size());
  for (std::size_t i = 0; i < node.children.size(); ++i) {
    if (!makeDeviceObject(node.children[i], out.children[i])) {
      return false;
    }
  }
  return true;
}

ColourValue colourOf(const XColour& c) {
  return ColourValue{c.r, c.g, c.b, c.a};
}

MaterialColours shadowMaterial(float shadowRed) {
  MaterialColours material;
  material.diffuse.a = 1;
  material.specular.a = 1;
  material.ambient = ColourValue{shadowRed, shadowRed, shadowRed, shadowRed};
  return material;
}

class TreeDrawer {
 public:
  TreeDrawer(DisplayDevice& device, TextureStore& store, const AccessoryDrawPass& pass, bool translucent)
      : device_(device), store_(store), pass_(pass), translucent_(translucent) {}

  void drawChildren(XFileObject& parent) {
    for (XFileObject& node : parent.children) {
      if (node.isMesh && node.translucent == translucent_) {
        drawMesh(node);
      }
      if (!node.children.empty()) {
        Mat4 saved = device_.state.world;
        device_.state.world = node.localMatrix * saved;
        drawChildren(node);
        device_.state.world = saved;
      }
    }
  }

 private:
  void drawMesh(XFileObject& node) {
    for (XMaterialSlot& material : node.materials) {
      if (material.indexCount == 0) {
        continue;
      }
      if (pass_.shadow) {
        device_.state.stages[0].texture = 0;
        device_.state.material = shadowMaterial(pass_.shadowRed);
      } else {
        device_.state.stages[0].texture = textureOf(node, material);
        device_.state.material =
            MaterialColours{colourOf(material.diffuse), colourOf(material.ambient),
                            colourOf(material.specular), colourOf(material.emissive), material.power};
      }
      std::span<const std::uint16_t> run(node.indices);
      drawIndexed(device_, node.vertexBuffer, Primitive::TriangleList,
                  run.subspan(material.firstIndex, material.indexCount));
    }
  }

  unsigned textureOf(XFileObject& node, XMaterialSlot& material) {
    if (material.textureName == kScreenCaptureTexture) {
      return pass_.captureTexture;
    }
    if (material.textureName.empty()) {
      return 0;
    }
    DeviceTexture texture = findTexture(store_, material.textureName, node.textureFolder);
    if (texture.name != 0) {
      return texture.name;
    }
    if (!registerTexture(store_, material.textureName, node.textureFolder)) {
      material.textureName.clear();
      return 0;
    }
    createSurfaces(store_, device_);
    return findTexture(store_, material.textureName, node.textureFolder).name;
  }

  DisplayDevice& device_;
  TextureStore& store_;
  const AccessoryDrawPass& pass_;
  bool translucent_;
};

}  // namespace

XBuild::~XBuild() {
  if (tree) {
    releaseBuffers(*tree);
  }
}

Outcome loadAccessory(XBuild& accessory, AccessoryState& placement, DisplayDevice& device,
                      TextureStore& store, const std::filesystem::path& path,
                      const std::filesystem::path& programFolder) {
  AccessoryImportResult result = importAccessory(path, programFolder);
  Outcome outcome{false, std::move(result.messages)};
  if (!result.accessory) {
    return outcome;
  }
  AccessoryImport& imported = *result.accessory;
  registerXTextures(imported.tree, imported.textureFolder,
                    [&store](const std::string& name, const std::filesystem::path& folder) {
                      return registerTexture(store, name, folder);
                    });
  createSurfaces(store, device);
  XFileObject root;
  if (!makeDeviceObject(imported.tree, root)) {
    releaseBuffers(root);
    return outcome;
  }
  if (accessory.tree) {
    releaseBuffers(*accessory.tree);
  }
  accessory.tree = std::move(root);
  accessory.name = imported.name;
  accessory.path = imported.path;
  if (imported.descriptor) {
    placement.scale = imported.descriptor->scale;
    placement.position = imported.descriptor->position;
    placement.rotation = imported.descriptor->rotation;
    placement.shadow = imported.descriptor->shadow;
  }
  outcome.done = true;
  return outcome;
}

void drawAccessory(XBuild& accessory, const AccessoryState& liveState, DisplayDevice& device,
                   TextureStore& store, const AccessoryDrawPass& pass) {
  if (!liveState.visible || !accessory.tree) {
    return;
  }
  Mat4 scale;
  scale.m[0][0] = scale.m[1][1] = scale.m[2][2] = 10 * liveState.scale;
  Mat4 placement = scale * rotationZ(liveState.rotation.z) * rotationX(liveState.rotation.x) *
                   rotationY(liveState.rotation.y) * translation(liveState.position) *
                   translation(pass.parentHead) * pass.parentTransform;
  DeviceState& state = device.state;
  const DeviceState saved = state;
  state.world = placement * saved.world;
  TreeDrawer(device, store, pass, false).drawChildren(*accessory.tree);
  state.alphaBlend = true;
  state.sourceBlend = BlendFactor::SourceAlpha;
  state.destinationBlend = BlendFactor::InverseSourceAlpha;
  TreeDrawer(device, store, pass, true).drawChildren(*accessory.tree);
  state.material = saved.material;
  state.stages[0].texture = saved.stages[0].texture;
  state.world = saved.world;
  state.alphaBlend = saved.alphaBlend;
  state.sourceBlend = saved.sourceBlend;
  state.destinationBlend = saved.destinationBlend;
}

}  // namespace zv
