// Writes our demo character "テセラ" (tessera.tsm) with its two textures (cloth.bmp, eye.tga):
// a stylised humanoid built from ellipsoids and tapered tubes, with a standard skeleton, knee IK,
// linked eyes and face morphs in all four groups.
//
// Usage: gen_demo_model [output folder, default UserFile/Model] [--corpus folder]
// With --corpus it also writes small fuzzing seeds: a one-triangle model and a small rig that has
// every list the reader knows. A whole character would raise the fuzzer's input size limit to its
// own size and slow every run for no new path.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "files/common/atomic_write.h"
#include "files/image/bmp_image.h"
#include "files/image/bmp_writer.h"
#include "files/image/tga_writer.h"
#include "files/model/model_file_writer.h"
#include "scene/document/math.h"

namespace {

using zv::Vec3;

// The model as built: a file description with UTF-8 texts, and each material's triangles apart
// until the index list is joined from them.
struct Character : zv::ModelFile {
  std::vector<std::vector<std::uint16_t>> materialIndices;
};

// Joins the materials' triangles into the file's index list, in material order, and gives the
// description its CP932 texts.
zv::ModelFile finished(Character c) {
  for (std::size_t m = 0; m < c.materials.size(); ++m) {
    const std::vector<std::uint16_t>& run = c.materialIndices[m];
    c.indices.insert(c.indices.end(), run.begin(), run.end());
    c.materials[m].indexCount = static_cast<std::uint32_t>(run.size());
  }
  zv::ModelFile file = std::move(c);
  zv::convertModelTextsFromUtf8(file);
  return file;
}

// ---- Shapes ------------------------------------------------------------------------------------

// A tube belongs to `bone` and blends into `before` over its first fifth and into `after` over its
// last fifth, so joints bend smoothly; pass `bone` itself for an end that does not blend.
struct TubeBones {
  std::uint16_t bone = 0;
  std::uint16_t before = 0;
  std::uint16_t after = 0;
};

constexpr float kBlendLength = 0.2f;

void bindAlongTube(zv::ModelFileVertex& v, const TubeBones& bones, float t) {
  v.firstBone = v.secondBone = bones.bone;
  v.weight = 100;
  if (t < kBlendLength && bones.before != bones.bone) {
    v.secondBone = bones.before;
    v.weight = static_cast<std::uint8_t>(50 + 50 * t / kBlendLength);
  } else if (t > 1 - kBlendLength && bones.after != bones.bone) {
    v.secondBone = bones.after;
    v.weight = static_cast<std::uint8_t>(50 + 50 * (1 - t) / kBlendLength);
  }
}

struct ShapeStyle {
  int material = 0;
  bool noEdge = false;
  bool planarUv = false;  // u, v across the front (eyes); otherwise around and along
};

class Builder {
 public:
  Builder(Character& character, int detail) : c_(character), detail_(detail) {}

  // Ring and slice counts for the chosen detail (4 is the full demo).
  int scaled(int base) const { return std::max(3, base * detail_ / 4); }

  // Ellipsoid between polar angles theta0..theta1 (0 = top); returns its first vertex index.
  std::uint32_t ellipsoid(Vec3 centre, Vec3 radii, float theta0, float theta1, int rings, int slices,
                          std::uint16_t bone, ShapeStyle style) {
    const auto first = static_cast<std::uint32_t>(c_.vertices.size());
    for (int r = 0; r <= rings; ++r) {
      const float theta = theta0 + (theta1 - theta0) * static_cast<float>(r) / static_cast<float>(rings);
      for (int s = 0; s <= slices; ++s) {
        const float phi = 2 * std::numbers::pi_v<float> * static_cast<float>(s) / static_cast<float>(slices);
        const Vec3 unit{std::sin(theta) * std::sin(phi), std::cos(theta), -std::sin(theta) * std::cos(phi)};
        zv::ModelFileVertex v;
        v.position = {centre.x + radii.x * unit.x, centre.y + radii.y * unit.y, centre.z + radii.z * unit.z};
        v.normal = zv::normalised({unit.x / radii.x, unit.y / radii.y, unit.z / radii.z});
        if (style.planarUv) {
          v.u = 0.5f + unit.x * 0.5f;
          v.v = 0.5f - unit.y * 0.5f;
        } else {
          v.u = static_cast<float>(s) / static_cast<float>(slices);
          v.v = static_cast<float>(r) / static_cast<float>(rings);
        }
        v.firstBone = v.secondBone = bone;
        v.noEdge = style.noEdge ? 1 : 0;
        c_.vertices.push_back(v);
      }
    }
    grid(first, rings, slices, style.material);
    return first;
  }

  // Open tapered tube from `from` to `to`; the joints are covered by neighbouring shapes.
  void tube(Vec3 from, Vec3 to, float radiusFrom, float radiusTo, int rings, int slices,
            const TubeBones& bones, ShapeStyle style) {
    const auto first = static_cast<std::uint32_t>(c_.vertices.size());
    const Vec3 axis = zv::normalised(to - from);
    const Vec3 helper = std::fabs(axis.y) > 0.9f ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    const Vec3 side = zv::normalised(zv::cross(helper, axis));
    const Vec3 up = zv::cross(axis, side);
    for (int r = 0; r <= rings; ++r) {
      const float t = static_cast<float>(r) / static_cast<float>(rings);
      const float radius = radiusFrom + (radiusTo - radiusFrom) * t;
      const Vec3 centre = from + (to - from) * t;
      for (int s = 0; s <= slices; ++s) {
        const float phi = 2 * std::numbers::pi_v<float> * static_cast<float>(s) / static_cast<float>(slices);
        const Vec3 normal = side * std::cos(phi) + up * std::sin(phi);
        zv::ModelFileVertex v;
        v.position = centre + normal * radius;
        v.normal = normal;
        v.u = static_cast<float>(s) / static_cast<float>(slices);
        v.v = t;
        bindAlongTube(v, bones, t);
        v.noEdge = style.noEdge ? 1 : 0;
        c_.vertices.push_back(v);
      }
    }
    grid(first, rings, slices, style.material);
  }

 private:
  // Two triangles per grid cell, wound clockwise as seen from outside (the side the normals face).
  void grid(std::uint32_t first, int rings, int slices, int material) {
    const auto stride = static_cast<std::uint32_t>(slices + 1);
    for (int r = 0; r < rings; ++r) {
      for (int s = 0; s < slices; ++s) {
        const std::uint32_t a =
            first + static_cast<std::uint32_t>(r) * stride + static_cast<std::uint32_t>(s);
        triangle(material, a, a + 1, a + stride);
        triangle(material, a + 1, a + stride + 1, a + stride);
      }
    }
  }

  void triangle(int material, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    const Vec3 pa = c_.vertices[a].position, pb = c_.vertices[b].position, pc = c_.vertices[c].position;
    const Vec3 facing = zv::cross(pb - pa, pc - pa);
    if (zv::length(facing) < 1e-9f) {
      return;  // collapsed cell at a pole
    }
    const Vec3 outward = c_.vertices[a].normal + c_.vertices[b].normal + c_.vertices[c].normal;
    auto& indices = c_.materialIndices[static_cast<std::size_t>(material)];
    indices.push_back(static_cast<std::uint16_t>(a));
    if (zv::dot(facing, outward) >= 0) {
      indices.push_back(static_cast<std::uint16_t>(b));
      indices.push_back(static_cast<std::uint16_t>(c));
    } else {
      indices.push_back(static_cast<std::uint16_t>(c));
      indices.push_back(static_cast<std::uint16_t>(b));
    }
  }

  Character& c_;
  int detail_;
};

// ---- The character -----------------------------------------------------------------------------

enum MaterialSlot { kSkin, kHair, kTop, kSkirt, kShoes, kEyes, kMouth, kBrows };

std::vector<zv::ModelFileMaterial> demoMaterials() {
  auto material = [](Vec3 diffuse, std::int8_t toon, std::uint8_t edge, std::string texture) {
    zv::ModelFileMaterial m;
    m.diffuse = diffuse;
    m.power = 8.0f;
    m.specular = {0.15f, 0.15f, 0.15f};
    m.ambient = diffuse * 0.5f;
    m.toon = toon;
    m.edge = edge;
    m.texture = std::move(texture);
    return m;
  };
  return {material({1.0f, 0.86f, 0.78f}, 0, 1, ""),        material({0.35f, 0.25f, 0.55f}, 1, 1, ""),
          material({1.0f, 1.0f, 1.0f}, 2, 1, "cloth.bmp"), material({0.2f, 0.3f, 0.6f}, 2, 1, ""),
          material({0.3f, 0.2f, 0.15f}, 3, 1, ""),         material({1.0f, 1.0f, 1.0f}, -1, 0, "eye.tga"),
          material({0.7f, 0.25f, 0.3f}, -1, 0, ""),        material({0.25f, 0.18f, 0.4f}, -1, 0, "")};
}

struct Skeleton {
  std::uint16_t centre, upperBody, neck, head, bothEyes, leftEye, rightEye, lowerBody;
  struct Arm {
    std::uint16_t shoulder, arm, elbow, wrist;
  } arms[2];
  struct Leg {
    std::uint16_t leg, knee, ankle, ik;
  } legs[2];
};

std::uint16_t addBone(Character& c, std::string name, int parent, Vec3 head, std::uint8_t type = 0) {
  const auto index = static_cast<std::uint16_t>(c.bones.size());
  c.bones.push_back({std::move(name), static_cast<std::int16_t>(parent), index, type, 0, head});
  return index;
}

// Left is +X: the character faces -Z, towards the default camera.
Vec3 side(Vec3 v, int s) {
  return {s == 0 ? v.x : -v.x, v.y, v.z};
}

Skeleton demoSkeleton(Character& c) {
  Skeleton k{};
  k.centre = addBone(c, "センター", -1, {0, 8.5f, 0}, 1);
  k.upperBody = addBone(c, "上半身", k.centre, {0, 10.3f, 0});
  k.neck = addBone(c, "首", k.upperBody, {0, 15.3f, 0});
  k.head = addBone(c, "頭", k.neck, {0, 16.3f, 0});
  const std::uint16_t headTip = addBone(c, "頭先", k.head, {0, 19.3f, 0}, 7);
  k.bothEyes = addBone(c, "両目", k.head, {0, 17.55f, -1.4f});
  k.leftEye = addBone(c, "左目", k.head, {0.55f, 17.55f, -1.38f}, 5);
  k.rightEye = addBone(c, "右目", k.head, {-0.55f, 17.55f, -1.38f}, 5);
  c.bones[k.leftEye].linked = c.bones[k.rightEye].linked = k.bothEyes;
  c.bones[k.centre].tail = k.upperBody;
  c.bones[k.upperBody].tail = k.neck;
  c.bones[k.neck].tail = k.head;
  c.bones[k.head].tail = headTip;
  for (int s = 0; s < 2; ++s) {
    const std::string lr = s == 0 ? "左" : "右";
    Skeleton::Arm& a = k.arms[s];
    a.shoulder = addBone(c, lr + "肩", k.upperBody, side({0.5f, 15.0f, 0}, s));
    a.arm = addBone(c, lr + "腕", a.shoulder, side({1.8f, 14.9f, 0}, s));
    a.elbow = addBone(c, lr + "ひじ", a.arm, side({3.4f, 12.3f, 0}, s));
    a.wrist = addBone(c, lr + "手首", a.elbow, side({4.9f, 9.9f, 0}, s));
    const std::uint16_t tip = addBone(c, lr + "手先", a.wrist, side({5.4f, 9.0f, 0}, s), 7);
    c.bones[a.shoulder].tail = a.arm;
    c.bones[a.arm].tail = a.elbow;
    c.bones[a.elbow].tail = a.wrist;
    c.bones[a.wrist].tail = tip;
  }
  k.lowerBody = addBone(c, "下半身", k.centre, {0, 10.3f, 0});
  c.bones[k.lowerBody].tail = k.centre;
  std::uint16_t toes[2];
  for (int s = 0; s < 2; ++s) {
    const std::string lr = s == 0 ? "左" : "右";
    Skeleton::Leg& l = k.legs[s];
    // The IK chain's joints reset their IK rotation every pose (type 4).
    l.leg = addBone(c, lr + "足", k.lowerBody, side({1.0f, 9.6f, 0}, s), 4);
    l.knee = addBone(c, lr + "ひざ", l.leg, side({1.1f, 5.3f, 0}, s), 4);
    l.ankle = addBone(c, lr + "足首", l.knee, side({1.2f, 1.2f, 0}, s));
    toes[s] = addBone(c, lr + "つま先", l.ankle, side({1.2f, 0.1f, -1.3f}, s), 7);
    c.bones[l.leg].tail = l.knee;
    c.bones[l.knee].tail = l.ankle;
    c.bones[l.ankle].tail = toes[s];
  }
  for (int s = 0; s < 2; ++s) {
    Skeleton::Leg& l = k.legs[s];
    l.ik = addBone(c, std::string(s == 0 ? "左" : "右") + "足ＩＫ", -1, side({1.2f, 1.2f, 0}, s), 2);
    c.bones[l.ik].tail = toes[s];
    c.ikChains.push_back({l.ik, l.ankle, {l.knee, l.leg}, 40, 0.5f});
  }
  return k;
}

// Vertices of one face part, for the morphs.
struct FacePart {
  std::uint32_t first = 0;
  std::uint32_t end = 0;
  Vec3 centre;
  Vec3 radii;
};

struct Face {
  FacePart eyes[2], brows[2], mouth;
};

Face demoBody(Character& c, const Skeleton& k, int detail) {
  Builder b(c, detail);
  constexpr float kPi = std::numbers::pi_v<float>;
  const ShapeStyle skin{kSkin}, hair{kHair}, top{kTop}, skirt{kSkirt}, shoes{kShoes};
  b.ellipsoid({0, 17.4f, 0}, {1.55f, 1.8f, 1.6f}, 0, kPi, b.scaled(14), b.scaled(20), k.head, skin);
  b.ellipsoid({0, 17.65f, 0.15f}, {1.7f, 1.85f, 1.75f}, 0, 1.2f, b.scaled(6), b.scaled(20), k.head, hair);
  b.tube({0, 18.0f, 0.9f}, {0, 15.2f, 1.3f}, 1.3f, 0.9f, b.scaled(4), b.scaled(16), {k.head, k.head, k.head},
         hair);
  b.tube({0, 15.2f, 0}, {0, 16.4f, 0}, 0.5f, 0.45f, b.scaled(4), b.scaled(12), {k.neck, k.upperBody, k.head},
         skin);
  b.ellipsoid({0, 15.0f, 0}, {1.9f, 0.6f, 1.1f}, 0, kPi, b.scaled(8), b.scaled(16), k.upperBody, top);
  b.tube({0, 10.3f, 0}, {0, 15.0f, 0}, 1.25f, 1.5f, b.scaled(8), b.scaled(16),
         {k.upperBody, k.lowerBody, k.upperBody}, top);
  b.tube({0, 10.6f, 0}, {0, 7.4f, 0}, 1.3f, 2.1f, b.scaled(6), b.scaled(20),
         {k.lowerBody, k.upperBody, k.lowerBody}, skirt);
  for (int s = 0; s < 2; ++s) {
    const Skeleton::Arm& a = k.arms[s];
    const Vec3 shoulder = c.bones[a.arm].head, elbow = c.bones[a.elbow].head, wrist = c.bones[a.wrist].head;
    b.ellipsoid(shoulder, {0.5f, 0.5f, 0.5f}, 0, kPi, b.scaled(6), b.scaled(10), a.arm, top);
    b.tube(shoulder, elbow, 0.45f, 0.38f, b.scaled(6), b.scaled(10), {a.arm, a.shoulder, a.elbow}, top);
    b.ellipsoid(elbow, {0.38f, 0.38f, 0.38f}, 0, kPi, b.scaled(6), b.scaled(10), a.elbow, skin);
    b.tube(elbow, wrist, 0.38f, 0.3f, b.scaled(6), b.scaled(10), {a.elbow, a.arm, a.wrist}, skin);
    b.ellipsoid(side({5.25f, 9.35f, 0}, s), {0.3f, 0.55f, 0.22f}, 0, kPi, b.scaled(6), b.scaled(10), a.wrist,
                skin);
    const Skeleton::Leg& l = k.legs[s];
    const Vec3 hip = c.bones[l.leg].head, knee = c.bones[l.knee].head, ankle = c.bones[l.ankle].head;
    b.tube(hip, knee, 0.7f, 0.5f, b.scaled(8), b.scaled(12), {l.leg, k.lowerBody, l.knee}, skin);
    b.ellipsoid(knee, {0.5f, 0.5f, 0.5f}, 0, kPi, b.scaled(6), b.scaled(10), l.knee, skin);
    b.tube(knee, ankle, 0.5f, 0.35f, b.scaled(8), b.scaled(12), {l.knee, l.leg, l.ankle}, skin);
    b.ellipsoid(side({1.2f, 0.55f, -0.45f}, s), {0.45f, 0.55f, 1.0f}, 0, kPi, b.scaled(6), b.scaled(12),
                l.ankle, shoes);
  }

  Face face;
  auto part = [&](Vec3 centre, Vec3 radii, std::uint16_t bone, ShapeStyle style) {
    FacePart p{static_cast<std::uint32_t>(c.vertices.size()), 0, centre, radii};
    b.ellipsoid(centre, radii, 0, kPi, b.scaled(8), b.scaled(12), bone, style);
    p.end = static_cast<std::uint32_t>(c.vertices.size());
    return p;
  };
  for (int s = 0; s < 2; ++s) {
    face.eyes[s] = part(side({0.55f, 17.55f, -1.38f}, s), {0.3f, 0.4f, 0.2f}, s == 0 ? k.leftEye : k.rightEye,
                        {kEyes, true, true});
    face.brows[s] = part(side({0.55f, 18.15f, -1.35f}, s), {0.32f, 0.06f, 0.1f}, k.head, {kBrows, true});
  }
  face.mouth = part({0, 16.65f, -1.42f}, {0.3f, 0.1f, 0.1f}, k.head, {kMouth, true});
  return face;
}

// Offset of a face-part vertex at full weight, from its position relative to the part.
using Shaping = std::function<Vec3(Vec3 relative, Vec3 radii, Vec3 centre)>;

void demoMorphs(Character& c, const Face& face) {
  std::vector<const FacePart*> parts = {&face.eyes[0], &face.eyes[1], &face.brows[0], &face.brows[1],
                                        &face.mouth};
  zv::ModelFileMorph base{"base", 0, {}};
  std::vector<std::uint32_t> entryOf(c.vertices.size(), 0);
  for (const FacePart* p : parts) {
    for (std::uint32_t v = p->first; v < p->end; ++v) {
      entryOf[v] = static_cast<std::uint32_t>(base.vertices.size());
      base.vertices.push_back({v, c.vertices[v].position});
    }
  }
  c.morphs.push_back(base);
  auto morph = [&](std::string name, std::uint8_t category, std::vector<const FacePart*> moved,
                   Shaping shaping) {
    zv::ModelFileMorph m{std::move(name), category, {}};
    for (const FacePart* p : moved) {
      for (std::uint32_t v = p->first; v < p->end; ++v) {
        m.vertices.push_back({entryOf[v], shaping(c.vertices[v].position - p->centre, p->radii, p->centre)});
      }
    }
    c.morphList.push_back(static_cast<std::uint16_t>(c.morphs.size()));
    c.morphs.push_back(std::move(m));
  };
  const std::vector<const FacePart*> brows = {&face.brows[0], &face.brows[1]};
  const std::vector<const FacePart*> eyes = {&face.eyes[0], &face.eyes[1]};
  const std::vector<const FacePart*> mouth = {&face.mouth};
  // How near a brow vertex is to the brow's inner end (towards the nose), 0..1.
  auto inner = [](Vec3 r, Vec3 radii, Vec3 centre) {
    const float outward = centre.x >= 0 ? r.x : -r.x;
    return 0.5f - outward / (2 * radii.x);
  };
  morph("真面目", 1, brows, [&](Vec3 r, Vec3 radii, Vec3 centre) {
    return Vec3{0, -0.15f * inner(r, radii, centre), 0};
  });
  morph("困る", 1, brows, [&](Vec3 r, Vec3 radii, Vec3 centre) {
    const float i = inner(r, radii, centre);
    return Vec3{0, 0.15f * i - 0.08f * (1 - i), 0};
  });
  morph("上", 1, brows, [](Vec3, Vec3, Vec3) { return Vec3{0, 0.15f, 0}; });
  auto blink = [](Vec3 r, Vec3 radii, Vec3) { return Vec3{0, (-0.1f * radii.y - r.y) * 0.92f, -0.05f}; };
  morph("まばたき", 2, eyes, blink);
  morph("ウィンク", 2, {&face.eyes[0]}, blink);
  morph("笑い", 2, eyes, [](Vec3 r, Vec3, Vec3) { return Vec3{0, r.y < 0 ? -r.y * 0.8f : -r.y * 0.3f, 0}; });
  morph("あ", 3, mouth, [](Vec3 r, Vec3, Vec3) { return Vec3{0, r.y < 0 ? r.y * 2.5f : r.y * 0.3f, 0}; });
  morph("い", 3, mouth, [](Vec3 r, Vec3, Vec3) { return Vec3{r.x * 0.35f, -r.y * 0.3f, 0}; });
  morph("う", 3, mouth, [](Vec3 r, Vec3, Vec3) { return Vec3{-r.x * 0.45f, 0, -0.08f}; });
  morph("お", 3, mouth, [](Vec3 r, Vec3, Vec3) { return Vec3{-r.x * 0.25f, r.y * 1.8f, 0}; });
  morph("にやり", 4, mouth, [](Vec3 r, Vec3 radii, Vec3) {
    return Vec3{0, 0.12f * std::fabs(r.x) / radii.x, 0};
  });
  morph("口角下げ", 4, mouth, [](Vec3 r, Vec3 radii, Vec3) {
    return Vec3{0, -0.1f * std::fabs(r.x) / radii.x, 0};
  });
}

void demoTimelineLists(Character& c, const Skeleton& k) {
  c.groups = {"体(上)", "腕", "足"};
  for (std::uint16_t bone : {k.upperBody, k.neck, k.head, k.bothEyes}) {
    c.boneList.push_back({bone, 1});
  }
  for (const Skeleton::Arm& a : k.arms) {
    for (std::uint16_t bone : {a.shoulder, a.arm, a.elbow, a.wrist}) {
      c.boneList.push_back({bone, 2});
    }
  }
  c.boneList.push_back({k.lowerBody, 3});
  for (const Skeleton::Leg& l : k.legs) {
    for (std::uint16_t bone : {l.leg, l.knee, l.ankle, l.ik}) {
      c.boneList.push_back({bone, 3});
    }
  }
}

zv::ModelFile demoCharacter(int detail) {
  Character c;
  c.name = "テセラ";
  c.comment = "デモ用キャラクター「テセラ」\r\nTessera Scene Forge のサンプルです。";
  c.materials = demoMaterials();
  c.materialIndices.resize(c.materials.size());
  const Skeleton skeleton = demoSkeleton(c);
  const Face face = demoBody(c, skeleton, detail);
  demoMorphs(c, face);
  demoTimelineLists(c, skeleton);
  return finished(std::move(c));
}

zv::ModelFile oneTriangle() {
  Character c;
  c.name = "三角";
  c.materials = {zv::ModelFileMaterial{{1, 1, 1}, 1.0f, 5.0f, {}, {0.5f, 0.5f, 0.5f}, -1, 1, 0, ""}};
  c.materialIndices = {{0, 1, 2}};
  addBone(c, "センター", -1, {});
  for (Vec3 corner : {Vec3{0, 0, 0}, Vec3{0, 1, 0}, Vec3{1, 0, 0}}) {
    c.vertices.push_back({corner, {0, 0, -1}});
  }
  return finished(std::move(c));
}

// Two quads on a three-joint leg with knee IK, a linked bone, a textured material, a base morph
// and one of each other category, and bones in two groups: every list, each a few records long.
zv::ModelFile smallRig() {
  Character c;
  c.name = "リグ";
  c.comment = "seed";
  c.materials = {
      zv::ModelFileMaterial{{1, 0.5f, 0.5f}, 0.8f, 5.0f, {}, {0.5f, 0.5f, 0.5f}, 0, 1, 0, "cloth.bmp"},
      zv::ModelFileMaterial{{0.2f, 0.2f, 1}, 1.0f, 9.0f, {}, {0.1f, 0.1f, 0.1f}, -1, 0, 0, ""}};
  c.materialIndices = {{0, 1, 2, 2, 1, 3}, {4, 5, 6, 6, 5, 7}};
  const std::uint16_t centre = addBone(c, "センター", -1, {0, 4, 0}, 1);
  const std::uint16_t leg = addBone(c, "左足", centre, {0, 4, 0}, 4);
  const std::uint16_t knee = addBone(c, "左ひざ", leg, {0, 2, 0}, 4);
  const std::uint16_t ankle = addBone(c, "左足首", knee, {0, 0, 0});
  const std::uint16_t ik = addBone(c, "左足ＩＫ", -1, {0, 0, 0}, 2);
  const std::uint16_t follower = addBone(c, "左目", centre, {0, 5, 0}, 5);
  c.bones[leg].tail = knee;
  c.bones[knee].tail = ankle;
  c.bones[ik].tail = ankle;
  c.bones[follower].linked = centre;
  c.ikChains.push_back({ik, ankle, {knee, leg}, 15, 0.5f});
  for (int quad = 0; quad < 2; ++quad) {
    for (Vec3 corner : {Vec3{0, 4, 0}, Vec3{1, 4, 0}, Vec3{0, 2, 0}, Vec3{1, 2, 0}}) {
      zv::ModelFileVertex v{corner - Vec3{0, 2.0f * quad, 0}, {0, 0, -1}};
      v.u = corner.x;
      v.v = corner.y / 4;
      v.firstBone = quad == 0 ? leg : knee;
      v.secondBone = quad == 0 ? knee : ankle;
      v.weight = 70;
      v.noEdge = quad;
      c.vertices.push_back(v);
    }
  }
  zv::ModelFileMorph base{"base", 0, {}};
  for (std::uint32_t v : {0u, 1u, 4u}) {
    base.vertices.push_back({v, c.vertices[v].position});
  }
  c.morphs.push_back(base);
  const char* names[] = {"上", "まばたき", "あ", "にやり"};
  for (std::uint8_t category = 1; category <= 4; ++category) {
    c.morphs.push_back({names[category - 1], category, {{category % 3u, Vec3{0, 0.1f * category, 0}}}});
    c.morphList.push_back(category);
  }
  c.groups = {"体", "足"};
  c.boneList = {{centre, 1}, {follower, 1}, {leg, 2}, {knee, 2}, {ik, 2}};
  return finished(std::move(c));
}

// ---- Textures ----------------------------------------------------------------------------------

struct Rgba {
  std::uint8_t r, g, b, a;
};

zv::RgbaImage painted(int width, int height, const std::function<Rgba(int x, int y)>& pixel) {
  zv::RgbaImage image = zv::makeImage(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgba p = pixel(x, y);
      std::uint8_t* out = image.at(x, y);
      out[0] = p.r;
      out[1] = p.g;
      out[2] = p.b;
      out[3] = p.a;
    }
  }
  return image;
}

// White cloth with navy stripes and a red band at the collar.
Rgba clothPixel(int, int y) {
  if (y < 6) {
    return {200, 40, 60, 255};
  }
  return (y / 8) % 2 == 0 ? Rgba{245, 245, 250, 255} : Rgba{40, 50, 110, 255};
}

// Sclera, a violet iris darkening towards its rim, the pupil and one highlight.
Rgba eyePixel(int x, int y) {
  const float dx = static_cast<float>(x) - 31.5f, dy = static_cast<float>(y) - 31.5f;
  const float r = std::sqrt(dx * dx + dy * dy);
  const float hx = static_cast<float>(x) - 24.0f, hy = static_cast<float>(y) - 22.0f;
  if (std::sqrt(hx * hx + hy * hy) < 5.0f) {
    return {255, 255, 255, 255};
  }
  if (r < 8.0f) {
    return {20, 10, 30, 255};
  }
  if (r < 22.0f) {
    const auto shade = static_cast<std::uint8_t>(180 - (r - 8.0f) * 7.0f);
    return {static_cast<std::uint8_t>(shade / 2 + 40), static_cast<std::uint8_t>(shade / 3), shade, 255};
  }
  return {250, 250, 250, 255};
}

bool reportWrite(const std::filesystem::path& file, bool written) {
  if (!written) {
    std::fprintf(stderr, "gen_demo_model: cannot write %s\n", file.string().c_str());
  }
  return written;
}

bool write(const std::filesystem::path& file, const std::string& bytes) {
  return reportWrite(file, zv::writeFileAtomically(file, bytes));
}

bool write(const std::filesystem::path& file, const zv::ModelFile& model) {
  return reportWrite(file, zv::writeModelFile(file, model));
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path output = "UserFile/Model";
  std::filesystem::path corpus;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--corpus" && i + 1 < argc) {
      corpus = argv[++i];
    } else {
      output = argument;
    }
  }
  std::error_code error;
  std::filesystem::create_directories(output, error);
  bool ok =
      write(output / "tessera.tsm", demoCharacter(4)) &&
      write(output / "cloth.bmp", zv::encodeBmp24(painted(64, 64, clothPixel))) &&
      write(output / "eye.tga", zv::encodeTga32(painted(64, 64, eyePixel), zv::TgaRowOrder::TopRowFirst));
  if (ok && !corpus.empty()) {
    std::filesystem::create_directories(corpus, error);
    ok = write(corpus / "one-triangle.tsm", oneTriangle()) && write(corpus / "small-rig.tsm", smallRig());
  }
  return ok ? 0 : 1;
}
