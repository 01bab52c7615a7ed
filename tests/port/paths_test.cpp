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

TEST(FallbackPaths, LookInTheUserFileFolderByTheNameBeforeTheExtension) {
  const std::filesystem::path exe = "/opt/zolvanta";
  auto wave = [&](const std::filesystem::path& path) { return userFileFallback(path, exe, "Wave", ".wav"); };
  EXPECT_EQ(wave("/home/user/music/song.wav"), exe / "UserFile/Wave/song.wav");
  EXPECT_EQ(wave("C:/Users/x/SONG.WAV"), exe / "UserFile/Wave/SONG.WAV");
  EXPECT_EQ(wave("/a/b.wav.bak"), exe / "UserFile/Wave/b.wav.bak");
  EXPECT_FALSE(wave("song.wav")) << "no folder before the name";
  EXPECT_FALSE(wave("/music/song")) << "no .wav";
  EXPECT_FALSE(wave("/music/song.Wav"));
  EXPECT_FALSE(wave("/music/..wav/../../etc")) << "only one name under the folder";
  EXPECT_FALSE(wave("/music/" + std::string(300, 'a') + ".wav")) << "too long to store";
  EXPECT_EQ(userFileFallback("/elsewhere/ソ.TSM", exe, "Model", ".tsm"), exe / "UserFile/Model/ソ.TSM");
  EXPECT_FALSE(userFileFallback("/elsewhere/a.tsm/../../b", exe, "Model", ".tsm"));
}

TEST(FallbackPaths, FindTheMovedFileWhateverItsCase) {
  test::TempFolder folder;
  std::filesystem::create_directories(folder / "UserFile" / "Wave");
  test::writeFile(folder / "UserFile" / "Wave" / "Beat.wav", "x");
  EXPECT_EQ(userFileFallback("/gone/BEAT.WAV", folder.path(), "Wave", ".wav"),
            folder / "UserFile" / "Wave" / "Beat.wav");
}

}  // namespace
}  // namespace zv::port
