#include "files/motion/motion_file.h"

#include <gtest/gtest.h>

#include <deque>
#include <limits>

#include "model_builder.h"
#include "motion_test_bytes.h"
#include "port/text.h"
#include "scene/document/model_reader.h"
#include "scene/keys/key_bone_lookup.h"
#include "scene/keys/key_pool_selection.h"
#include "scene/keys/key_registration.h"
#include "scene/undo/undo.h"
#include "temp_folder.h"

namespace zv {
namespace {

// Loads and saves collecting what the user is told, in order; the other-model question is
// answered from `answers` (yes when they run out) and kept in `questions`.
struct MotionMessages {
  std::vector<Message> messages;
  std::deque<bool> answers;
  std::vector<Message> questions;

  bool load(Scene& scene, const std::filesystem::path& path) {
    return kept(loadMotion(scene, path, [this](const Message& question) {
      questions.push_back(question);
      const bool answer = answers.empty() || answers.front();
      if (!answers.empty()) {
        answers.pop_front();
      }
      return answer;
    }));
  }
  bool save(Scene& scene, const std::filesystem::path& path) { return kept(saveMotion(scene, path)); }
  bool kept(const Outcome& outcome) {
    messages.insert(messages.end(), outcome.messages.begin(), outcome.messages.end());
    return outcome.done;
  }
};

// A scene with one model in slot 0, in model mode, recording undo steps.
struct MotionScene {
  explicit MotionScene(const test::TsmModel& source = test::sampleModel()) {
    auto model = std::make_unique<Model>();
    EXPECT_FALSE(parseModel(test::tsmBytes(source), *model));
    scene.modelSlots[0] = std::move(model);
    scene.cameraMode = false;
    attachUndoHistory(scene, this->model());
  }
  Model& model() { return *scene.modelSlots[0]; }
  std::uint32_t bone(const char* utf8) { return *findBoneByName(model(), port::utf8ToCp932(utf8)); }
  bool load(const std::filesystem::path& path) { return ui.load(scene, path); }
  bool save(const std::filesystem::path& path) { return ui.save(scene, path); }

  MotionMessages ui;
  Scene scene;
};

BoneKey boneValues(Vec3 translation, InterpolationCurve moveCurve = {}) {
  BoneKey values;
  values.translation = translation;
  values.curves.setCurve(kBoneMoveY, moveCurve);
  return values;
}

// The frames of a bone's keys after its head, in track order, with their selection.
std::vector<std::pair<std::uint32_t, bool>> trackKeys(const Model& model, std::uint32_t bone) {
  std::vector<std::pair<std::uint32_t, bool>> keys;
  for (std::uint32_t key = model.boneKeyPool[bone].next; key != 0; key = model.boneKeyPool[key].next) {
    keys.emplace_back(model.boneKeyPool[key].frame, model.boneKeyPool[key].selected);
  }
  return keys;
}

class MotionFiles : public ::testing::Test {
 protected:
  std::filesystem::path file(const char* name) { return folder_ / name; }
  test::TempFolder folder_;
};

TEST_F(MotionFiles, SavesOneBoneKeyByteForByte) {
  test::TsmModel source = test::minimalModel();
  source.name = "Test";
  source.bones[0].name = "center";
  MotionScene world(source);
  ASSERT_TRUE(registerBoneKeyWithValues(world.scene, world.model(), 0, 30, boneValues({1, 2, 3})));
  ASSERT_TRUE(world.save(file("one.vmd")));

  test::MotionBytes expected;
  expected.header(2, "Test").u32(1);
  expected.text("center", 15).u32(0).f32(1).f32(2).f32(3).f32(0).f32(0).f32(0).f32(1);
  const std::string rows[] = {
      std::string(8, '\x14') + std::string(8, '\x6B'),
      std::string(7, '\x14') + std::string(8, '\x6B') + std::string("\x01", 1),
      std::string(6, '\x14') + std::string(8, '\x6B') + std::string("\x01\x00", 2),
      std::string(5, '\x14') + std::string(8, '\x6B') + std::string("\x01\x00\x00", 3),
  };
  for (const std::string& row : rows) {
    expected.bytes += row;
  }
  expected.u32(0).u32(0).u32(0);
  const std::string written = test::readFile(file("one.vmd"));
  EXPECT_EQ(written.size(), 177u);
  EXPECT_EQ(written, expected.bytes);
}

TEST_F(MotionFiles, NothingSelectedSavesTheHeaderAndFourZeroCounts) {
  MotionScene world;
  ASSERT_TRUE(world.save(file("empty.vmd")));
  test::MotionBytes expected;
  expected.header(2, "テストモデル").u32(0).u32(0).u32(0).u32(0);
  expected.bytes.replace(30, 20, port::utf8ToCp932("テストモデル") + std::string(20 - 12, '\0'));
  EXPECT_EQ(test::readFile(file("empty.vmd")), expected.bytes);
}

TEST_F(MotionFiles, SavedFramesStartAtZeroAndLoadAtTheCurrentFrameSelected) {
  MotionScene world;
  const std::uint32_t thigh = world.bone("左足");
  for (std::uint32_t frame : {30u, 40u, 55u}) {
    registerBoneKeyWithValues(world.scene, world.model(), thigh, frame, boneValues({0, 0, float(frame)}));
  }
  ASSERT_TRUE(world.save(file("stretch.vmd")));
  MotionFile saved;
  ASSERT_TRUE(parseMotion(test::readFile(file("stretch.vmd")), saved));
  ASSERT_EQ(saved.bones.size(), 3u);
  EXPECT_EQ(saved.bones[0].frame, 0u);
  EXPECT_EQ(saved.bones[1].frame, 10u);
  EXPECT_EQ(saved.bones[2].frame, 25u);

  world.scene.currentFrame = 100;
  ASSERT_TRUE(world.load(file("stretch.vmd")));
  const std::vector<std::pair<std::uint32_t, bool>> expected = {{30, false}, {40, false}, {55, false},
                                                                {100, true}, {110, true}, {125, true}};
  EXPECT_EQ(trackKeys(world.model(), thigh), expected);
  EXPECT_EQ(world.model().lastFrame, 125u);
  EXPECT_EQ(world.scene.lastFrame, 125u);
  EXPECT_TRUE(world.ui.messages.empty());
  // The current frame was sampled again: it stands on the first loaded key.
  EXPECT_EQ(world.model().bones[thigh].keyTranslation.z, 30.0f);

  // One undo takes the whole load back.
  undo(world.scene);
  EXPECT_EQ(trackKeys(world.model(), thigh).size(), 3u);
}

TEST_F(MotionFiles, ModelMotionsRoundTripByteForByte) {
  MotionScene world;
  registerBoneKeyWithValues(world.scene, world.model(), world.bone("左足"), 12,
                            boneValues({1, 2, 3}, {1, 2, 3, 4}));
  registerBoneKeyWithValues(world.scene, world.model(), world.bone("センター"), 20,
                            boneValues({-1, 0.5f, 0}, {127, 0, 64, 127}));
  registerMorphKeyByName(world.scene, world.model(), port::utf8ToCp932("まばたき"), 15, 0, 0.25f);
  registerMorphKeyByName(world.scene, world.model(), port::utf8ToCp932("あ"), 40, 0, 1.0f);
  ASSERT_TRUE(world.save(file("first.vmd")));

  MotionScene fresh;
  fresh.scene.currentFrame = 5;  // away from the heads, so the keys take fresh records in file order
  ASSERT_TRUE(fresh.load(file("first.vmd")));
  ASSERT_TRUE(fresh.save(file("second.vmd")));
  const std::string first = test::readFile(file("first.vmd"));
  EXPECT_EQ(first.size(), 30u + 20 + 4 + 2 * 111 + 4 + 2 * 23 + 4 + 4);
  EXPECT_EQ(test::readFile(file("second.vmd")), first);
}

TEST_F(MotionFiles, CameraMotionsRoundTripAndVersionOneLoadsAsVersionTwo) {
  Scene scene;
  MotionMessages ui;
  test::MotionBytes old;
  old.header(1, "camera").u32(0).u32(0).u32(2).cameraV1(0, -30, 10, 30, 50, 70).cameraV1(8, -40, 1, 2, 3, 4);
  old.u32(1).light(4, 0.5f);
  test::writeFile(file("old.vmd"), old.bytes);
  scene.currentFrame = 10;
  ASSERT_TRUE(ui.load(scene, file("old.vmd")));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(scene.lastFrame, 18u);
  EXPECT_EQ(scene.camera.cameraDistance, -30.0f);  // sampled at the current frame
  ASSERT_TRUE(ui.save(scene, file("new.vmd")));

  MotionFile saved;
  const std::string bytes = test::readFile(file("new.vmd"));
  ASSERT_TRUE(parseMotion(bytes, saved));
  EXPECT_EQ(saved.version, 2);
  EXPECT_EQ(saved.name, cameraMotionName());
  ASSERT_EQ(saved.cameras.size(), 2u);
  EXPECT_EQ(saved.cameras[1].frame, 8u);
  EXPECT_EQ(saved.cameras[1].distance, -40.0f);
  for (int channel = 0; channel < kCameraChannelCount; ++channel) {
    EXPECT_EQ(saved.cameras[1].curves.curve(channel), (InterpolationCurve{1, 3, 2, 4}));
  }
  EXPECT_EQ(saved.cameras[0].viewAngle, 45);
  EXPECT_FALSE(saved.cameras[0].orthographic);
  ASSERT_EQ(saved.lights.size(), 1u);
  EXPECT_EQ(saved.lights[0].frame, 4u);
  EXPECT_EQ(saved.lights[0].colour.x, 0.5f);

  Scene again;
  again.currentFrame = 3;
  ASSERT_TRUE(ui.load(again, file("new.vmd")));
  ASSERT_TRUE(ui.save(again, file("again.vmd")));
  EXPECT_EQ(test::readFile(file("again.vmd")), bytes);
}

TEST_F(MotionFiles, AnotherModelsMotionAsksAndLoadsOnlyMatchingBones) {
  test::MotionBytes other;
  other.header(2, "other").u32(2).bone(port::utf8ToCp932("左足"), 0, 1.0f).bone("nobody", 0, 2.0f);
  other.u32(0).u32(0).u32(0);
  test::writeFile(file("other.vmd"), other.bytes);
  MotionScene world;
  const std::uint32_t thigh = world.bone("左足");
  registerBoneKeyWithValues(world.scene, world.model(), thigh, 7, boneValues({}));
  world.scene.currentFrame = 20;

  world.ui.answers.push_back(false);
  EXPECT_FALSE(world.load(file("other.vmd")));
  EXPECT_TRUE(world.ui.messages.empty());
  ASSERT_EQ(world.ui.questions.size(), 1u);
  EXPECT_EQ(
      world.ui.questions[0].text,
      "このファイルは other用のモーションデータです\n同じボーン名のモーションのみを取り込む事になります\n"
      "続行しますか？");
  EXPECT_EQ(world.ui.questions[0].caption, "モーションデータ読込");
  const std::vector<std::pair<std::uint32_t, bool>> untouched = {{7, true}};
  EXPECT_EQ(trackKeys(world.model(), thigh), untouched);
  EXPECT_FALSE(world.model().undoHistory.undoAvailable);

  ASSERT_TRUE(world.load(file("other.vmd")));
  const std::vector<std::pair<std::uint32_t, bool>> loaded = {{7, false}, {20, true}};
  EXPECT_EQ(trackKeys(world.model(), thigh), loaded);
  for (std::uint32_t b = 0; b < world.model().bones.size(); ++b) {
    if (b != thigh) {
      EXPECT_TRUE(trackKeys(world.model(), b).empty()) << b;
    }
  }
}

TEST_F(MotionFiles, FifteenByteNamesHaveNoTerminator) {
  test::TsmModel source = test::minimalModel();
  source.addBone("fifteen_bytes_x", 0, {0, 1, 0});
  MotionScene world(source);
  registerBoneKeyWithValues(world.scene, world.model(), 1, 3, boneValues({0, 4, 0}));
  ASSERT_TRUE(world.save(file("long.vmd")));
  const std::string bytes = test::readFile(file("long.vmd"));
  EXPECT_EQ(bytes.substr(54, 19), std::string("fifteen_bytes_x\0\0\0\0", 19));

  MotionScene fresh(source);
  fresh.scene.currentFrame = 1;
  ASSERT_TRUE(fresh.load(file("long.vmd")));
  EXPECT_EQ(trackKeys(fresh.model(), 1).size(), 1u);
}

TEST_F(MotionFiles, RefusedFilesChangeNothingAndSayWhy) {
  MotionScene world;
  EXPECT_FALSE(world.load(file("missing.vmd")));
  test::writeFile(file("text.vmd"), "Vocaloid Pose Data file\r\n");
  EXPECT_FALSE(world.load(file("text.vmd")));
  test::MotionBytes modelOnly;
  modelOnly.header(2, "m").u32(1).bone("a", 0, 0).u32(0);
  test::writeFile(file("model_only.vmd"), modelOnly.bytes);
  world.scene.cameraMode = true;
  EXPECT_FALSE(world.load(file("model_only.vmd")));

  ASSERT_EQ(world.ui.messages.size(), 3u);
  EXPECT_EQ(world.ui.messages[0].text, "ファイルが読み込めません:2");
  EXPECT_EQ(world.ui.messages[0].caption, file("missing.vmd").string());
  EXPECT_EQ(world.ui.messages[1].text, "このファイルは Vocaloid Motion Data file ではありません");
  EXPECT_EQ(world.ui.messages[1].caption, "モーションデータ読込");
  EXPECT_EQ(world.ui.messages[2].text, "このモーションデータにはカメラ・照明のデータはありません");
  EXPECT_EQ(world.ui.messages[2].caption, "モーションデータ読込");
  EXPECT_EQ(world.scene.cameraKeyPool.extent(), 0u);
  EXPECT_FALSE(anyKeySelected(world.model().boneKeyPool));
  EXPECT_FALSE(world.model().undoHistory.undoAvailable);
}

TEST_F(MotionFiles, ACutFileKeepsTheKeysBeforeTheCutAndSaysSo) {
  MotionScene world;
  const std::string thighName = port::utf8ToCp932("左足");
  test::MotionBytes cut;
  cut.header(2, world.model().name).u32(0xFFFFFFFF).bone(thighName, 1, 0).bone(thighName, 2, 0);
  cut.bytes += "half a record";
  test::writeFile(file("cut.vmd"), cut.bytes);
  EXPECT_TRUE(world.load(file("cut.vmd")));
  EXPECT_EQ(trackKeys(world.model(), world.bone("左足")).size(), 2u);
  ASSERT_EQ(world.ui.messages.size(), 1u);
  EXPECT_EQ(world.ui.messages[0].text, "ファイルが読み込めません:5");
  EXPECT_EQ(world.ui.messages[0].caption, file("cut.vmd").string());

  // A version-1 file that ends before its light count simply has no lights.
  test::MotionBytes noLights;
  noLights.header(1, "c").u32(0).u32(0).u32(1).cameraV1(2, -10, 20, 107, 20, 107);
  test::writeFile(file("no_lights.vmd"), noLights.bytes);
  world.scene.cameraMode = true;
  EXPECT_TRUE(world.load(file("no_lights.vmd")));
  EXPECT_EQ(world.ui.messages.size(), 1u);
  EXPECT_EQ(world.scene.cameraKeyPool[world.scene.cameraKeyPool[0].next].distance, -10.0f);
}

TEST_F(MotionFiles, KeysBeyondTheLastFrameAreSkippedNotWrapped) {
  MotionScene world;
  const std::string thighName = port::utf8ToCp932("左足");
  test::MotionBytes far;
  far.header(2, world.model().name).u32(2).bone(thighName, 5, 1).bone(thighName, 20, 2).u32(0);
  test::writeFile(file("far.vmd"), far.bytes);
  world.scene.currentFrame = std::numeric_limits<std::int32_t>::max() - 10;
  ASSERT_TRUE(world.load(file("far.vmd")));
  const std::vector<std::pair<std::uint32_t, bool>> expected = {{world.scene.currentFrame + 5, true}};
  EXPECT_EQ(trackKeys(world.model(), world.bone("左足")), expected);
}

TEST_F(MotionFiles, AFailedSaveSaysSoAndLeavesWhatWasThere) {
  MotionScene world;
  std::filesystem::create_directory(file("taken.vmd"));
  EXPECT_FALSE(world.save(file("taken.vmd")));
  EXPECT_FALSE(world.save(folder_ / "no_folder" / "x.vmd"));
  ASSERT_EQ(world.ui.messages.size(), 2u);
  EXPECT_TRUE(world.ui.messages[0].text.starts_with("ファイルが保存できません:"));
  EXPECT_EQ(world.ui.messages[0].caption, file("taken.vmd").string());
  EXPECT_EQ(world.ui.messages[1].text, "ファイルが保存できません:2");
  EXPECT_TRUE(std::filesystem::is_directory(file("taken.vmd")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 1);
}

}  // namespace
}  // namespace zv
