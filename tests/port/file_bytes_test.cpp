#include "port/file_bytes.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "temp_folder.h"

namespace zv::port {
namespace {

TEST(WholeFiles, ReadEveryByteOfAFileLargerThanOneReadBlock) {
  test::TempFolder folder;
  std::string bytes(200000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<char>(i * 7 % 251);
  }
  test::writeFile(folder / "big.bin", bytes);
  test::writeFile(folder / "empty.bin", "");
  int error = 0;
  EXPECT_EQ(readWholeFile(folder / "big.bin", error), bytes);
  EXPECT_EQ(readWholeFile(folder / "empty.bin", error), "");
  EXPECT_EQ(error, 0);
}

TEST(WholeFiles, SayWhyAFileCannotBeRead) {
  test::TempFolder folder;
  test::writeFile(folder / "five.bin", "12345");
  int error = 0;
  EXPECT_EQ(readWholeFile(folder / "missing.bin", error), std::nullopt);
  EXPECT_EQ(error, ENOENT);
  EXPECT_EQ(readWholeFile(folder.path(), error), std::nullopt);
  EXPECT_EQ(error, EISDIR);
  EXPECT_EQ(readWholeFile(folder / "five.bin", error, 4), std::nullopt);
  EXPECT_EQ(error, EFBIG);
  EXPECT_EQ(readWholeFile(folder / "five.bin", error, 5), "12345");
}

}  // namespace
}  // namespace zv::port
