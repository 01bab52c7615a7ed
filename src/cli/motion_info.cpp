#include "cli/motion_info.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "cli/cli_output.h"
#include "files/motion/motion_file.h"
#include "port/file_bytes.h"

namespace zv::cli {
namespace {

void writeCurve(InterpolationCurve curve, JsonWriter& json) {
  json.beginArray();
  json.value(static_cast<int>(curve.x1));
  json.value(static_cast<int>(curve.y1));
  json.value(static_cast<int>(curve.x2));
  json.value(static_cast<int>(curve.y2));
  json.endArray();
}

void writeBones(const MotionFile& motion, JsonWriter& json) {
  static constexpr const char* kChannelNames[kBoneChannelCount] = {"x", "y", "z", "r"};
  json.key("bones").beginArray();
  for (const MotionBoneRecord& bone : motion.bones) {
    json.beginObject();
    json.key("name").cp932(bone.name);
    json.key("frame").value(bone.frame);
    json.key("translation").value(bone.translation);
    json.key("rotation").value(bone.rotation);
    json.key("curves").beginObject();
    for (int channel = 0; channel < kBoneChannelCount; ++channel) {
      json.key(kChannelNames[channel]);
      writeCurve(bone.curves.curve(channel), json);
    }
    json.endObject();
    json.endObject();
  }
  json.endArray();
}

void writeMorphs(const MotionFile& motion, JsonWriter& json) {
  json.key("morphs").beginArray();
  for (const MotionMorphRecord& morph : motion.morphs) {
    json.beginObject();
    json.key("name").cp932(morph.name);
    json.key("frame").value(morph.frame);
    json.key("weight").value(morph.weight);
    json.endObject();
  }
  json.endArray();
}

void writeCameras(const MotionFile& motion, JsonWriter& json) {
  json.key("cameras").beginArray();
  for (const MotionCameraRecord& camera : motion.cameras) {
    json.beginObject();
    json.key("frame").value(camera.frame);
    json.key("distance").value(camera.distance);
    json.key("centre").value(camera.centre);
    json.key("rotation").value(camera.rotation);
    json.key("viewAngle").value(camera.viewAngle);
    json.key("orthographic").value(camera.orthographic);
    json.key("curves").beginArray();
    for (int channel = 0; channel < kCameraChannelCount; ++channel) {
      writeCurve(camera.curves.curve(channel), json);
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
}

void writeLights(const MotionFile& motion, JsonWriter& json) {
  json.key("lights").beginArray();
  for (const MotionLightRecord& light : motion.lights) {
    json.beginObject();
    json.key("frame").value(light.frame);
    json.key("colour").value(light.colour);
    json.key("direction").value(light.direction);
    json.endObject();
  }
  json.endArray();
}

std::string unreadable(int error) {
  std::string text(kMotionUnreadableMessage);
  return text.replace(text.find("%d"), 2, std::to_string(error));
}

bool cut(MotionEnd end) {
  return end != MotionEnd::Complete && end != MotionEnd::BeforeCameras && end != MotionEnd::BeforeLights;
}

}  // namespace

void writeMotionInfo(const MotionFile& motion, JsonWriter& json) {
  json.beginObject();
  json.key("kind").value("motion");
  json.key("version").value(motion.version);
  json.key("name").cp932(motion.name);
  writeBones(motion, json);
  writeMorphs(motion, json);
  writeCameras(motion, json);
  writeLights(motion, json);
  json.endObject();
}

int infoMotion(const std::filesystem::path& path) {
  int error = 0;
  const std::optional<std::string> bytes = port::readWholeFile(path, error);
  if (!bytes) {
    return refuse(path.string(), unreadable(error));
  }
  MotionFile motion;
  if (!parseMotion(*bytes, motion)) {
    return refuse(kMotionCaption, kNotMotionMessage);
  }
  if (cut(motion.end)) {
    return refuse(path.string(), unreadable(EIO));
  }
  JsonWriter json;
  writeMotionInfo(motion, json);
  return printJson(json);
}

}  // namespace zv::cli
