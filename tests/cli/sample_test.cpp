#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli_runner.h"
#include "model_builder.h"
#include "port/text.h"
#include "temp_folder.h"

namespace zv {
namespace {

class CliSample : public ::testing::Test {
 protected:
  void SetUp() override {
    source_ = test::sampleModel();
    modelPath_ = (folder_ / "sample.tsm").string();
    test::writeFile(modelPath_, test::tsmBytes(source_));
  }
  test::TempFolder folder_;
  test::TsmModel source_;
  std::string modelPath_;
};

TEST_F(CliSample, AnUnkeyedModelRestsAtItsHeads) {
  test::CliRun run = test::runCli({"sample", "--model", modelPath_, "--frame", "0", "--vertices"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  QJsonObject pose = run.json().object();
  EXPECT_TRUE(pose["visible"].toBool());
  EXPECT_EQ(pose["ik"].toArray().size(), static_cast<qsizetype>(source_.ikChains.size()));
  QJsonArray bones = pose["bones"].toArray();
  ASSERT_EQ(bones.size(), static_cast<qsizetype>(source_.bones.size()));
  QJsonObject root = bones[0].toObject();
  EXPECT_EQ(root["name"].toString().toStdString(), source_.bones[0].name);
  EXPECT_EQ(root["rotation"].toArray()[3].toDouble(), 1.0);
  EXPECT_EQ(root["global"].toArray().size(), 16);
  for (int axis = 0; axis < 3; ++axis) {
    float head[] = {source_.bones[0].head.x, source_.bones[0].head.y, source_.bones[0].head.z};
    EXPECT_EQ(static_cast<float>(root["position"].toArray()[axis].toDouble()), head[axis]);
  }
  EXPECT_EQ(pose["morphs"].toArray().size(), static_cast<qsizetype>(source_.morphs.size()));
  EXPECT_EQ(pose["vertices"].toArray().size(), static_cast<qsizetype>(source_.vertices.size()));
}

TEST_F(CliSample, PlaybackTimeAndEditFrameAgreeWithoutKeys) {
  test::CliRun byFrame = test::runCli({"sample", "--model", modelPath_, "--frame", "45"});
  test::CliRun byTime = test::runCli({"sample", "--model", modelPath_, "--time", "1.5"});
  ASSERT_EQ(byFrame.exitCode, 0) << byFrame.err;
  ASSERT_EQ(byTime.exitCode, 0) << byTime.err;
  EXPECT_EQ(byFrame.out, byTime.out);
}

TEST_F(CliSample, APoseFileIsAppliedAfterSampling) {
  std::string bone = source_.bones[1].name;
  test::writeFile(folder_ / "p.vpd", "Vocaloid Pose Data file\r\n\r\nm.osm;\r\n1;\r\n\r\nBone0{" +
                                         port::utf8ToCp932(bone) +
                                         "\r\n  0.5,1,0;\r\n  0,0,0,1;\r\n}\r\n\r\n");
  test::CliRun run =
      test::runCli({"sample", "--model", modelPath_, "--pose", (folder_ / "p.vpd").string(), "--frame", "0"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  QJsonArray translation = run.json().object()["bones"].toArray()[1].toObject()["translation"].toArray();
  EXPECT_EQ(translation[0].toDouble(), 0.5);
  EXPECT_EQ(translation[1].toDouble(), 1.0);

  test::CliRun info = test::runCli({"info", (folder_ / "p.vpd").string()});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  QJsonObject pose = info.json().object();
  EXPECT_EQ(pose["kind"].toString(), "pose");
  EXPECT_EQ(pose["model"].toString(), "m");
  EXPECT_EQ(pose["bones"].toArray()[0].toObject()["name"].toString().toStdString(), bone);
  EXPECT_EQ(test::runCli({"sample", "--model", modelPath_, "--pose", "none.vpd", "--frame", "0"}).exitCode,
            1);
}

TEST_F(CliSample, RefusesBadInputAndBadOptions) {
  test::writeFile(folder_ / "bad.tsm", "not a model");
  EXPECT_EQ(test::runCli({"sample", "--model", (folder_ / "bad.tsm").string(), "--frame", "0"}).exitCode, 1);
  EXPECT_EQ(test::runCli({"sample", "--model", modelPath_}).exitCode, 2);
  EXPECT_EQ(test::runCli({"sample", "--model", modelPath_, "--frame", "1", "--time", "1"}).exitCode, 2);
  EXPECT_EQ(test::runCli({"sample", "--model", modelPath_, "--frame", "-3"}).exitCode, 2);
  EXPECT_EQ(test::runCli({"sample", "--model", modelPath_, "--time", "soon"}).exitCode, 2);
  EXPECT_EQ(test::runCli({"sample", "--frame", "0"}).exitCode, 2);
}

}  // namespace
}  // namespace zv
