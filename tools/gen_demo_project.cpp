// Writes our demo project "UserFile/demo.tsf": the demo character waving, the camera orbiting,
// the lamp in her right hand, the demo beat and background picture, and a three-second play range
// repeated. Every file it names lies in the program's UserFile folder and is stored relative to it.
//
// Usage: gen_demo_project [program folder holding UserFile, default .] [--corpus folder]
// With --corpus it also writes fuzzing seeds whose models have 3 bones, 2 morphs and 1 IK chain.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "files/common/atomic_write.h"
#include "files/motion/motion_file.h"
#include "files/project/project_scene.h"
#include "files/project/project_writer.h"
#include "files/x/x_accessory_import.h"
#include "port/text.h"
#include "scene/document/model_reader.h"

namespace {

constexpr std::int32_t kPlayEnd = 90;  // the camera orbit's last key
constexpr std::uint8_t kLampSlot = 0;
constexpr float kLampScale = 0.25f;  // the floor lamp made small enough to carry

int fail(const std::string& why) {
  std::fprintf(stderr, "gen_demo_project: %s\n", why.c_str());
  return 1;
}

int boneNamed(const zv::Model& model, std::string_view utf8Name) {
  const std::string name = zv::port::utf8ToCp932(utf8Name);
  for (std::size_t bone = 0; bone < model.bones.size(); ++bone) {
    if (model.bones[bone].name == name) {
      return static_cast<int>(bone);
    }
  }
  return -1;
}

// The lamp as the accessory panel leaves it once it follows the right wrist, moved into the hand
// and made small.
std::optional<zv::ProjectAccessoryBlock> lampBlock(const std::filesystem::path& folder, int wrist) {
  const zv::AccessoryImportResult imported = zv::importAccessory("UserFile/Accessory/lamp.vac", folder);
  if (!imported.accessory || !imported.accessory->descriptor) {
    return std::nullopt;
  }
  const zv::VacDescriptor& descriptor = *imported.accessory->descriptor;
  zv::ProjectAccessoryBlock block;
  block.slot = kLampSlot;
  block.name = imported.accessory->name;
  block.storedPath = "UserFile\\Accessory\\lamp.vac";
  block.current.loaded = true;
  block.current.parentModel = 0;
  block.current.parentBone = wrist;
  block.current.rotation = descriptor.rotation;
  block.current.scale = kLampScale;
  block.current.shadow = descriptor.shadow;
  block.head.parentModel = 0;
  block.head.parentBone = wrist;
  block.head.rotation = descriptor.rotation;
  block.head.scale = kLampScale;
  block.head.shadow = descriptor.shadow;
  return block;
}

zv::ProjectTrailer demoTrailer(const zv::Scene& scene) {
  zv::ProjectTrailer trailer;
  trailer.lastFrame = static_cast<std::int32_t>(scene.lastFrame);
  trailer.repeatPlayback = true;
  trailer.playStop = kPlayEnd;
  trailer.wavLoaded = true;
  trailer.wavStoredPath = "UserFile\\Wave\\demo_beat.wav";
  // A scale of 0 keeps the picture fitted to the view, whatever the screen.
  trailer.image = {0, 0, 0.0f, "UserFile\\BackGround\\demo_background.bmp"};
  trailer.imageShown = true;
  return trailer;
}

// A small model keyed on bone 0 and a prop keyed on the ground.
zv::ProjectFile keyedSeed() {
  constexpr std::uint32_t kBones = 3;
  zv::ProjectFile project;
  project.cameraMode = false;
  project.currentModel = 2;
  project.modelRows = {"seed"};
  zv::ProjectModelBlock block;
  block.slot = 2;
  block.name = "seed";
  block.storedPath = "UserFile\\Model\\seed.tsm";
  block.groupOpen = {1};
  block.counts = {kBones, 2, 1};
  block.boneHeads.resize(kBones);
  block.boneHeads[0].next = kBones;
  zv::BoneKey first;
  first.frame = 10;
  first.next = kBones + 1;
  zv::BoneKey second;
  second.frame = 20;
  second.prev = kBones;
  block.boneKeys = {{kBones, first}, {kBones + 1, second}};
  block.morphHeads.resize(2);
  block.displayIkHead.ikEnabled = {true};
  block.pose.resize(kBones);
  block.morphWeights = {0, 1};
  block.ikEnabled = {1};
  project.models.push_back(block);
  zv::ProjectAccessoryBlock prop;
  prop.name = "seed.x";
  prop.storedPath = "seed.x";
  prop.head.next = 1;
  zv::AccessoryKey moved;
  moved.frame = 5;
  prop.keys = {{1, moved}};
  project.accessoryRows = {"seed.x"};
  project.accessories.push_back(prop);
  return project;
}

bool writeSeeds(const std::filesystem::path& corpus) {
  std::filesystem::create_directories(corpus);
  return zv::writeFileAtomically(corpus / "empty.tsf", zv::projectBytes(zv::ProjectFile{})) &&
         zv::writeFileAtomically(corpus / "keyed.tsf", zv::projectBytes(keyedSeed()));
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path folder = ".";
  std::filesystem::path corpus;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--corpus" && i + 1 < argc) {
      corpus = argv[++i];
    } else {
      folder = argument;
    }
  }
  if (!corpus.empty() && !writeSeeds(corpus)) {
    return fail("cannot write the seeds");
  }
  zv::Scene scene;
  auto model = std::make_unique<zv::Model>();
  std::filesystem::path modelFile = folder / "UserFile/Model/tessera.tsm";
  if (zv::readModelFile(modelFile, folder, *model)) {
    return fail("cannot read the demo character");
  }
  model->listIndex = 1;
  model->visible = true;
  scene.modelSlots[0] = std::move(model);
  zv::Model& character = *scene.modelSlots[0];
  scene.cameraMode = false;
  if (!zv::loadMotion(scene, folder / "UserFile/Motion/tessera_wave.vmd")) {
    return fail("cannot load the wave");
  }
  scene.cameraMode = true;
  if (!zv::loadMotion(scene, folder / "UserFile/Motion/demo_camera.vmd")) {
    return fail("cannot load the camera orbit");
  }
  const int wrist = boneNamed(character, "右手首");
  const std::optional<zv::ProjectAccessoryBlock> lamp = lampBlock(folder, wrist);
  if (wrist < 0 || !lamp) {
    return fail("cannot place the lamp");
  }

  zv::ProjectFile project;
  project.cameraMode = true;
  project.modelRows = {character.name};
  project.models.push_back(zv::projectModelBlock(character, 0, "UserFile\\Model\\tessera.tsm"));
  project.camera = zv::projectCamera(scene);
  project.light = zv::projectLight(scene);
  project.accessoryRows = {lamp->name};
  project.accessories.push_back(*lamp);
  project.currentAccessory = kLampSlot;
  project.trailer = demoTrailer(scene);
  if (!zv::writeFileAtomically(folder / "UserFile/demo.tsf", zv::projectBytes(project))) {
    return fail("cannot write UserFile/demo.tsf");
  }
  return 0;
}
