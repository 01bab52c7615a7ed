#include <gtest/gtest.h>

#include <cstring>

#include "files/project/project_links.h"
#include "files/project/project_reader.h"
#include "files/project/project_writer.h"

namespace zv {
namespace {

constexpr std::size_t kHeaderBytes = 54;
constexpr std::size_t kEmptyCameraBytes = 70 + 4 + 37;
constexpr std::size_t kEmptyLightBytes = 37 + 4 + 24;
constexpr std::size_t kEmptyAccessoryListBytes = 6;
constexpr std::size_t kTrailerBytes = 837;
constexpr std::size_t kEmptyProjectBytes =
    kHeaderBytes + kEmptyCameraBytes + kEmptyLightBytes + kEmptyAccessoryListBytes + kTrailerBytes;

std::uint32_t u32At(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + offset, 4);
  return value;
}

float f32At(const std::string& bytes, std::size_t offset) {
  float value = 0;
  std::memcpy(&value, bytes.data() + offset, 4);
  return value;
}

ProjectFile emptyProject() {
  return ProjectFile{};
}

// One model in slot 4 with B bones, 2 morphs and 1 IK chain; bone 0 keyed at 10 and 20.
ProjectFile projectWithBoneKeys(std::uint32_t bones) {
  ProjectFile project;
  project.cameraMode = false;
  project.currentModel = 4;
  project.modelRows = {"model"};
  ProjectModelBlock block;
  block.slot = 4;
  block.name = "model";
  block.storedPath = "\\tmp\\a\\b.tsm";
  block.groupOpen = {1, 0};
  block.counts = {bones, 2, 1};
  block.boneHeads.resize(bones);
  block.boneHeads[0].next = bones;
  BoneKey first;
  first.frame = 10;
  first.prev = 0;
  first.next = bones + 1;
  first.curves.setCurve(kBoneRotation, {1, 2, 3, 4});
  first.translation = {1.5f, 0, 0};
  BoneKey second;
  second.frame = 20;
  second.prev = bones;
  block.boneKeys = {{bones, first}, {bones + 1, second}};
  block.morphHeads.resize(2);
  block.displayIkHead.ikEnabled = {true};
  block.pose.resize(bones);
  block.morphWeights = {0.25f, 0.5f};
  block.ikEnabled = {1};
  project.models.push_back(block);
  return project;
}

ProjectModelLoader countsLoader(ProjectModelCounts counts) {
  return [counts](const ProjectModelBlock&) { return std::optional<ProjectModelCounts>(counts); };
}

TEST(ProjectFormat, AnEmptyProjectHasTheFixedSizeAndFields) {
  const std::string bytes = projectBytes(emptyProject());
  ASSERT_EQ(bytes.size(), kEmptyProjectBytes);
  EXPECT_EQ(bytes.substr(0, 25), std::string("Tessera Scene forge 0001\0", 25));
  EXPECT_EQ(bytes.substr(25, 5), std::string(5, '\0'));
  EXPECT_EQ(u32At(bytes, 30), 512u);
  EXPECT_EQ(u32At(bytes, 34), 384u);
  EXPECT_EQ(u32At(bytes, 38), 250u);
  EXPECT_EQ(f32At(bytes, 42), 45.0f);
  EXPECT_EQ(bytes[46], 1);                             // camera mode
  EXPECT_EQ(bytes[53], 0);                             // no models: the camera section follows the header
  EXPECT_EQ(f32At(bytes, kHeaderBytes + 12), -35.0f);  // the camera head's distance
  // The camera head's curves, straight lines stored curve by curve.
  EXPECT_EQ(bytes.substr(kHeaderBytes + 40, 4), std::string("\x14\x14\x6b\x6b"));
  const std::size_t trailer = bytes.size() - kTrailerBytes;
  EXPECT_EQ(u32At(bytes, trailer + 12), 2u);  // edit mode none
  EXPECT_EQ(f32At(bytes, trailer + 829), 60.0f);
  EXPECT_EQ(bytes[trailer + 827], 1);  // axes shown
}

TEST(ProjectFormat, BoneKeysAreStoredAtTheirPoolIndicesAfterTheHeads) {
  constexpr std::uint32_t kBones = 3;
  const std::string bytes = projectBytes(projectWithBoneKeys(kBones));
  const std::size_t block = kHeaderBytes + 20;
  EXPECT_EQ(bytes[53], 1);
  EXPECT_EQ(static_cast<unsigned char>(bytes[block]), 4u);
  EXPECT_EQ(bytes.substr(block + 21, 13), std::string("\\tmp\\a\\b.tsm\0", 13));
  const std::size_t heads = block + 308 + 2;
  EXPECT_EQ(u32At(bytes, heads + 8), kBones);  // bone 0's head links to index B
  const std::size_t count = heads + 57 * kBones;
  EXPECT_EQ(u32At(bytes, count), 2u);
  EXPECT_EQ(u32At(bytes, count + 4), kBones);
  EXPECT_EQ(u32At(bytes, count + 8), 10u);
  EXPECT_EQ(u32At(bytes, count + 16), kBones + 1);
  EXPECT_EQ(bytes.substr(count + 4 + 4 + 12 + 12, 4), std::string("\x01\x02\x03\x04"));  // rotation curve
  EXPECT_EQ(f32At(bytes, count + 8 + 28), 1.5f);
  EXPECT_EQ(u32At(bytes, count + 65), kBones + 1);
  EXPECT_EQ(u32At(bytes, count + 69), 20u);
  EXPECT_EQ(u32At(bytes, count + 73), kBones);
}

TEST(ProjectFormat, ReadingAndWritingAgainGivesTheSameBytes) {
  ProjectFile project = projectWithBoneKeys(5);
  project.accessoryRows = {"lamp.x"};
  ProjectAccessoryBlock lamp;
  lamp.slot = 7;
  lamp.name = "lamp.x";
  lamp.storedPath = "UserFile\\Accessory\\lamp.x";
  AccessoryKey moved;
  moved.frame = 30;
  moved.parentModel = 4;
  moved.parentBone = 2;
  lamp.keys = {{1, moved}};
  lamp.current.scale = 2.0f;
  project.accessories.push_back(lamp);
  project.currentAccessory = 7;
  project.trailer.wavLoaded = true;
  project.trailer.wavStoredPath = "UserFile\\Wave\\song.wav";
  const std::string bytes = projectBytes(project);

  const ProjectReadResult read = readProject(bytes, countsLoader({5, 2, 1}));
  ASSERT_TRUE(read.project) << read.failure->message.text;
  EXPECT_EQ(read.project->models[0].boneKeys[1].index, 6u);
  EXPECT_EQ(read.project->models[0].boneKeys[0].record.curves.curve(kBoneRotation),
            (InterpolationCurve{1, 2, 3, 4}));
  EXPECT_EQ(read.project->accessories[0].keys[0].record.parentBone, 2);
  EXPECT_EQ(projectBytes(*read.project), bytes);
}

TEST(ProjectFormat, ForeignFilesAndOtherVersionsAreRefusedByTheirMessage) {
  std::string other = projectBytes(emptyProject());
  other[23] = '2';
  const ProjectReadResult version = readProject(other, countsLoader({}));
  ASSERT_TRUE(version.failure);
  EXPECT_EQ(version.failure->refusal, ProjectRefusal::WrongVersion);
  EXPECT_EQ(version.failure->message.text, "このバージョンのtsfファイルは読めません");
  EXPECT_EQ(version.failure->message.caption, "ファイル読込");

  const ProjectReadResult text = readProject("hello, this is a text file\n", countsLoader({}));
  ASSERT_TRUE(text.failure);
  EXPECT_EQ(text.failure->message.text, "このファイルはTessera Scene Forge用ファイルではありません");

  // The name late in the field leaves no room for the version inside it.
  std::string late(kProjectMagicBytes, '\0');
  late.replace(8, 19, "Tessera Scene forge");
  EXPECT_EQ(checkProjectMagic(late)->refusal, ProjectRefusal::WrongVersion);
}

TEST(ProjectFormat, TheMissingModelMessageNamesTheStoredFile) {
  ProjectModelBlock block;
  block.name = "\x83\x82\x83\x66\x83\x8b";  // "モデル" in CP932
  block.storedPath = "C:\\models\\girl.tsm";
  EXPECT_EQ(missingModelMessage(block).text, "モデルのモデルファイル(girl.tsm)が見つかりません");
  block.storedPath = "girl.pmx";
  EXPECT_EQ(missingModelMessage(block).text, "モデルのモデルファイル(不明)が見つかりません");
}

TEST(ProjectFormat, UnsoundFilesAreRefusedAsDamaged) {
  const std::string good = projectBytes(projectWithBoneKeys(3));
  // Cut anywhere after the magic: refused, never read past the end.
  for (std::size_t length = kProjectMagicBytes; length < good.size(); length += 7) {
    const ProjectReadResult read = readProject(good.substr(0, length), countsLoader({3, 2, 1}));
    ASSERT_TRUE(read.failure) << length;
    EXPECT_EQ(read.failure->refusal, ProjectRefusal::Damaged);
  }
  EXPECT_TRUE(readProject(good + "x", countsLoader({3, 2, 1})).failure);
  // A model file whose counts changed since the save no longer fits the block.
  EXPECT_TRUE(readProject(good, countsLoader({4, 2, 1})).failure);

  const std::size_t count = kHeaderBytes + 20 + 310 + 57 * 3;
  std::string headIndex = good;
  headIndex[count + 4] = 1;  // an indexed record inside the head range
  EXPECT_EQ(readProject(headIndex, countsLoader({3, 2, 1})).failure->refusal, ProjectRefusal::Damaged);
  std::string hugeCount = good;
  hugeCount.replace(count, 4, "\xff\xff\xff\x7f");
  EXPECT_TRUE(readProject(hugeCount, countsLoader({3, 2, 1})).failure);
  std::string badSlot = good;
  badSlot[kHeaderBytes + 20] = 100;
  EXPECT_TRUE(readProject(badSlot, countsLoader({3, 2, 1})).failure);
  std::string badRow = good;
  badRow[kHeaderBytes + 20 + 277] = 2;
  EXPECT_TRUE(readProject(badRow, countsLoader({3, 2, 1})).failure);
  std::string badBone = good;
  badBone.replace(kHeaderBytes + 20 + 279, 4, "\x03\0\0\0", 4);
  EXPECT_TRUE(readProject(badBone, countsLoader({3, 2, 1})).failure);
  std::string emptyCurrent = good;
  emptyCurrent[52] = 5;  // model mode on an empty slot
  EXPECT_TRUE(readProject(emptyCurrent, countsLoader({3, 2, 1})).failure);
}

TEST(ProjectFormat, AModelThatCannotBeLoadedStopsTheRead) {
  const ProjectReadResult read = readProject(projectBytes(projectWithBoneKeys(3)),
                                             [](const ProjectModelBlock&) { return std::nullopt; });
  ASSERT_TRUE(read.failure);
  EXPECT_EQ(read.failure->refusal, ProjectRefusal::ModelMissing);
  EXPECT_EQ(read.failure->message.text, "modelのモデルファイル(b.tsm)が見つかりません");
}

TEST(ProjectLinks, BrokenLinksEndTheTrackWithOneMessage) {
  Scene scene;
  auto model = std::make_unique<Model>();
  model->name = "girl";
  model->bones.resize(2);
  model->bones[1].name = "knee";
  model->boneKeyPool = KeyPool<BoneKey>(2);
  BoneKey head;
  head.next = 2;
  model->boneKeyPool.put(1, head);
  BoneKey first;
  first.frame = 10;
  first.prev = 1;
  first.next = 3;
  model->boneKeyPool.put(2, first);
  BoneKey wrongBack;
  wrongBack.frame = 20;
  wrongBack.prev = 0;
  model->boneKeyPool.put(3, wrongBack);
  // The camera track loops back to an earlier frame: cut silently.
  CameraKey loop;
  loop.frame = 5;
  loop.prev = 0;
  loop.next = 1;
  CameraKey cameraHead;
  cameraHead.next = 1;
  scene.cameraKeyPool.put(0, cameraHead);
  scene.cameraKeyPool.put(1, loop);
  scene.modelSlots[0] = std::move(model);

  const std::vector<ProjectMessage> messages = repairProjectLinks(scene);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "セーブデータの異常");
  EXPECT_EQ(messages[0].text,
            "\"girl\"モデル、ボーン\"knee\"のフレームデータに異常が見つかりました\n\n"
            "異常なフレーム(フレーム番号10以降)"
            "を削除します\n10フレーム以降のkneeのモーションを再度設定し直して下さい");
  EXPECT_EQ(scene.modelSlots[0]->boneKeyPool[2].next, 0u);
  EXPECT_EQ(scene.cameraKeyPool[1].next, 0u);
  EXPECT_TRUE(repairProjectLinks(scene).empty());
}

}  // namespace
}  // namespace zv
