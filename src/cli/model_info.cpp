#include "cli/model_info.h"

namespace zv::cli {
namespace {

void writeMaterials(const Model& model, JsonWriter& json) {
  json.key("materials").beginArray();
  for (const Material& m : model.materials) {
    json.beginObject();
    const float diffuse[] = {m.diffuse.r, m.diffuse.g, m.diffuse.b, m.diffuse.a};
    const float specular[] = {m.specular.r, m.specular.g, m.specular.b};
    // The file's ambient colour is what the device material calls emissive.
    const float ambient[] = {m.emissive.r, m.emissive.g, m.emissive.b};
    json.key("diffuse").floats(diffuse);
    json.key("power").value(m.power);
    json.key("specular").floats(specular);
    json.key("ambient").floats(ambient);
    json.key("toon").value(static_cast<int>(m.toonIndex));
    json.key("edge").value(m.edge);
    json.key("indexCount").value(m.indexCount);
    json.key("texture").cp932(m.textureName);
    json.endObject();
  }
  json.endArray();
}

void writeBones(const Model& model, JsonWriter& json) {
  json.key("bones").beginArray();
  for (const Bone& bone : model.bones) {
    json.beginObject();
    json.key("name").cp932(bone.name);
    json.key("parent").value(static_cast<int>(bone.parent));
    json.key("tail").value(static_cast<int>(bone.tail));
    json.key("type").value(static_cast<int>(bone.type));
    json.key("linked").value(static_cast<int>(bone.linkedBone));
    json.key("head").value(bone.head);
    json.endObject();
  }
  json.endArray();
}

void writeIkChains(const Model& model, JsonWriter& json) {
  json.key("ik").beginArray();
  for (const IkChain& chain : model.ikChains) {
    json.beginObject();
    json.key("ikBone").value(static_cast<int>(chain.ikBone));
    json.key("effector").value(static_cast<int>(chain.effector));
    json.key("iterations").value(static_cast<int>(chain.iterations));
    json.key("weight").value(chain.angleWeight);
    json.key("chain").beginArray();
    for (std::uint16_t bone : chain.chainBones) {
      json.value(static_cast<int>(bone));
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
}

void writeMorphs(const Model& model, JsonWriter& json) {
  json.key("morphs").beginArray();
  for (const Morph& morph : model.morphs) {
    json.beginObject();
    json.key("name").cp932(morph.name);
    json.key("category").value(static_cast<int>(morph.category));
    json.key("vertexCount").value(static_cast<std::int64_t>(morph.vertices.size()));
    json.endObject();
  }
  json.endArray();
  json.key("morphList").beginArray();
  for (const MorphListEntry& entry : model.morphList) {
    json.value(static_cast<int>(entry.morphIndex));
  }
  json.endArray();
}

void writeTimelineRows(const Model& model, JsonWriter& json) {
  json.key("groups").beginArray();
  for (const GroupName& group : model.groupNames) {
    json.cp932(group.name);
  }
  json.endArray();
  json.key("boneList").beginArray();
  for (const BoneListEntry& entry : model.boneList) {
    json.beginObject();
    json.key("bone").value(static_cast<int>(entry.boneIndex));
    json.key("group").value(static_cast<int>(entry.group));
    json.endObject();
  }
  json.endArray();
}

}  // namespace

void writeModelInfo(const Model& model, JsonWriter& json) {
  json.beginObject();
  json.key("kind").value("model");
  json.key("name").cp932(model.name);
  json.key("comment").cp932(model.comment);
  json.key("vertexCount").value(static_cast<std::int64_t>(model.sourceVertices.size()));
  json.key("indexCount").value(static_cast<std::int64_t>(model.indices.size()));
  writeMaterials(model, json);
  writeBones(model, json);
  writeIkChains(model, json);
  writeMorphs(model, json);
  writeTimelineRows(model, json);
  json.endObject();
}

}  // namespace zv::cli
