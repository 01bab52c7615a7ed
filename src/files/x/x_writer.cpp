#include "files/x/x_writer.h"

#include <charconv>
#include <cstring>

namespace zv {
namespace {

// Shortest text that reads back as the same float, always with a decimal point.
std::string number(float value) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  std::string text(buffer, error == std::errc() ? end : buffer);
  if (text.find('.') == std::string::npos && text.find_first_of("ni") == std::string::npos) {
    text += ".0";
  }
  return text;
}

class TextWriter {
 public:
  std::string finish() { return std::move(out_); }

  void header() { out_ += "xof 0303txt 0032\n"; }

  void frame(const XFileFrame& frame, int depth) {
    open("Frame", frame.name, depth);
    if (frame.matrix) {
      open("FrameTransformMatrix", "", depth + 1);
      indent(depth + 2);
      for (int i = 0; i < 16; ++i) {
        out_ += number(frame.matrix->m[i / 4][i % 4]) + (i < 15 ? "," : ";;\n");
      }
      close(depth + 1);
    }
    for (const XFileFrame& child : frame.frames) {
      this->frame(child, depth + 1);
    }
    for (const XFileMesh& mesh : frame.meshes) {
      this->mesh(mesh, depth + 1);
    }
    close(depth);
  }

  void mesh(const XFileMesh& mesh, int depth) {
    open("Mesh", mesh.name, depth);
    vectors(mesh.positions, depth + 1);
    faces(mesh.faces, depth + 1);
    if (!mesh.materials.empty()) {
      materialList(mesh, depth + 1);
    }
    if (!mesh.normals.empty()) {
      open("MeshNormals", "", depth + 1);
      vectors(mesh.normals, depth + 2);
      faces(mesh.faces, depth + 2);
      close(depth + 1);
    }
    if (!mesh.textureCoords.empty()) {
      open("MeshTextureCoords", "", depth + 1);
      line(std::to_string(mesh.textureCoords.size()) + ";", depth + 2);
      for (std::size_t i = 0; i < mesh.textureCoords.size(); ++i) {
        const auto& [u, v] = mesh.textureCoords[i];
        line(number(u) + ";" + number(v) + ";" + separator(i, mesh.textureCoords.size()), depth + 2);
      }
      close(depth + 1);
    }
    close(depth);
  }

 private:
  static std::string separator(std::size_t index, std::size_t count) { return index + 1 < count ? "," : ";"; }

  void indent(int depth) { out_.append(static_cast<std::size_t>(depth) * 1, ' '); }

  void line(const std::string& text, int depth) {
    indent(depth);
    out_ += text + "\n";
  }

  void open(std::string_view templateName, std::string_view name, int depth) {
    indent(depth);
    out_ += std::string(templateName) + (name.empty() ? "" : " " + std::string(name)) + " {\n";
  }

  void close(int depth) { line("}", depth); }

  void vectors(const std::vector<Vec3>& list, int depth) {
    line(std::to_string(list.size()) + ";", depth);
    for (std::size_t i = 0; i < list.size(); ++i) {
      const Vec3& v = list[i];
      line(number(v.x) + ";" + number(v.y) + ";" + number(v.z) + ";" + separator(i, list.size()), depth);
    }
  }

  void faces(const std::vector<std::vector<std::uint32_t>>& list, int depth) {
    line(std::to_string(list.size()) + ";", depth);
    for (std::size_t i = 0; i < list.size(); ++i) {
      std::string text = std::to_string(list[i].size()) + ";";
      for (std::size_t k = 0; k < list[i].size(); ++k) {
        text += std::to_string(list[i][k]) + (k + 1 < list[i].size() ? "," : ";");
      }
      line(text + separator(i, list.size()), depth);
    }
  }

  void materialList(const XFileMesh& mesh, int depth) {
    open("MeshMaterialList", "", depth);
    line(std::to_string(mesh.materials.size()) + ";", depth + 1);
    line(std::to_string(mesh.faces.size()) + ";", depth + 1);
    std::string indices;
    for (std::size_t i = 0; i < mesh.faces.size(); ++i) {
      indices += std::to_string(mesh.faceMaterials.empty() ? 0 : mesh.faceMaterials[i]) +
                 (i + 1 < mesh.faces.size() ? "," : ";");
    }
    line(indices + ";", depth + 1);
    for (const XFileMaterial& material : mesh.materials) {
      open("Material", "", depth + 1);
      const XColour& c = material.faceColour;
      line(number(c.r) + ";" + number(c.g) + ";" + number(c.b) + ";" + number(c.a) + ";;", depth + 2);
      line(number(material.power) + ";", depth + 2);
      for (const Vec3& colour : {material.specular, material.emissive}) {
        line(number(colour.x) + ";" + number(colour.y) + ";" + number(colour.z) + ";;", depth + 2);
      }
      if (!material.textureName.empty()) {
        open("TextureFilename", "", depth + 2);
        line("\"" + material.textureName + "\";", depth + 3);
        close(depth + 2);
      }
      close(depth + 1);
    }
    close(depth);
  }

  std::string out_;
};

// Binary token codes.
enum : std::uint16_t {
  kTokenName = 1,
  kTokenString = 2,
  kTokenIntegerList = 6,
  kTokenFloatList = 7,
  kTokenOpenBrace = 10,
  kTokenCloseBrace = 11,
  kTokenSemicolon = 20,
};

class BinaryWriter {
 public:
  explicit BinaryWriter(int floatBits) : floatBits_(floatBits) {}
  std::string finish() { return std::move(out_); }

  void header() { out_ += floatBits_ == 64 ? "xof 0303bin 0064" : "xof 0303bin 0032"; }

  void frame(const XFileFrame& frame) {
    open("Frame", frame.name);
    if (frame.matrix) {
      open("FrameTransformMatrix", "");
      floats(std::vector<float>(&frame.matrix->m[0][0], &frame.matrix->m[0][0] + 16));
      word(kTokenCloseBrace);
    }
    for (const XFileFrame& child : frame.frames) {
      this->frame(child);
    }
    for (const XFileMesh& mesh : frame.meshes) {
      this->mesh(mesh);
    }
    word(kTokenCloseBrace);
  }

  void mesh(const XFileMesh& mesh) {
    open("Mesh", mesh.name);
    vectors(mesh.positions);
    faces(mesh.faces);
    if (!mesh.materials.empty()) {
      materialList(mesh);
    }
    if (!mesh.normals.empty()) {
      open("MeshNormals", "");
      vectors(mesh.normals);
      faces(mesh.faces);
      word(kTokenCloseBrace);
    }
    if (!mesh.textureCoords.empty()) {
      open("MeshTextureCoords", "");
      integers({static_cast<std::uint32_t>(mesh.textureCoords.size())});
      std::vector<float> values;
      for (const auto& [u, v] : mesh.textureCoords) {
        values.insert(values.end(), {u, v});
      }
      floats(values);
      word(kTokenCloseBrace);
    }
    word(kTokenCloseBrace);
  }

 private:
  void word(std::uint16_t value) { out_.append(reinterpret_cast<const char*>(&value), 2); }
  void dword(std::uint32_t value) { out_.append(reinterpret_cast<const char*>(&value), 4); }

  void text(std::uint16_t token, std::string_view text) {
    word(token);
    dword(static_cast<std::uint32_t>(text.size()));
    out_ += text;
  }

  void open(std::string_view templateName, std::string_view name) {
    text(kTokenName, templateName);
    if (!name.empty()) {
      text(kTokenName, name);
    }
    word(kTokenOpenBrace);
  }

  void integers(const std::vector<std::uint32_t>& values) {
    word(kTokenIntegerList);
    dword(static_cast<std::uint32_t>(values.size()));
    for (std::uint32_t value : values) {
      dword(value);
    }
  }

  void floats(const std::vector<float>& values) {
    word(kTokenFloatList);
    dword(static_cast<std::uint32_t>(values.size()));
    for (float value : values) {
      if (floatBits_ == 64) {
        double wide = value;
        out_.append(reinterpret_cast<const char*>(&wide), 8);
      } else {
        out_.append(reinterpret_cast<const char*>(&value), 4);
      }
    }
  }

  void vectors(const std::vector<Vec3>& list) {
    integers({static_cast<std::uint32_t>(list.size())});
    std::vector<float> values;
    for (const Vec3& v : list) {
      values.insert(values.end(), {v.x, v.y, v.z});
    }
    floats(values);
  }

  void faces(const std::vector<std::vector<std::uint32_t>>& list) {
    std::vector<std::uint32_t> values{static_cast<std::uint32_t>(list.size())};
    for (const auto& face : list) {
      values.push_back(static_cast<std::uint32_t>(face.size()));
      values.insert(values.end(), face.begin(), face.end());
    }
    integers(values);
  }

  void materialList(const XFileMesh& mesh) {
    open("MeshMaterialList", "");
    std::vector<std::uint32_t> values{static_cast<std::uint32_t>(mesh.materials.size()),
                                      static_cast<std::uint32_t>(mesh.faces.size())};
    for (std::size_t i = 0; i < mesh.faces.size(); ++i) {
      values.push_back(mesh.faceMaterials.empty() ? 0 : mesh.faceMaterials[i]);
    }
    integers(values);
    for (const XFileMaterial& material : mesh.materials) {
      open("Material", "");
      const XColour& c = material.faceColour;
      floats({c.r, c.g, c.b, c.a, material.power, material.specular.x, material.specular.y,
              material.specular.z, material.emissive.x, material.emissive.y, material.emissive.z});
      if (!material.textureName.empty()) {
        open("TextureFilename", "");
        text(kTokenString, material.textureName);
        word(kTokenSemicolon);
        word(kTokenCloseBrace);
      }
      word(kTokenCloseBrace);
    }
    word(kTokenCloseBrace);
  }

  int floatBits_;
  std::string out_;
};

}  // namespace

std::string formatXText(const XFileContent& content) {
  TextWriter writer;
  writer.header();
  for (const XFileFrame& frame : content.frames) {
    writer.frame(frame, 0);
  }
  for (const XFileMesh& mesh : content.meshes) {
    writer.mesh(mesh, 0);
  }
  return writer.finish();
}

std::string formatXBinary(const XFileContent& content, int floatBits) {
  BinaryWriter writer(floatBits);
  writer.header();
  for (const XFileFrame& frame : content.frames) {
    writer.frame(frame);
  }
  for (const XFileMesh& mesh : content.meshes) {
    writer.mesh(mesh);
  }
  return writer.finish();
}

}  // namespace zv
