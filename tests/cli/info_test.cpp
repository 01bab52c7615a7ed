#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli_runner.h"
#include "model_builder.h"
#include "port/paths.h"
#include "temp_folder.h"

namespace zv {
namespace {

TEST(CliInfo, DescribesAModel) {
  test::TempFolder folder;
  test::TsmModel source = test::sampleModel();
  test::writeFile(folder / "sample.tsm", test::tsmBytes(source));
  test::CliRun run = test::runCli({"info", (folder / "sample.tsm").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  QJsonObject model = run.json().object();
  EXPECT_EQ(model["kind"].toString(), "model");
  EXPECT_EQ(model["name"].toString().toStdString(), source.name);
  EXPECT_EQ(model["vertexCount"].toInt(), static_cast<int>(source.vertices.size()));
  EXPECT_EQ(model["indexCount"].toInt(), static_cast<int>(source.indices.size()));
  QJsonArray bones = model["bones"].toArray();
  ASSERT_EQ(bones.size(), static_cast<qsizetype>(source.bones.size()));
  for (qsizetype i = 0; i < bones.size(); ++i) {
    QJsonObject bone = bones[i].toObject();
    EXPECT_EQ(bone["name"].toString().toStdString(), source.bones[i].name);
    EXPECT_EQ(bone["parent"].toInt(), source.bones[i].parent);
    // Nine significant digits carry a float exactly.
    EXPECT_EQ(static_cast<float>(bone["head"].toArray()[1].toDouble()), source.bones[i].head.y);
  }
  ASSERT_EQ(model["ik"].toArray().size(), static_cast<qsizetype>(source.ikChains.size()));
  EXPECT_EQ(model["ik"].toArray()[0].toObject()["chain"].toArray().size(),
            static_cast<qsizetype>(source.ikChains[0].chain.size()));
  EXPECT_EQ(model["morphs"].toArray().size(), static_cast<qsizetype>(source.morphs.size()));
  // The reader's own groups come first (the first bone, display and IK, expressions), then the file's.
  QJsonArray groups = model["groups"].toArray();
  ASSERT_EQ(groups.size(), static_cast<qsizetype>(source.groups.size() + 3));
  EXPECT_EQ(groups[0].toString().toStdString(), source.bones[0].name);
  EXPECT_EQ(groups[1].toString(), QString::fromUtf8("表示･IK"));
  EXPECT_EQ(groups[3].toString().toStdString(), source.groups[0]);
  QJsonObject material = model["materials"].toArray()[0].toObject();
  EXPECT_EQ(material["diffuse"].toArray().size(), 4);
  EXPECT_EQ(material["texture"].toString().toStdString(), source.materials[0].texture);
}

TEST(CliInfo, RefusesABrokenModelWithTheProgramsMessage) {
  test::TempFolder folder;
  std::string bytes = test::tsmBytes(test::sampleModel());
  test::writeFile(folder / "cut.tsm", bytes.substr(0, bytes.size() / 2));
  test::CliRun run = test::runCli({"info", (folder / "cut.tsm").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("ファイル読込"), std::string::npos) << run.err;
}

TEST(CliInfo, DescribesTheDemoSoundAndRefusesANonWav) {
  test::CliRun run =
      test::runCli({"info", (port::executableDirectory() / "UserFile" / "Wave" / "demo_beat.wav").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(run.json().isObject());
  test::TempFolder folder;
  test::writeFile(folder / "fake.wav", std::string("RIFF\x04\x00\x00\x00WAVX", 12));
  test::CliRun refused = test::runCli({"info", (folder / "fake.wav").string()});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_FALSE(refused.err.empty());
}

TEST(CliInfo, UsageErrorsExitTwo) {
  EXPECT_EQ(test::runCli({}).exitCode, 2);
  EXPECT_EQ(test::runCli({"info"}).exitCode, 2);
  EXPECT_EQ(test::runCli({"info", "notes.txt"}).exitCode, 2);
  EXPECT_EQ(test::runCli({"frobnicate"}).exitCode, 2);
  test::CliRun help = test::runCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("info FILE"), std::string::npos);
}

}  // namespace
}  // namespace zv
