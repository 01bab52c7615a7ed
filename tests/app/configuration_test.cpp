#include "app/configuration.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace zv {
namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

void expectDefaults(const Configuration& c) {
  EXPECT_EQ(c.window, (port::Rect{0, 0, 1920, 1050}));
  EXPECT_FALSE(c.maximised);
  EXPECT_EQ(c.outputWidth, 512);
  EXPECT_EQ(c.outputHeight, 384);
  EXPECT_EQ(c.panelWidth, 250);
}

TEST(Configuration, MissingFileGivesTheDefaults) {
  test::TempFolder folder;
  expectDefaults(readConfiguration(folder / "config.ini", kScreenWidth, kScreenHeight));
}

TEST(Configuration, ZerosAndANarrowPanelAreCorrected) {
  expectDefaults(parseConfiguration("0\n0\n0\n0\n0\n0\n0\n100\n", kScreenWidth, kScreenHeight));
}

TEST(Configuration, ReadsEveryLine) {
  Configuration c =
      parseConfiguration("10\r\n20\r\n800\r\n600\r\n1\r\n640\r\n480\r\n300\r\n", kScreenWidth, kScreenHeight);
  EXPECT_EQ(c.window, (port::Rect{10, 20, 810, 620}));
  EXPECT_TRUE(c.maximised);
  EXPECT_EQ(c.outputWidth, 640);
  EXPECT_EQ(c.outputHeight, 480);
  EXPECT_EQ(c.panelWidth, 300);
}

TEST(Configuration, ShortOrGarbledFilesKeepDefaultsForTheRest) {
  Configuration c = parseConfiguration("5\n6\n700\n", kScreenWidth, kScreenHeight);
  EXPECT_EQ(c.window, (port::Rect{5, 6, 705, 1056}));
  EXPECT_EQ(c.outputWidth, 512);
  c = parseConfiguration("5\n6\nwide\n500\n1\n", kScreenWidth, kScreenHeight);
  EXPECT_EQ(c.window, (port::Rect{5, 6, 1925, 1056}));
  EXPECT_FALSE(c.maximised);
  expectDefaults(parseConfiguration("", kScreenWidth, kScreenHeight));
}

TEST(Configuration, OutOfRangeSizesAreClamped) {
  Configuration c = parseConfiguration("0\n0\n-5\n-5\n0\n-640\n-1\n5000\n", kScreenWidth, kScreenHeight);
  EXPECT_EQ(c.window, (port::Rect{0, 0, 1920, 1050}));
  EXPECT_EQ(c.outputWidth, 1);
  EXPECT_EQ(c.outputHeight, 1);
  EXPECT_EQ(c.panelWidth, 1000);
}

TEST(Configuration, WritesEightLinesAndReadsThemBack) {
  test::TempFolder folder;
  Configuration c;
  c.window = {-8, 12, 1000, 700};
  c.maximised = true;
  c.outputWidth = 1280;
  c.outputHeight = 720;
  c.panelWidth = 400;
  ASSERT_TRUE(writeConfiguration(folder / "config.ini", c));
  EXPECT_EQ(test::readFile(folder / "config.ini"), "-8\r\n12\r\n1008\r\n688\r\n1\r\n1280\r\n720\r\n400\r\n");
  Configuration back = readConfiguration(folder / "config.ini", kScreenWidth, kScreenHeight);
  EXPECT_EQ(back.window, c.window);
  EXPECT_TRUE(back.maximised);
  EXPECT_EQ(back.panelWidth, 400);
}

TEST(Configuration, UnwritableFolderLeavesNothingBehind) {
  test::TempFolder folder;
  EXPECT_FALSE(writeConfiguration(folder / "missing" / "config.ini", Configuration{}));
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

}  // namespace
}  // namespace zv
