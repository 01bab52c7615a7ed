#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli_runner.h"
#include "files/motion_test_bytes.h"
#include "model_builder.h"
#include "port/text.h"
#include "temp_folder.h"

namespace zv {
namespace {

TEST(CliMotion, DescribesTheDemoMotions) {
  test::CliRun wave = test::runCli({"info", "UserFile/Motion/tessera_wave.vmd"});
  ASSERT_EQ(wave.exitCode, 0) << wave.err;
  QJsonObject motion = wave.json().object();
  EXPECT_EQ(motion["kind"].toString(), "motion");
  EXPECT_EQ(motion["version"].toInt(), 2);
  EXPECT_EQ(motion["name"].toString(), QString::fromUtf8("テセラ"));
  QJsonObject arm = motion["bones"].toArray()[1].toObject();
  EXPECT_EQ(arm["name"].toString(), QString::fromUtf8("右腕"));
  EXPECT_EQ(arm["frame"].toInt(), 10);
  EXPECT_EQ(arm["rotation"].toArray().size(), 4);
  EXPECT_EQ(arm["curves"].toObject()["r"].toArray()[3].toInt(), 127);
  EXPECT_FALSE(motion["morphs"].toArray().isEmpty());
  EXPECT_TRUE(motion["cameras"].toArray().isEmpty());

  test::CliRun camera = test::runCli({"info", "UserFile/Motion/demo_camera.vmd"});
  ASSERT_EQ(camera.exitCode, 0) << camera.err;
  QJsonObject cameraMotion = camera.json().object();
  EXPECT_EQ(cameraMotion["name"].toString(), QString::fromUtf8("カメラ・照明"));
  QJsonObject key = cameraMotion["cameras"].toArray()[1].toObject();
  EXPECT_EQ(key["frame"].toInt(), 30);
  EXPECT_EQ(key["viewAngle"].toInt(), 40);
  EXPECT_EQ(key["curves"].toArray().size(), 6);
  EXPECT_EQ(cameraMotion["lights"].toArray().size(), 2);
}

TEST(CliMotion, RefusesFilesTheProgramWouldRefuse) {
  test::TempFolder folder;
  test::writeFile(folder / "text.vmd", "hello");
  test::CliRun notMotion = test::runCli({"info", (folder / "text.vmd").string()});
  EXPECT_EQ(notMotion.exitCode, 1);
  EXPECT_NE(notMotion.err.find("モーションデータ読込"), std::string::npos) << notMotion.err;
  test::MotionBytes cut;
  cut.header(2, "m").u32(1000);
  test::writeFile(folder / "cut.vmd", cut.bytes);
  test::CliRun cutRun = test::runCli({"info", (folder / "cut.vmd").string()});
  EXPECT_EQ(cutRun.exitCode, 1);
  EXPECT_NE(cutRun.err.find("ファイルが読み込めません"), std::string::npos) << cutRun.err;
}

TEST(CliMotion, SampleLoadsEveryMotionAtFrameZero) {
  test::TempFolder folder;
  const std::string model = (folder / "m.tsm").string();
  test::writeFile(model, test::tsmBytes(test::sampleModel()));
  test::MotionBytes bones;  // made for another model: taken bone by bone
  bones.header(2, "other").u32(2).bone(port::utf8ToCp932("センター"), 10, 2.0f).bone("nobody", 10, 5.0f);
  bones.u32(0).u32(0).u32(0);
  test::writeFile(folder / "bones.vmd", bones.bytes);
  test::MotionBytes morphs;
  morphs.header(2, port::utf8ToCp932("テストモデル")).u32(0).u32(1).morph(port::utf8ToCp932("あ"), 10, 0.75f);
  test::writeFile(folder / "morphs.vmd", morphs.bytes);

  test::CliRun run = test::runCli({"sample", "--model", model, "--motion", (folder / "bones.vmd").string(),
                                   "--motion", (folder / "morphs.vmd").string(), "--frame", "10"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  QJsonObject pose = run.json().object();
  EXPECT_EQ(pose["bones"].toArray()[0].toObject()["translation"].toArray()[0].toDouble(), 2.0);
  for (const QJsonValue& morph : pose["morphs"].toArray()) {
    if (morph.toObject()["name"].toString() == QString::fromUtf8("あ")) {
      EXPECT_EQ(morph.toObject()["weight"].toDouble(), 0.75);
    }
  }
  test::CliRun missing =
      test::runCli({"sample", "--model", model, "--motion", (folder / "none.vmd").string(), "--frame", "0"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("ファイルが読み込めません:2"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace zv
