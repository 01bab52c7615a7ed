// Writes the sample prop, a floor lamp, into a folder (default UserFile/Accessory): lamp.x (text
// X file), lamp_binary.x (the same lamp as a binary X file), lamp.vac (a descriptor placing it
// beside the demo character with a ground shadow) and lamp_wood.tga (the base's texture). The
// shade is translucent and has a glowing bulb as a second material.
//
// Usage: gen_demo_prop [output folder] [--corpus folder]
// With --corpus it also writes the lamp's descriptor as a fuzzing seed for the prop readers; their X
// file seeds, kept small, come from gen_fuzz_seeds.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <string_view>

#include "files/common/atomic_write.h"
#include "files/image/tga_writer.h"
#include "files/x/vac_descriptor.h"
#include "files/x/x_writer.h"

namespace {

using zv::Vec3;
using zv::XFileMaterial;
using zv::XFileMesh;

constexpr int kSides = 8;
constexpr float kBaseRadius = 0.35f;
constexpr float kBaseHeight = 0.05f;
constexpr float kPoleHalfWidth = 0.02f;
constexpr float kPoleHeight = 1.4f;
constexpr float kShadeBottomRadius = 0.34f;
constexpr float kShadeTopRadius = 0.2f;
constexpr float kShadeHeight = 0.3f;
constexpr float kShadeLift = 1.3f;
constexpr float kBulbHalfSize = 0.06f;
constexpr int kTextureSide = 64;

// Adds a flat polygon with its own vertices, wound clockwise as seen from the side `normal` points
// to (the front face of the left-handed scene), whatever order the corners come in.
void addFace(XFileMesh& mesh, std::vector<Vec3> corners, Vec3 normal, std::uint32_t material,
             const std::vector<std::array<float, 2>>& coords) {
  Vec3 wound = zv::cross(corners[1] - corners[0], corners[2] - corners[1]);
  bool reverse = zv::dot(wound, normal) < 0;
  std::vector<std::uint32_t> face;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    std::size_t corner = reverse ? corners.size() - 1 - i : i;
    face.push_back(static_cast<std::uint32_t>(mesh.positions.size()));
    mesh.positions.push_back(corners[corner]);
    mesh.normals.push_back(zv::normalised(normal));
    mesh.textureCoords.push_back(coords.empty() ? std::array<float, 2>{0, 0} : coords[corner]);
  }
  mesh.faces.push_back(face);
  mesh.faceMaterials.push_back(material);
}

Vec3 ring(float radius, float y, int side) {
  float angle = 2 * std::numbers::pi_v<float> * static_cast<float>(side) / kSides;
  return {radius * std::cos(angle), y, radius * std::sin(angle)};
}

// Sides of a frustum from `bottom` to `top` radius; `bothSides` adds inward faces for open shells.
void addFrustum(XFileMesh& mesh, float bottom, float top, float y0, float y1, std::uint32_t material,
                bool bothSides) {
  for (int side = 0; side < kSides; ++side) {
    std::vector<Vec3> corners{ring(bottom, y0, side), ring(bottom, y0, side + 1), ring(top, y1, side + 1),
                              ring(top, y1, side)};
    Vec3 middle = (corners[0] + corners[1] + corners[2] + corners[3]) * 0.25f;
    Vec3 outward = zv::cross(corners[1] - corners[0], corners[3] - corners[0]);
    if (zv::dot(outward, Vec3{middle.x, 0, middle.z}) < 0) {
      outward = outward * -1.0f;
    }
    float u0 = static_cast<float>(side) / kSides;
    float u1 = static_cast<float>(side + 1) / kSides;
    std::vector<std::array<float, 2>> coords{{u0, 1}, {u1, 1}, {u1, 0}, {u0, 0}};
    addFace(mesh, corners, outward, material, coords);
    if (bothSides) {
      addFace(mesh, corners, outward * -1.0f, material, coords);
    }
  }
}

void addDisc(XFileMesh& mesh, float radius, float y, Vec3 normal, std::uint32_t material) {
  std::vector<Vec3> corners;
  std::vector<std::array<float, 2>> coords;
  for (int side = 0; side < kSides; ++side) {
    corners.push_back(ring(radius, y, side));
    coords.push_back({0.5f + corners.back().x / (2 * radius), 0.5f + corners.back().z / (2 * radius)});
  }
  addFace(mesh, corners, normal, material, coords);
}

void addBox(XFileMesh& mesh, Vec3 low, Vec3 high, std::uint32_t material) {
  for (int axis = 0; axis < 3; ++axis) {
    for (float sign : {-1.0f, 1.0f}) {
      auto pick = [&](int a, float s) { return s < 0 ? (&low.x)[a] : (&high.x)[a]; };
      int u = (axis + 1) % 3;
      int v = (axis + 2) % 3;
      std::vector<Vec3> corners;
      for (auto [su, sv] : {std::pair{-1.0f, -1.0f}, {1.0f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.0f}}) {
        Vec3 corner;
        (&corner.x)[axis] = pick(axis, sign);
        (&corner.x)[u] = pick(u, su);
        (&corner.x)[v] = pick(v, sv);
        corners.push_back(corner);
      }
      Vec3 normal;
      (&normal.x)[axis] = sign;
      addFace(mesh, corners, normal, material, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    }
  }
}

XFileMaterial material(zv::XColour colour, float power, Vec3 specular, Vec3 emissive,
                       std::string texture = "") {
  return XFileMaterial{colour, power, specular, emissive, std::move(texture)};
}

zv::XFileFrame frameAt(std::string name, Vec3 offset, XFileMesh mesh) {
  zv::XFileFrame frame;
  frame.name = std::move(name);
  frame.matrix = zv::translation(offset);
  frame.meshes.push_back(std::move(mesh));
  return frame;
}

zv::XFileContent lamp() {
  XFileMesh base;
  base.name = "BaseDisc";
  base.materials = {
      material({0.85f, 0.7f, 0.5f, 1}, 5, {0.1f, 0.1f, 0.1f}, {0.15f, 0.12f, 0.08f}, "lamp_wood.tga")};
  addFrustum(base, kBaseRadius, kBaseRadius, 0, kBaseHeight, 0, false);
  addDisc(base, kBaseRadius, kBaseHeight, {0, 1, 0}, 0);
  addDisc(base, kBaseRadius, 0, {0, -1, 0}, 0);

  XFileMesh pole;
  pole.name = "PoleRod";
  pole.materials = {material({0.55f, 0.57f, 0.6f, 1}, 40, {0.9f, 0.9f, 0.9f}, {0.05f, 0.05f, 0.06f})};
  addBox(pole, {-kPoleHalfWidth, 0, -kPoleHalfWidth}, {kPoleHalfWidth, kPoleHeight, kPoleHalfWidth}, 0);

  XFileMesh shade;
  shade.name = "ShadeCone";
  shade.materials = {material({1.0f, 0.93f, 0.75f, 0.6f}, 0, {0, 0, 0}, {0.35f, 0.3f, 0.2f}),
                     material({1.0f, 0.95f, 0.6f, 1}, 0, {0, 0, 0}, {1.0f, 0.9f, 0.5f})};
  addFrustum(shade, kShadeBottomRadius, kShadeTopRadius, 0, kShadeHeight, 0, true);
  addBox(shade, {-kBulbHalfSize, 0.05f, -kBulbHalfSize},
         {kBulbHalfSize, 0.05f + 2 * kBulbHalfSize, kBulbHalfSize}, 1);

  zv::XFileFrame root;
  root.name = "Lamp";
  root.matrix = zv::Mat4{};
  root.frames.push_back(frameAt("Base", {0, 0, 0}, std::move(base)));
  root.frames.push_back(frameAt("Pole", {0, kBaseHeight, 0}, std::move(pole)));
  root.frames.push_back(frameAt("Shade", {0, kShadeLift, 0}, std::move(shade)));
  zv::XFileContent content;
  content.frames.push_back(std::move(root));
  return content;
}

// Warm wood with darker rings around a knot off the centre.
zv::RgbaImage woodTexture() {
  zv::RgbaImage image = zv::makeImage(kTextureSide, kTextureSide, 32);
  for (int y = 0; y < kTextureSide; ++y) {
    for (int x = 0; x < kTextureSide; ++x) {
      float dx = static_cast<float>(x) - 22.5f;
      float dy = (static_cast<float>(y) - 40.5f) * 0.6f;
      float rings = 0.5f + 0.5f * std::sin(std::sqrt(dx * dx + dy * dy) * 0.9f);
      std::uint8_t* pixel = image.at(x, y);
      pixel[0] = static_cast<std::uint8_t>(190 - 50 * rings);
      pixel[1] = static_cast<std::uint8_t>(140 - 45 * rings);
      pixel[2] = static_cast<std::uint8_t>(90 - 35 * rings);
      pixel[3] = 255;
    }
  }
  return image;
}

bool write(const std::filesystem::path& file, std::string_view bytes) {
  if (!zv::writeFileAtomically(file, bytes)) {
    std::fprintf(stderr, "gen_demo_prop: cannot write %s\n", file.string().c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path folder = "UserFile/Accessory";
  std::filesystem::path corpus;
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "--corpus" && i + 1 < argc) {
      corpus = argv[++i];
    } else {
      folder = argument;
    }
  }
  zv::XFileContent content = lamp();
  zv::VacDescriptor descriptor{"lamp.x", 1.0f, {8, 0, 2}, {0, 0, 0}, true};
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  bool written = write(folder / "lamp.x", zv::formatXText(content)) &&
                 write(folder / "lamp_binary.x", zv::formatXBinary(content, 32)) &&
                 write(folder / "lamp.vac", zv::formatVacDescriptor(descriptor, "Floor lamp")) &&
                 write(folder / "lamp_wood.tga", zv::encodeTga32(woodTexture()));
  if (written && !corpus.empty()) {
    std::filesystem::create_directories(corpus, error);
    written = write(corpus / "lamp.vac", zv::formatVacDescriptor(descriptor, "Floor lamp"));
  }
  return written ? 0 : 1;
}
