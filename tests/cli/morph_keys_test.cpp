#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli_runner.h"
#include "model_builder.h"
#include "port/paths.h"
#include "temp_folder.h"

namespace zv {
namespace {

std::string demoCharacter() {
  return (port::executableDirectory() / "UserFile" / "Model" / "tessera.tsm").string();
}

TEST(CliMorphKeys, LipSyncPrintsTheMouthKeysOfTheDemoSong) {
  test::TempFolder folder;
  std::filesystem::copy_file(port::executableDirectory() / "UserFile" / "Vsq" / "demo.vsq",
                             folder / "demo.vsq");
  test::CliRun run =
      test::runCli({"lipsync", "--model", demoCharacter(), "--vsq", (folder / "demo.vsq").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  QJsonObject result = run.json().object();
  QJsonArray keys = result["morphs"].toArray();
  ASSERT_FALSE(keys.isEmpty());
  for (const QJsonValue& key : keys) {
    QString name = key.toObject()["name"].toString();
    EXPECT_TRUE(name == "あ" || name == "い" || name == "う" || name == "お") << name.toStdString();
  }
  EXPECT_GT(result["currentFrame"].toInt(), 0);
  EXPECT_TRUE(std::filesystem::exists(folder / "demo.txt"));  // the note list, as the window writes it
}

TEST(CliMorphKeys, InfoListsTheNotesOfASequence) {
  test::CliRun run =
      test::runCli({"info", (port::executableDirectory() / "UserFile" / "Vsq" / "demo.vsq").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  QJsonObject sequence = run.json().object();
  EXPECT_EQ(sequence["kind"].toString(), "sequence");
  QJsonArray notes = sequence["notes"].toArray();
  ASSERT_FALSE(notes.isEmpty());
  EXPECT_LT(notes[0].toObject()["start"].toDouble(), notes[0].toObject()["end"].toDouble());
  EXPECT_EQ(sequence["noteList"].toString().count('\n'), notes.size());
  test::TempFolder folder;
  test::writeFile(folder / "bad.vsq", "MThd");
  EXPECT_EQ(test::runCli({"info", (folder / "bad.vsq").string()}).exitCode, 1);
}

TEST(CliMorphKeys, BlinksComeInFoursOnTheBlinkMorph) {
  test::CliRun run = test::runCli({"blink", "--model", demoCharacter(), "--from", "0", "--to", "600"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  QJsonArray keys = run.json().object()["morphs"].toArray();
  ASSERT_FALSE(keys.isEmpty());
  EXPECT_EQ(keys.size() % 4, 0);
  EXPECT_EQ(keys[0].toObject()["name"].toString(), QString::fromUtf8("まばたき"));
  EXPECT_NE(run.err.find("回のまばたきを追加しました"), std::string::npos) << run.err;
}

// The keys in the motion file at `out`, read back through `info`, equal the keys printed.
void expectWrittenKeys(const test::CliRun& run, const std::filesystem::path& out) {
  test::CliRun info = test::runCli({"info", out.string()});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  QJsonObject motion = info.json().object();
  EXPECT_EQ(motion["name"].toString(), QString::fromUtf8("テセラ"));
  EXPECT_TRUE(motion["bones"].toArray().isEmpty());
  EXPECT_EQ(motion["morphs"].toArray(), run.json().object()["morphs"].toArray());
}

TEST(CliMorphKeys, OutWritesTheKeysAtTheFramesTheyWereMadeAt) {
  test::TempFolder folder;
  test::CliRun blink = test::runCli({"blink", "--model", demoCharacter(), "--from", "100", "--to", "400",
                                     "--out", (folder / "b.vmd").string()});
  ASSERT_EQ(blink.exitCode, 0) << blink.err;
  EXPECT_GE(blink.json().object()["morphs"].toArray()[0].toObject()["frame"].toInt(), 100);
  expectWrittenKeys(blink, folder / "b.vmd");

  std::filesystem::copy_file(port::executableDirectory() / "UserFile" / "Vsq" / "demo.vsq",
                             folder / "demo.vsq");
  test::CliRun lipSync = test::runCli({"lipsync", "--model", demoCharacter(), "--vsq",
                                       (folder / "demo.vsq").string(), "--out", (folder / "l.vmd").string()});
  ASSERT_EQ(lipSync.exitCode, 0) << lipSync.err;
  expectWrittenKeys(lipSync, folder / "l.vmd");
}

TEST(CliMorphKeys, AnOutFileThatCannotBeWrittenIsRefusedAndLeavesNothing) {
  test::TempFolder folder;
  const std::filesystem::path out = folder / "missing" / "b.vmd";
  test::CliRun run =
      test::runCli({"blink", "--model", demoCharacter(), "--from", "0", "--to", "90", "--out", out.string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("ファイルが保存できません:"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
  EXPECT_EQ(
      test::runCli({"blink", "--model", demoCharacter(), "--from", "0", "--to", "90", "--out"}).exitCode, 2);
}

TEST(CliMorphKeys, RefusalsAndUsageErrors) {
  test::TempFolder folder;
  test::writeFile(folder / "model.tsm", test::tsmBytes(test::minimalModel()));
  // A model without the blink morph is refused with the program's message.
  EXPECT_EQ(test::runCli({"blink", "--model", (folder / "model.tsm").string(), "--from", "0", "--to", "90"})
                .exitCode,
            1);
  EXPECT_EQ(test::runCli({"blink", "--model", demoCharacter(), "--from", "x", "--to", "90"}).exitCode, 2);
  EXPECT_EQ(test::runCli({"blink", "--model", demoCharacter()}).exitCode, 2);
  EXPECT_EQ(test::runCli({"lipsync", "--vsq", "a.vsq"}).exitCode, 2);
}

}  // namespace
}  // namespace zv
