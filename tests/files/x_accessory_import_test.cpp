#include "files/x/x_accessory_import.h"

#include <gtest/gtest.h>

#include "files/x/x_writer.h"
#include "support/temp_folder.h"

namespace zv {
namespace {

namespace fs = std::filesystem;

std::string triangleFile() {
  XFileMesh mesh;
  mesh.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  mesh.faces = {{0, 1, 2}};
  XFileContent content;
  content.meshes.push_back(mesh);
  return formatXText(content);
}

const std::string kDescriptorTail = "\r\n2\r\n1,2,3\r\n0,0.5,0\r\n\r\n0\r\n";

class AccessoryImport : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(accessoryFolder); }
  test::TempFolder program;
  test::TempFolder elsewhere;
  fs::path accessoryFolder = program / "UserFile" / "Accessory";
};

TEST(AccessoryFileKindTest, DecidedByTheLastComponentInAnyCase) {
  EXPECT_EQ(accessoryFileKind("props/Lamp.X"), AccessoryFileKind::XFile);
  EXPECT_EQ(accessoryFileKind("props/lamp.VaC"), AccessoryFileKind::Descriptor);
  EXPECT_EQ(accessoryFileKind("a.xyz/lamp"), AccessoryFileKind::Other);
  EXPECT_EQ(accessoryFileKind("a.x/lamp.txt"), AccessoryFileKind::Other);
  EXPECT_EQ(accessoryFileKind("lamp.xyz"), AccessoryFileKind::Other);
}

TEST_F(AccessoryImport, ReadsAnXFileWhereItIs) {
  test::writeFile(elsewhere / "Prop.X", triangleFile());
  AccessoryImportResult result = importAccessory(elsewhere / "Prop.X", program.path());
  ASSERT_TRUE(result.accessory) << result.failure;
  EXPECT_TRUE(result.messages.empty());
  EXPECT_EQ(result.accessory->name, "Prop.X");
  EXPECT_EQ(result.accessory->path, elsewhere / "Prop.X");
  EXPECT_EQ(result.accessory->textureFolder, elsewhere.path());
  EXPECT_FALSE(result.accessory->descriptor);
  EXPECT_EQ(result.accessory->tree.children.at(0).indices.size(), 3u);
}

TEST_F(AccessoryImport, FallsBackToTheAccessoryFolderByFileName) {
  test::writeFile(accessoryFolder / "prop.x", triangleFile());
  AccessoryImportResult result = importAccessory(elsewhere / "gone" / "PROP.x", program.path());
  ASSERT_TRUE(result.accessory) << result.failure;
  EXPECT_EQ(result.accessory->textureFolder, accessoryFolder);
  EXPECT_EQ(result.accessory->name, "prop.x");
}

TEST_F(AccessoryImport, MissingFilesShowTheirNotFoundMessage) {
  AccessoryImportResult x = importAccessory(elsewhere / "none.x", program.path());
  EXPECT_FALSE(x.accessory);
  EXPECT_EQ(x.messages, (std::vector<XMessage>{{"xファイルが見つかりません", "アクセサリ読込"}}));

  AccessoryImportResult vac = importAccessory(elsewhere / "none.vac", program.path());
  EXPECT_FALSE(vac.accessory);
  EXPECT_EQ(vac.messages, (std::vector<XMessage>{{"vacファイルが見つかりません", "アクセサリ読込"}}));

  fs::create_directories(elsewhere / "folder.x");
  EXPECT_FALSE(importAccessory(elsewhere / "folder.x", program.path()).accessory) << "a folder is not a file";

  test::writeFile(elsewhere / "lost.vac", "t\r\nlost.x" + kDescriptorTail);
  AccessoryImportResult lost = importAccessory(elsewhere / "lost.vac", program.path());
  EXPECT_FALSE(lost.accessory);
  EXPECT_EQ(lost.messages, (std::vector<XMessage>{{"xファイルが見つかりません", "アクセサリ読込"}}));
}

TEST_F(AccessoryImport, DescriptorNamesAnXFileBesideIt) {
  fs::create_directories(elsewhere / "parts");
  test::writeFile(elsewhere / "parts" / "stool.x", triangleFile());
  test::writeFile(elsewhere / "stool.vac", "Stool\r\nparts\\stool.x" + kDescriptorTail);

  AccessoryImportResult result = importAccessory(elsewhere / "stool.vac", program.path());

  ASSERT_TRUE(result.accessory) << result.failure;
  const auto& accessory = *result.accessory;
  EXPECT_EQ(accessory.name, "stool.x");
  EXPECT_EQ(accessory.path, elsewhere / "stool.vac");
  EXPECT_EQ(accessory.textureFolder, elsewhere.path()) << "textures resolve against the descriptor's folder";
  ASSERT_TRUE(accessory.descriptor);
  EXPECT_EQ(accessory.descriptor->scale, 2.0f);
  EXPECT_EQ(accessory.descriptor->position, (Vec3{1, 2, 3}));
  EXPECT_TRUE(accessory.descriptor->shadow);
}

TEST_F(AccessoryImport, BadFilesFailWithAReason) {
  test::writeFile(elsewhere / "broken.x", "xof 0303txt 0032 Mesh { 3; }");
  AccessoryImportResult broken = importAccessory(elsewhere / "broken.x", program.path());
  EXPECT_FALSE(broken.accessory);
  EXPECT_TRUE(broken.messages.empty());
  EXPECT_FALSE(broken.failure.empty());

  test::writeFile(elsewhere / "short.vac", "t\r\nprop.x\r\n1\r\n");
  AccessoryImportResult shortVac = importAccessory(elsewhere / "short.vac", program.path());
  EXPECT_FALSE(shortVac.accessory);
  EXPECT_FALSE(shortVac.failure.empty());
}

}  // namespace
}  // namespace zv
