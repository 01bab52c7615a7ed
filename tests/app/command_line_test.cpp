#include "app/command_line.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(CommandLine, TheWholeTextIsTheProjectPath) {
  EXPECT_EQ(projectFromCommandLine("UserFile/my scene.tsf").path, "UserFile/my scene.tsf");
  EXPECT_EQ(projectFromCommandLine("").path, "");
}

TEST(CommandLine, AQuotedPathEndsAtTheClosingQuote) {
  EXPECT_EQ(projectFromCommandLine("\"/home/u/a b.tsf\" --extra words").path, "/home/u/a b.tsf");
  // Without a closing quote the rest of the text is the path.
  EXPECT_EQ(projectFromCommandLine("\"/home/u/a b.tsf").path, "/home/u/a b.tsf");
}

TEST(CommandLine, OverlongPathsAreRefusedNotCut) {
  std::string path(kMaxProjectPathBytes, 'a');
  EXPECT_EQ(projectFromCommandLine(path).path, path);
  CommandLineProject refused = projectFromCommandLine(path + "b");
  EXPECT_TRUE(refused.tooLong);
  EXPECT_EQ(refused.path, "");
  // Only the quoted path counts toward the limit.
  EXPECT_EQ(projectFromCommandLine("\"short.tsf\" " + path).path, "short.tsf");
}

TEST(CommandLine, ArgumentsJoinWithSpaces) {
  char program[] = "zolvanta", first[] = "my", second[] = "scene.tsf";
  char* argv[] = {program, first, second};
  EXPECT_EQ(joinArguments(3, argv), "my scene.tsf");
  EXPECT_EQ(joinArguments(1, argv), "");
}

}  // namespace
}  // namespace zv
