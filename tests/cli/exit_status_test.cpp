#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli_runner.h"
#include "files/motion_test_bytes.h"
#include "files/sequence/sequence_writer.h"
#include "model_builder.h"
#include "port/paths.h"
#include "port/text.h"
#include "temp_folder.h"

namespace zv {
namespace {

std::string demoCharacter() {
  return (port::executableDirectory() / "UserFile" / "Model" / "tessera.tsm").string();
}

// One whole bone key for the sample model, then a record cut after its name.
std::string cutMotion() {
  test::MotionBytes motion;
  motion.header(2, port::utf8ToCp932("テストモデル")).u32(2).bone(port::utf8ToCp932("センター"), 0, 2.0f);
  motion.bytes += port::utf8ToCp932("センター");
  return motion.bytes;
}

TEST(CliExitStatus, ACutMotionPrintsWhatItKeptAndFails) {
  test::TempFolder folder;
  const std::string model = (folder / "m.tsm").string();
  test::writeFile(model, test::tsmBytes(test::sampleModel()));
  test::writeFile(folder / "cut.vmd", cutMotion());

  test::CliRun run =
      test::runCli({"sample", "--model", model, "--motion", (folder / "cut.vmd").string(), "--frame", "0"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("ファイルが読み込めません:5"), std::string::npos) << run.err;
  const QJsonArray bones = run.json().object()["bones"].toArray();
  ASSERT_FALSE(bones.isEmpty()) << run.out;
  EXPECT_EQ(bones[0].toObject()["translation"].toArray()[0].toDouble(), 2.0);

  // A motion for another model is a question answered OK: no error, exit 0.
  test::MotionBytes other;
  other.header(2, "other").u32(1).bone(port::utf8ToCp932("センター"), 0, 1.0f).u32(0).u32(0).u32(0);
  test::writeFile(folder / "other.vmd", other.bytes);
  test::CliRun asked =
      test::runCli({"sample", "--model", model, "--motion", (folder / "other.vmd").string(), "--frame", "0"});
  EXPECT_EQ(asked.exitCode, 0) << asked.err;
  EXPECT_EQ(asked.err, "");
}

TEST(CliExitStatus, ASequenceWithoutNotesMakesNoKeysAndSucceeds) {
  test::TempFolder folder;
  test::writeFile(folder / "empty.vsq", sequenceFileBytes(SequenceSong{}));
  test::CliRun run = test::runCli({"lipsync", "--model", demoCharacter(), "--vsq",
                                   (folder / "empty.vsq").string(), "--out", (folder / "k.vmd").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const QJsonObject result = run.json().object();
  EXPECT_EQ(result["notes"].toInt(-1), 0);
  EXPECT_TRUE(result["morphs"].isArray());
  EXPECT_TRUE(result["morphs"].toArray().isEmpty());
  EXPECT_EQ(result["currentFrame"].toInt(-1), 0);
  ASSERT_TRUE(std::filesystem::exists(folder / "empty.txt"));
  EXPECT_EQ(test::readFile(folder / "empty.txt"), "");
  test::CliRun written = test::runCli({"info", (folder / "k.vmd").string()});
  ASSERT_EQ(written.exitCode, 0) << written.err;
  EXPECT_TRUE(written.json().object()["morphs"].toArray().isEmpty());
}

TEST(CliExitStatus, EveryFailureOfLipSyncSaysWhy) {
  test::TempFolder folder;
  SequenceSong song;
  song.notes = {{1920, 480, "あ", "a"}};
  test::writeFile(folder / "song.vsq", sequenceFileBytes(song));
  test::writeFile(folder / "plain.tsm", test::tsmBytes(test::minimalModel()));
  test::writeFile(folder / "bad.vsq", "MThd");

  test::CliRun noMouth = test::runCli(
      {"lipsync", "--model", (folder / "plain.tsm").string(), "--vsq", (folder / "song.vsq").string()});
  EXPECT_EQ(noMouth.exitCode, 1);
  EXPECT_NE(noMouth.err.find("自動リップシンクはできません"), std::string::npos) << noMouth.err;
  EXPECT_EQ(noMouth.out, "");
  for (const std::string& sequence : {(folder / "bad.vsq").string(), (folder / "none.vsq").string()}) {
    test::CliRun refused = test::runCli({"lipsync", "--model", demoCharacter(), "--vsq", sequence});
    EXPECT_EQ(refused.exitCode, 1) << sequence;
    EXPECT_NE(refused.err, "") << sequence;
  }
  test::CliRun one =
      test::runCli({"lipsync", "--model", demoCharacter(), "--vsq", (folder / "song.vsq").string()});
  ASSERT_EQ(one.exitCode, 0) << one.err;
  EXPECT_EQ(one.json().object()["notes"].toInt(), 1);
  EXPECT_FALSE(one.json().object()["morphs"].toArray().isEmpty());
}

}  // namespace
}  // namespace zv
