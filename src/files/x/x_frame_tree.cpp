#include "files/x/x_frame_tree.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <unordered_map>

#include "port/text.h"

namespace zv {
namespace {

// Reads an object's flattened values in order, refusing anything the data cannot back.
class ValueCursor {
 public:
  explicit ValueCursor(const XDataObject& object) : object_(object) {}

  std::size_t remaining() const { return object_.values.size() - position_; }

  bool readIndex(std::uint32_t& out) {
    if (remaining() == 0) {
      return false;
    }
    const XValue& value = object_.values[position_++];
    if (value.kind != XValueKind::Integer || value.integer < 0 ||
        value.integer > std::numeric_limits<std::uint32_t>::max()) {
      return false;
    }
    out = static_cast<std::uint32_t>(value.integer);
    return true;
  }

  // A count of items of `valuesPerItem` values each, all of which must follow.
  bool readCount(std::uint32_t& out, std::size_t valuesPerItem) {
    return readIndex(out) && static_cast<std::uint64_t>(out) * valuesPerItem <= remaining();
  }

  bool readFloat(float& out) {
    if (remaining() == 0) {
      return false;
    }
    const XValue& value = object_.values[position_++];
    if (value.kind == XValueKind::String) {
      return false;
    }
    out = value.kind == XValueKind::Float ? value.real : static_cast<float>(value.integer);
    return true;
  }

  bool readVec3(Vec3& out) { return readFloat(out.x) && readFloat(out.y) && readFloat(out.z); }

  bool readColour(XColour& out, bool withAlpha) {
    return readFloat(out.r) && readFloat(out.g) && readFloat(out.b) && (!withAlpha || readFloat(out.a));
  }

 private:
  const XDataObject& object_;
  std::size_t position_ = 0;
};

// Cuts a CP932 name to `limit` bytes without splitting a double-byte character.
std::string cutName(std::string_view name, std::size_t limit) {
  std::size_t end = 0;
  while (end < name.size()) {
    std::size_t width = port::isCp932LeadByte(static_cast<unsigned char>(name[end])) ? 2 : 1;
    if (end + width > limit) {
      break;
    }
    end += width;
  }
  return std::string(name.substr(0, std::min(end, name.size())));
}

const XDataObject* firstChild(const XDataObject& object, std::string_view templateName) {
  for (const XDataObject& child : object.children) {
    if (!child.isReference && child.templateName == templateName) {
      return &child;
    }
  }
  return nullptr;
}

// Each face as a range of the mesh's flat face-index list.
struct Face {
  std::size_t first = 0;
  std::uint32_t count = 0;
};

struct MeshFaces {
  std::vector<Face> faces;
  std::vector<std::uint16_t> vertexIndices;  // checked against the vertex count when read
};

// Face f's material, or none when the list assigns everything to material 0.
struct MaterialAssignment {
  std::vector<std::uint32_t> faceMaterials;
  std::uint32_t materialCount = 1;
};

class TreeBuilder {
 public:
  explicit TreeBuilder(const XDocument& document) : document_(document) {
    for (const XDataObject& object : document.objects) {
      indexNames(object);
    }
  }

  XTreeResult build() {
    XFrameNode root;
    root.name = kXRootName;
    for (const XDataObject& object : document_.objects) {
      bool built = true;
      if (object.templateName == "Frame") {
        built = buildFrame(object, root);
      } else if (object.templateName == "Mesh") {
        built = buildMesh(object, root);
      }
      if (!built) {
        return XTreeResult{std::nullopt, std::move(messages_), std::move(failure_)};
      }
    }
    return XTreeResult{std::move(root), std::move(messages_), {}};
  }

 private:
  void indexNames(const XDataObject& object) {
    if (!object.isReference && !object.name.empty()) {
      names_.try_emplace(object.name, &object);
    }
    for (const XDataObject& child : object.children) {
      indexNames(child);
    }
  }

  bool fail(std::string_view reason, std::string_view objectName) {
    failure_ = std::string(reason);
    if (!objectName.empty()) {
      failure_ += " (" + port::cp932ToUtf8(objectName) + ")";
    }
    return false;
  }

  // Z is mirrored to turn the file's right-handed frames into the scene's left-handed ones.
  bool readFrameMatrix(const XDataObject& object, Mat4& out) {
    ValueCursor cursor(object);
    for (int row = 0; row < 4; ++row) {
      for (int column = 0; column < 4; ++column) {
        if (!cursor.readFloat(out.m[row][column])) {
          return fail("frame matrix with fewer than 16 numbers", object.name);
        }
      }
    }
    for (auto [row, column] : {std::pair{0, 2}, {1, 2}, {2, 0}, {2, 1}, {3, 2}}) {
      out.m[row][column] = -out.m[row][column];
    }
    return true;
  }

  bool buildFrame(const XDataObject& frame, XFrameNode& parent) {
    XFrameNode& node = parent.children.emplace_back();
    node.name = cutName(frame.name, kXNodeNameBytes);
    for (const XDataObject& child : frame.children) {
      if (child.isReference) {
        continue;
      }
      bool built = true;
      if (child.templateName == "Frame") {
        built = buildFrame(child, node);
      } else if (child.templateName == "Mesh") {
        built = buildMesh(child, node);
      } else if (child.templateName == "FrameTransformMatrix") {
        built = readFrameMatrix(child, node.localMatrix);
      }
      if (!built) {
        return false;
      }
    }
    return true;
  }

  bool readVerticesAndFaces(const XDataObject& mesh, XFrameNode& node, MeshFaces& out) {
    ValueCursor cursor(mesh);
    std::uint32_t vertexCount = 0;
    if (!cursor.readCount(vertexCount, 3)) {
      return fail("mesh vertex count larger than its data", mesh.name);
    }
    if (vertexCount > kMaxXMeshVertices) {
      return fail("mesh with more vertices than 16-bit indices reach", mesh.name);
    }
    node.vertices.resize(vertexCount);
    for (XVertex& vertex : node.vertices) {
      if (!cursor.readVec3(vertex.position)) {
        return fail("mesh vertex that is not a number", mesh.name);
      }
    }
    std::uint32_t faceCount = 0;
    if (!cursor.readCount(faceCount, 1)) {
      return fail("mesh face count larger than its data", mesh.name);
    }
    out.faces.resize(faceCount);
    for (Face& face : out.faces) {
      face.first = out.vertexIndices.size();
      if (!cursor.readCount(face.count, 1)) {
        return fail("mesh face larger than its data", mesh.name);
      }
      for (std::uint32_t i = 0; i < face.count; ++i) {
        std::uint32_t index = 0;
        if (!cursor.readIndex(index) || index >= vertexCount) {
          return fail("mesh face refers to a vertex that does not exist", mesh.name);
        }
        out.vertexIndices.push_back(static_cast<std::uint16_t>(index));
      }
    }
    return true;
  }

  bool readMaterial(const XDataObject& material, XMaterialSlot& slot) {
    ValueCursor cursor(material);
    XColour faceColour;
    if (!cursor.readColour(faceColour, true) || !cursor.readFloat(slot.power) ||
        !cursor.readColour(slot.specular, false) || !cursor.readColour(slot.emissive, false)) {
      return fail("material with fewer than 11 numbers", material.name);
    }
    slot.diffuse = faceColour;
    slot.ambient = faceColour;
    const XDataObject* texture = firstChild(material, "TextureFilename");
    if (texture != nullptr && !texture->values.empty() && texture->values[0].kind == XValueKind::String) {
      const std::string& name = texture->strings[texture->values[0].string];
      if (name.size() <= kXTextureNameBytes) {
        slot.textureName = name;
      }
    }
    return true;
  }

  bool readMaterialList(const XDataObject& list, std::size_t faceCount, XFrameNode& node,
                        MaterialAssignment& out) {
    ValueCursor cursor(list);
    std::uint32_t materialCount = 0;
    std::uint32_t faceIndexCount = 0;
    if (!cursor.readIndex(materialCount) || !cursor.readCount(faceIndexCount, 1)) {
      return fail("material list count larger than its data", list.name);
    }
    std::vector<std::uint32_t> faceMaterials(faceIndexCount);
    for (std::uint32_t& material : faceMaterials) {
      if (!cursor.readIndex(material)) {
        return fail("material list index that is not a whole number", list.name);
      }
    }
    if (materialCount > 1 && faceIndexCount == faceCount) {
      out.faceMaterials = std::move(faceMaterials);
      out.materialCount = materialCount;
    }
    node.materials.resize(std::clamp<std::size_t>(materialCount, 1, kMaxXMaterials));
    std::size_t filled = 0;
    for (const XDataObject& child : list.children) {
      const XDataObject* material = child.isReference ? resolve(child.name) : &child;
      if (material == nullptr || material->templateName != "Material" || filled == node.materials.size()) {
        continue;
      }
      XMaterialSlot& slot = node.materials[filled++];
      if (!readMaterial(*material, slot)) {
        return false;
      }
      node.translucent = node.translucent || slot.diffuse.a < 1.0f;
    }
    return true;
  }

  const XDataObject* resolve(const std::string& name) const {
    auto found = names_.find(name);
    return found == names_.end() ? nullptr : found->second;
  }

  // Per-vertex data is taken only when it covers every vertex exactly.
  bool readNormals(const XDataObject& normals, XFrameNode& node, bool& found) {
    ValueCursor cursor(normals);
    std::uint32_t count = 0;
    if (!cursor.readCount(count, 3)) {
      return fail("normal count larger than its data", normals.name);
    }
    if (count != node.vertices.size()) {
      return true;
    }
    for (XVertex& vertex : node.vertices) {
      if (!cursor.readVec3(vertex.normal)) {
        return fail("normal that is not a number", normals.name);
      }
    }
    found = true;
    return true;
  }

  bool readTextureCoords(const XDataObject& coords, XFrameNode& node) {
    ValueCursor cursor(coords);
    std::uint32_t count = 0;
    if (!cursor.readCount(count, 2)) {
      return fail("texture coordinate count larger than its data", coords.name);
    }
    if (count != node.vertices.size()) {
      return true;
    }
    for (XVertex& vertex : node.vertices) {
      if (!cursor.readFloat(vertex.u) || !cursor.readFloat(vertex.v)) {
        return fail("texture coordinate that is not a number", coords.name);
      }
    }
    return true;
  }

  // Faces become triangle fans (v0, v(k-1), v(k)) gathered into one run per material, in slot
  // order. Faces of materials past the last slot are dropped with one warning per mesh.
  void buildRuns(const MeshFaces& mesh, const MaterialAssignment& assignment, XFrameNode& node) {
    std::vector<std::vector<std::uint16_t>> runs(node.materials.size());
    bool tooManyMaterials = false;
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
      const Face& face = mesh.faces[f];
      std::uint32_t material = assignment.faceMaterials.empty() ? 0 : assignment.faceMaterials[f];
      if (face.count < 3 || material >= assignment.materialCount) {
        continue;
      }
      if (material >= kMaxXMaterials) {
        tooManyMaterials = true;
        continue;
      }
      const std::uint16_t* corner = &mesh.vertexIndices[face.first];
      for (std::uint32_t k = 2; k < face.count; ++k) {
        runs[material].insert(runs[material].end(), {corner[0], corner[k - 1], corner[k]});
      }
    }
    for (std::size_t m = 0; m < runs.size(); ++m) {
      node.materials[m].firstIndex = static_cast<std::uint32_t>(node.indices.size());
      node.materials[m].indexCount = static_cast<std::uint32_t>(runs[m].size());
      node.indices.insert(node.indices.end(), runs[m].begin(), runs[m].end());
    }
    if (tooManyMaterials) {
      messages_.push_back(XMessage{std::string(kTooManyMaterialsText), std::string(kXLoadCaption)});
    }
  }

  static void computeNormals(XFrameNode& node) {
    for (std::size_t t = 0; t + 2 < node.indices.size(); t += 3) {
      XVertex& p = node.vertices[node.indices[t]];
      XVertex& q = node.vertices[node.indices[t + 1]];
      XVertex& r = node.vertices[node.indices[t + 2]];
      Vec3 faceNormal = normalised(cross(q.position - p.position, r.position - q.position));
      p.normal = p.normal + faceNormal;
      q.normal = q.normal + faceNormal;
      r.normal = r.normal + faceNormal;
    }
    for (XVertex& vertex : node.vertices) {
      vertex.normal = normalised(vertex.normal);
    }
  }

  bool buildMesh(const XDataObject& mesh, XFrameNode& parent) {
    XFrameNode& node = parent.children.emplace_back();
    node.name = cutName(mesh.name, kXNodeNameBytes);
    node.isMesh = true;
    MeshFaces faces;
    if (!readVerticesAndFaces(mesh, node, faces)) {
      return false;
    }
    MaterialAssignment assignment;
    bool haveNormals = false;
    const XDataObject* list = firstChild(mesh, "MeshMaterialList");
    const XDataObject* normals = firstChild(mesh, "MeshNormals");
    const XDataObject* coords = firstChild(mesh, "MeshTextureCoords");
    if ((list != nullptr && !readMaterialList(*list, faces.faces.size(), node, assignment)) ||
        (normals != nullptr && !readNormals(*normals, node, haveNormals)) ||
        (coords != nullptr && !readTextureCoords(*coords, node))) {
      return false;
    }
    if (node.materials.empty()) {
      node.materials.resize(1);
    }
    buildRuns(faces, assignment, node);
    if (!haveNormals) {
      computeNormals(node);
    }
    return true;
  }

  const XDocument& document_;
  std::unordered_map<std::string, const XDataObject*> names_;
  std::vector<XMessage> messages_;
  std::string failure_;
};

}  // namespace

XTreeResult buildXFrameTree(const XDocument& document) {
  return TreeBuilder(document).build();
}

XTreeResult readXFrameTree(std::string_view bytes) {
  XParseResult parsed = parseXFile(bytes);
  if (!parsed.document) {
    XTreeResult refused{std::nullopt, {}, parsed.failure};
    if (parsed.compressed) {
      refused.messages.push_back(
          XMessage{std::string(kCompressedXFileText), std::string(kAccessoryLoadCaption)});
    }
    return refused;
  }
  return buildXFrameTree(*parsed.document);
}

void registerXTextures(XFrameNode& node, const std::filesystem::path& folder,
                       const XTextureRegistrar& registerTexture) {
  for (XMaterialSlot& material : node.materials) {
    if (material.textureName.empty()) {
      continue;
    }
    if (registerTexture(material.textureName, folder)) {
      node.textureFolder = folder;
    } else if (material.textureName != kScreenCaptureTexture) {
      material.textureName.clear();
    }
  }
  for (XFrameNode& child : node.children) {
    registerXTextures(child, folder, registerTexture);
  }
}

}  // namespace zv
