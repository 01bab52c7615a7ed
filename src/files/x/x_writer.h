// Writing X files in the text and the binary format, for the prop generator and for tests that
// need the same prop in every format. Only the templates the reader uses are written.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/x/x_frame_tree.h"
#include "scene/document/math.h"

namespace zv {

struct XFileMaterial {
  XColour faceColour{1, 1, 1, 1};
  float power = 0;
  Vec3 specular;
  Vec3 emissive;
  std::string textureName;  // CP932; empty writes no TextureFilename
};

struct XFileMesh {
  std::string name;  // an identifier, or empty for an unnamed mesh
  std::vector<Vec3> positions;
  std::vector<std::vector<std::uint32_t>> faces;    // vertex indices of each face
  std::vector<XFileMaterial> materials;             // none writes no MeshMaterialList
  std::vector<std::uint32_t> faceMaterials;         // one per face; empty assigns material 0 to all
  std::vector<Vec3> normals;                        // none writes no MeshNormals
  std::vector<std::array<float, 2>> textureCoords;  // none writes no MeshTextureCoords
};

struct XFileFrame {
  std::string name;
  std::optional<Mat4> matrix;  // as the file holds it (right-handed); none writes no FrameTransformMatrix
  std::vector<XFileFrame> frames;
  std::vector<XFileMesh> meshes;
};

struct XFileContent {
  std::vector<XFileFrame> frames;
  std::vector<XFileMesh> meshes;  // top-level meshes, after the frames
};

std::string formatXText(const XFileContent& content);

// `floatBits` is 32 or 64.
std::string formatXBinary(const XFileContent& content, int floatBits);

}  // namespace zv
