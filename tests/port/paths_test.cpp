#include "port/paths.h"

#include <gtest/gtest.h>

#include "port/text.h"
#include "temp_folder.h"

namespace zv::port {
namespace {

TEST(StoredPaths, ConvertSeparatorsWithoutSplittingCharacters) {
  // "ソ" is 83 5C in CP932: its second byte must not become a separator.
  std::string stored = "UserFile\\Model\\\x83\x5C.tsm";
  EXPECT_EQ(fromStoredPath(stored), std::filesystem::path("UserFile/Model/ソ.tsm"));
  EXPECT_EQ(toStoredPath("UserFile/Model/ソ.tsm"), stored);
}

TEST(CaseInsensitivePaths, FindTheFileWhateverItsCase) {
  test::TempFolder folder;
  std::filesystem::create_directories(folder / "Textures");
  test::writeFile(folder / "Textures" / "face.bmp", "x");
  EXPECT_EQ(resolveCaseInsensitive(folder / "textures" / "Face.BMP"), folder / "Textures" / "face.bmp");
  EXPECT_EQ(resolveCaseInsensitive(folder / "Textures" / "face.bmp"), folder / "Textures" / "face.bmp");
  EXPECT_EQ(resolveCaseInsensitive(folder / "none" / "face.bmp"), folder / "none" / "face.bmp");
}

TEST(FallbackPaths, TakeTheFileNameIntoTheFolder) {
  EXPECT_EQ(underFolder("UserFile/Model", "/elsewhere/ソ.tsm"),
            std::filesystem::path("UserFile/Model/ソ.tsm"));
}

}  // namespace
}  // namespace zv::port
