#include "files/project/project_writer.h"

#include <bit>
#include <cstring>

namespace zv {
namespace {

char* littleEndian(char* at, std::uint32_t value) {
  at[0] = static_cast<char>(value);
  at[1] = static_cast<char>(value >> 8);
  at[2] = static_cast<char>(value >> 16);
  at[3] = static_cast<char>(value >> 24);
  return at + 4;
}

class ByteSink {
 public:
  explicit ByteSink(std::string& out) : out_(out) {}

  void u8(std::uint8_t value) { out_.push_back(static_cast<char>(value)); }
  void bytes(std::string_view value) { out_.append(value); }
  void flag(bool value) { u8(value ? 1 : 0); }
  void u32(std::uint32_t value) {
    const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                           static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
    out_.append(bytes, 4);
  }
  void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
  void f32(float value) { u32(std::bit_cast<std::uint32_t>(value)); }
  void vec3(const Vec3& value) {
    f32(value.x);
    f32(value.y);
    f32(value.z);
  }
  void text(std::string_view value, std::size_t width) {
    const std::size_t kept = std::min(value.size(), width);
    out_.append(value.data(), kept);
    out_.append(width - kept, '\0');
  }
  // Curves are grouped by control value in memory and by curve in the file.
  template <int Channels>
  void curves(const ChannelCurves<Channels>& value) {
    char bytes[4 * Channels];
    for (int channel = 0; channel < Channels; ++channel) {
      const InterpolationCurve curve = value.curve(channel);
      bytes[4 * channel] = static_cast<char>(curve.x1);
      bytes[4 * channel + 1] = static_cast<char>(curve.y1);
      bytes[4 * channel + 2] = static_cast<char>(curve.x2);
      bytes[4 * channel + 3] = static_cast<char>(curve.y2);
    }
    out_.append(bytes, sizeof bytes);
  }

 private:
  std::string& out_;
};

void links(ByteSink& sink, std::uint32_t frame, std::uint32_t prev, std::uint32_t next) {
  sink.u32(frame);
  sink.u32(prev);
  sink.u32(next);
}

// Bone keys are most of a large file: each is laid out in a local record and appended at once.
void write(ByteSink& sink, const BoneKey& key, std::uint32_t) {
  constexpr std::size_t kRecordBytes = 57;
  char record[kRecordBytes];
  const std::uint32_t words[] = {key.frame, key.prev, key.next};
  const float values[] = {key.translation.x, key.translation.y, key.translation.z, key.rotation.x,
                          key.rotation.y,    key.rotation.z,    key.rotation.w};
  char* at = record;
  for (std::uint32_t word : words) {
    at = littleEndian(at, word);
  }
  for (int channel = 0; channel < kBoneChannelCount; ++channel) {
    const InterpolationCurve curve = key.curves.curve(channel);
    *at++ = static_cast<char>(curve.x1);
    *at++ = static_cast<char>(curve.y1);
    *at++ = static_cast<char>(curve.x2);
    *at++ = static_cast<char>(curve.y2);
  }
  for (float value : values) {
    at = littleEndian(at, std::bit_cast<std::uint32_t>(value));
  }
  *at = key.selected ? 1 : 0;
  sink.bytes({record, kRecordBytes});
}

void write(ByteSink& sink, const MorphKey& key, std::uint32_t) {
  links(sink, key.frame, key.prev, key.next);
  sink.f32(key.weight);
  sink.flag(key.selected);
}

void write(ByteSink& sink, const DisplayIkKey& key, std::uint32_t ikChains) {
  links(sink, key.frame, key.prev, key.next);
  sink.flag(key.visible);
  for (std::uint32_t chain = 0; chain < ikChains; ++chain) {
    sink.flag(chain < key.ikEnabled.size() && key.ikEnabled[chain]);
  }
  sink.flag(key.selected);
}

void write(ByteSink& sink, const CameraKey& key, std::uint32_t) {
  links(sink, key.frame, key.prev, key.next);
  sink.f32(key.distance);
  sink.vec3(key.centre);
  sink.vec3(key.rotation);
  sink.curves(key.curves);
  sink.flag(key.orthographic);
  sink.i32(key.viewAngle);
  sink.flag(key.selected);
}

void write(ByteSink& sink, const LightKey& key, std::uint32_t) {
  links(sink, key.frame, key.prev, key.next);
  sink.vec3(key.colour);
  sink.vec3(key.direction);
  sink.flag(key.selected);
}

void write(ByteSink& sink, const AccessoryKey& key, std::uint32_t) {
  links(sink, key.frame, key.prev, key.next);
  sink.flag(key.visible);
  sink.i32(key.parentModel);
  sink.i32(key.parentBone);
  sink.vec3(key.position);
  sink.vec3(key.rotation);
  sink.f32(key.scale);
  sink.flag(key.shadow);
  sink.flag(key.selected);
}

template <typename Record>
void writeIndexed(ByteSink& sink, const std::vector<StoredKey<Record>>& keys, std::uint32_t extra = 0) {
  sink.i32(static_cast<std::int32_t>(keys.size()));
  for (const StoredKey<Record>& key : keys) {
    sink.u32(key.index);
    write(sink, key.record, extra);
  }
}

void writeHeader(ByteSink& sink, const ProjectFile& project) {
  sink.text(kProjectMagic, kProjectMagicBytes);
  sink.i32(project.outputWidth);
  sink.i32(project.outputHeight);
  sink.i32(project.panelWidth);
  sink.f32(project.fieldOfView);
  sink.flag(project.cameraMode);
  const PanelOpen& open = project.panelOpen;
  for (bool flag : {open.camera, open.light, open.accessory, open.bone, open.face}) {
    sink.flag(flag);
  }
  sink.u8(project.currentModel);
  sink.u8(static_cast<std::uint8_t>(project.modelRows.size()));
  for (const std::string& row : project.modelRows) {
    sink.text(row, kProjectListTextBytes);
  }
}

void writeModel(ByteSink& sink, const ProjectModelBlock& model) {
  sink.u8(model.slot);
  sink.text(model.name, kProjectListTextBytes);
  sink.text(model.storedPath, kProjectPathBytes);
  sink.u8(model.listRow);
  sink.flag(model.visible);
  sink.i32(model.selectedBone);
  for (std::int32_t morph : model.shownMorphs) {
    sink.i32(morph);
  }
  sink.u8(static_cast<std::uint8_t>(model.groupOpen.size()));
  for (std::uint8_t open : model.groupOpen) {
    sink.flag(open != 0);
  }
  sink.i32(model.rowScroll);
  sink.i32(model.lastFrame);
  for (const BoneKey& head : model.boneHeads) {
    write(sink, head, 0);
  }
  writeIndexed(sink, model.boneKeys);
  for (const MorphKey& head : model.morphHeads) {
    write(sink, head, 0);
  }
  writeIndexed(sink, model.morphKeys);
  write(sink, model.displayIkHead, model.counts.ikChains);
  writeIndexed(sink, model.displayIkKeys, model.counts.ikChains);
  for (const ProjectPoseEntry& bone : model.pose) {
    sink.vec3(bone.translation);
    sink.f32(bone.rotation.x);
    sink.f32(bone.rotation.y);
    sink.f32(bone.rotation.z);
    sink.f32(bone.rotation.w);
    sink.f32(bone.rotation.x);
    sink.flag(bone.moved);
    sink.flag(bone.selected);
  }
  for (float weight : model.morphWeights) {
    sink.f32(weight);
  }
  for (std::uint8_t enabled : model.ikEnabled) {
    sink.flag(enabled != 0);
  }
}

void writeCameraAndLight(ByteSink& sink, const ProjectCamera& camera, const ProjectLight& light) {
  write(sink, camera.head, 0);
  writeIndexed(sink, camera.keys);
  sink.vec3(camera.centre);
  sink.f32(camera.viewOffsetX);
  sink.f32(camera.viewOffsetY);
  sink.f32(camera.distance);
  sink.vec3(camera.angles);
  sink.flag(camera.orthographic);
  write(sink, light.head, 0);
  writeIndexed(sink, light.keys);
  sink.vec3(light.colour);
  sink.vec3(light.direction);
}

void writeAccessory(ByteSink& sink, const ProjectAccessoryBlock& accessory) {
  sink.u8(accessory.slot);
  sink.text(accessory.name, kProjectAccessoryTextBytes);
  sink.text(accessory.storedPath, kProjectPathBytes);
  sink.u8(accessory.listRow);
  write(sink, accessory.head, 0);
  writeIndexed(sink, accessory.keys);
  const AccessoryState& current = accessory.current;
  sink.flag(current.visible);
  sink.i32(current.parentModel);
  sink.i32(current.parentBone);
  sink.vec3(current.rotation);
  sink.f32(current.scale);
  sink.vec3(current.position);
  sink.flag(current.shadow);
}

void writeBackground(ByteSink& sink, const ProjectBackground& background) {
  sink.i32(background.offsetX);
  sink.i32(background.offsetY);
  sink.f32(background.scale);
  sink.text(background.storedPath, kProjectPathBytes);
}

void writeTrailer(ByteSink& sink, const ProjectTrailer& trailer) {
  sink.i32(trailer.currentFrame);
  sink.i32(trailer.firstShownFrame);
  sink.i32(trailer.lastFrame);
  sink.i32(trailer.editMode);
  for (bool flag : {trailer.followModelCentre, trailer.repeatPlayback, trailer.stopFrameOption,
                    trailer.playFromCurrentFrame}) {
    sink.flag(flag);
  }
  sink.i32(trailer.playStart);
  sink.i32(trailer.playStop);
  sink.flag(trailer.wavLoaded);
  sink.text(trailer.wavStoredPath, kProjectPathBytes);
  writeBackground(sink, trailer.video);
  sink.i32(trailer.videoShown);
  writeBackground(sink, trailer.image);
  for (bool flag : {trailer.imageShown, trailer.showInfo, trailer.showAxes, trailer.showGroundShadow}) {
    sink.flag(flag);
  }
  sink.f32(trailer.frameRateLimit);
  sink.i32(trailer.captureMode);
}

// The file's size, so that the bytes are laid out in one allocation.
std::size_t projectSize(const ProjectFile& project) {
  constexpr std::size_t kFixedBytes = 54 + (70 + 4 + 37) + (37 + 4 + 24) + 6 + 837;
  std::size_t size = kFixedBytes + kProjectListTextBytes * project.modelRows.size();
  for (const ProjectModelBlock& model : project.models) {
    const std::size_t ik = model.counts.ikChains;
    size += 308 + model.groupOpen.size() + 57 * model.boneHeads.size() + 4 + 61 * model.boneKeys.size() +
            17 * model.morphHeads.size() + 4 + 21 * model.morphKeys.size() + (14 + ik) + 4 +
            (18 + ik) * model.displayIkKeys.size() + 34 * model.pose.size() + 4 * model.morphWeights.size() +
            ik;
  }
  size += 74 * project.camera.keys.size() + 41 * project.light.keys.size();
  size += kProjectAccessoryTextBytes * project.accessoryRows.size();
  for (const ProjectAccessoryBlock& accessory : project.accessories) {
    size += 451 + 55 * accessory.keys.size();
  }
  return size;
}

}  // namespace

std::string projectBytes(const ProjectFile& project) {
  std::string out;
  out.reserve(projectSize(project));
  ByteSink sink(out);
  writeHeader(sink, project);
  for (const ProjectModelBlock& model : project.models) {
    writeModel(sink, model);
  }
  writeCameraAndLight(sink, project.camera, project.light);
  sink.u8(project.currentAccessory);
  sink.i32(project.cameraRowScroll);
  sink.u8(static_cast<std::uint8_t>(project.accessoryRows.size()));
  for (const std::string& row : project.accessoryRows) {
    sink.text(row, kProjectAccessoryTextBytes);
  }
  for (const ProjectAccessoryBlock& accessory : project.accessories) {
    writeAccessory(sink, accessory);
  }
  writeTrailer(sink, project.trailer);
  return out;
}

}  // namespace zv
