#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli_runner.h"
#include "port/paths.h"
#include "temp_folder.h"

namespace zv {
namespace {

std::string demoProject() {
  return (port::executableDirectory() / "UserFile" / "demo.tsf").string();
}

TEST(CliProject, InfoDescribesTheDemoProjectAsTheWindowOpensIt) {
  const test::CliRun run = test::runCli({"info", demoProject()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QJsonObject project = run.json().object();
  EXPECT_EQ(project["kind"].toString(), "project");
  EXPECT_EQ(project["currentFrame"].toInt(), 0);
  const QJsonArray models = project["models"].toArray();
  ASSERT_EQ(models.size(), 1);
  const QJsonObject character = models[0].toObject();
  EXPECT_EQ(character["slot"].toInt(), 0);
  EXPECT_EQ(character["name"].toString(), "テセラ");
  EXPECT_EQ(character["listIndex"].toInt(), 1);
  EXPECT_TRUE(character["path"].toString().endsWith("UserFile/Model/tessera.tsm"));
  EXPECT_GT(character["boneKeys"].toInt(), character["morphKeys"].toInt());
  EXPECT_EQ(character["displayIkKeys"].toInt(), 1);
  const QJsonObject lamp = project["accessories"].toArray()[0].toObject();
  EXPECT_EQ(lamp["name"].toString(), "lamp.x");
  EXPECT_EQ(lamp["parentModel"].toInt(), 0);
  EXPECT_EQ(lamp["keys"].toInt(), 1);
  EXPECT_GT(project["cameraKeys"].toInt(), 1);
  EXPECT_EQ(project["playStart"].toInt(), 0);
  EXPECT_EQ(project["playEnd"].toInt(), 90);
  EXPECT_EQ(project["backgroundVideo"].toString(), "");
  EXPECT_TRUE(project["backgroundImage"].toString().endsWith("demo_background.bmp"));
  EXPECT_TRUE(project["wav"].toString().endsWith("demo_beat.wav"));
}

TEST(CliProject, ResavedProjectsKeepTheirBytesAndARefusedOneLeavesTheOutput) {
  test::TempFolder folder;
  const std::string first = (folder / "first.tsf").string();
  const std::string second = (folder / "second.tsf").string();
  ASSERT_EQ(test::runCli({"resave", demoProject(), first}).exitCode, 0);
  ASSERT_EQ(test::runCli({"resave", first, second}).exitCode, 0);
  EXPECT_EQ(test::readFile(first), test::readFile(second));

  const std::string text = (folder / "text.tsf").string();
  test::writeFile(text, "not a project");
  test::writeFile(second, "kept");
  const test::CliRun refused = test::runCli({"resave", text, second});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("このファイルはTessera Scene Forge用ファイルではありません"), std::string::npos);
  EXPECT_EQ(test::readFile(second), "kept");
}

TEST(CliProject, SampleAndRenderTakeTheProjectAsTheirScene) {
  const test::CliRun fromProject = test::runCli({"sample", "--project", demoProject(), "--frame", "30"});
  ASSERT_EQ(fromProject.exitCode, 0) << fromProject.err;
  const std::string folder = (port::executableDirectory() / "UserFile").string();
  const test::CliRun fromFiles = test::runCli({"sample", "--model", folder + "/Model/tessera.tsm", "--motion",
                                               folder + "/Motion/tessera_wave.vmd", "--frame", "30"});
  EXPECT_EQ(fromProject.out, fromFiles.out);
  EXPECT_EQ(test::runCli({"sample", "--project", demoProject(), "--slot", "5", "--frame", "0"}).exitCode, 1);

  test::TempFolder out;
  const test::CliRun render = test::runCli(
      {"render", "--project", demoProject(), "--frame", "30", "--out", (out / "f.png").string()});
  ASSERT_EQ(render.exitCode, 0) << render.err;
  EXPECT_TRUE(std::filesystem::exists(out / "f.png"));
  EXPECT_EQ(test::runCli({"render", "--project", demoProject(), "--model", "x.tsm", "--frame", "0", "--out",
                          (out / "g.png").string()})
                .exitCode,
            2);
}

}  // namespace
}  // namespace zv
