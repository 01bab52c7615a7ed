#include "files/model/model_file_writer.h"

#include <bit>
#include <limits>

#include "files/common/atomic_write.h"
#include "port/text.h"

namespace zv {
namespace {

class RecordWriter {
 public:
  void u8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
  void u16(std::uint16_t value) { littleEndian(value, 2); }
  void u32(std::uint32_t value) { littleEndian(value, 4); }
  void f32(float value) { u32(std::bit_cast<std::uint32_t>(value)); }
  void vec3(Vec3 v) {
    f32(v.x);
    f32(v.y);
    f32(v.z);
  }
  // A CP932 text as a NUL-padded field of `width` bytes. A cut never splits a double-byte
  // character, which would leave a lone lead byte that swallows the padding when read.
  void text(const std::string& cp932, std::size_t width) {
    std::size_t length = 0;
    while (length < cp932.size()) {
      const bool doubleByte =
          port::isCp932LeadByte(static_cast<unsigned char>(cp932[length])) && length + 1 < cp932.size();
      const std::size_t next = length + (doubleByte ? 2 : 1);
      if (next > width) {
        break;
      }
      length = next;
    }
    bytes_.append(cp932, 0, length);
    bytes_.append(width - length, '\0');
  }
  void raw(const std::string& bytes) { bytes_ += bytes; }
  std::string take() { return std::move(bytes_); }

 private:
  void littleEndian(std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
      u8(static_cast<std::uint8_t>(value >> (8 * i)));
    }
  }
  std::string bytes_;
};

void writeGeometry(RecordWriter& out, const ModelFile& file) {
  out.u32(static_cast<std::uint32_t>(file.vertices.size()));
  for (const ModelFileVertex& v : file.vertices) {
    out.vec3(v.position);
    out.vec3(v.normal);
    out.f32(v.u);
    out.f32(v.v);
    out.u16(v.firstBone);
    out.u16(v.secondBone);
    out.u8(v.weight);
    out.u8(v.noEdge);
  }
  out.u32(static_cast<std::uint32_t>(file.indices.size()));
  for (std::uint16_t index : file.indices) {
    out.u16(index);
  }
  out.u32(static_cast<std::uint32_t>(file.materials.size()));
  for (const ModelFileMaterial& m : file.materials) {
    out.vec3(m.diffuse);
    out.f32(m.alpha);
    out.f32(m.power);
    out.vec3(m.specular);
    out.vec3(m.ambient);
    out.u8(static_cast<std::uint8_t>(m.toon));
    out.u8(m.edge);
    out.u32(m.indexCount);
    out.text(m.texture, kModelTextureNameBytes);
  }
}

void writeSkeleton(RecordWriter& out, const ModelFile& file) {
  out.u16(static_cast<std::uint16_t>(file.bones.size()));
  for (const ModelFileBone& b : file.bones) {
    out.text(b.name, kModelBoneNameBytes);
    out.u16(static_cast<std::uint16_t>(b.parent));
    out.u16(b.tail);
    out.u8(b.type);
    out.u16(b.linked);
    out.vec3(b.head);
  }
  out.u16(static_cast<std::uint16_t>(file.ikChains.size()));
  for (const ModelFileIk& ik : file.ikChains) {
    out.u16(ik.ikBone);
    out.u16(ik.effector);
    out.u8(static_cast<std::uint8_t>(ik.chain.size()));
    out.u16(ik.iterations);
    out.f32(ik.angleWeight);
    for (std::uint16_t bone : ik.chain) {
      out.u16(bone);
    }
  }
}

void writeMorphsAndLists(RecordWriter& out, const ModelFile& file) {
  out.u16(static_cast<std::uint16_t>(file.morphs.size()));
  for (const ModelFileMorph& m : file.morphs) {
    out.text(m.name, kModelMorphNameBytes);
    out.u32(static_cast<std::uint32_t>(m.vertices.size()));
    out.u8(m.category);
    for (const ModelFileMorphVertex& v : m.vertices) {
      out.u32(v.index);
      out.vec3(v.position);
    }
  }
  out.u8(static_cast<std::uint8_t>(file.morphList.size()));
  for (std::uint16_t index : file.morphList) {
    out.u16(index);
  }
  out.u8(static_cast<std::uint8_t>(file.groups.size()));
  for (const std::string& group : file.groups) {
    out.text(group, kModelGroupNameBytes);
  }
  out.u32(static_cast<std::uint32_t>(file.boneList.size()));
  for (const ModelFileBoneListEntry& entry : file.boneList) {
    out.u16(entry.bone);
    out.u8(entry.group);
  }
}

template <typename Count>
bool fits(std::size_t size) {
  return size <= std::numeric_limits<Count>::max();
}

}  // namespace

void convertModelTextsFromUtf8(ModelFile& file) {
  auto convert = [](std::string& text) { text = port::utf8ToCp932(text); };
  convert(file.name);
  convert(file.comment);
  for (ModelFileMaterial& m : file.materials) {
    convert(m.texture);
  }
  for (ModelFileBone& b : file.bones) {
    convert(b.name);
  }
  for (ModelFileMorph& m : file.morphs) {
    convert(m.name);
  }
  for (std::string& group : file.groups) {
    convert(group);
  }
}

std::optional<std::string> oversizedModelList(const ModelFile& file) {
  if (!fits<std::uint32_t>(file.vertices.size())) {
    return "vertices";
  }
  if (!fits<std::uint32_t>(file.indices.size())) {
    return "indices";
  }
  if (!fits<std::uint32_t>(file.materials.size())) {
    return "materials";
  }
  if (!fits<std::uint16_t>(file.bones.size())) {
    return "bones";
  }
  if (!fits<std::uint16_t>(file.ikChains.size())) {
    return "IK chains";
  }
  for (const ModelFileIk& ik : file.ikChains) {
    if (!fits<std::uint8_t>(ik.chain.size())) {
      return "IK chain bones";
    }
  }
  if (!fits<std::uint16_t>(file.morphs.size())) {
    return "morphs";
  }
  for (const ModelFileMorph& m : file.morphs) {
    if (!fits<std::uint32_t>(m.vertices.size())) {
      return "morph vertices";
    }
  }
  if (!fits<std::uint8_t>(file.morphList.size())) {
    return "morph list";
  }
  if (!fits<std::uint8_t>(file.groups.size())) {
    return "bone groups";
  }
  if (!fits<std::uint32_t>(file.boneList.size())) {
    return "bone list";
  }
  return std::nullopt;
}

std::optional<std::string> encodeModelFile(const ModelFile& file) {
  if (oversizedModelList(file)) {
    return std::nullopt;
  }
  RecordWriter out;
  out.raw(file.magic);
  out.f32(file.version);
  out.text(file.name, kModelNameBytes);
  out.text(file.comment, kModelCommentBytes);
  writeGeometry(out, file);
  writeSkeleton(out, file);
  writeMorphsAndLists(out, file);
  out.raw(file.trailing);
  return out.take();
}

bool writeModelFile(const std::filesystem::path& path, const ModelFile& file) {
  const std::optional<std::string> bytes = encodeModelFile(file);
  return bytes && writeFileAtomically(path, *bytes);
}

}  // namespace zv
