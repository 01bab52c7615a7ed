#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "cli_runner.h"
#include "files/x/x_writer.h"
#include "port/paths.h"
#include "port/text.h"
#include "temp_folder.h"

namespace zv {
namespace {

std::filesystem::path demoProp(const char* name) {
  return port::executableDirectory() / "UserFile" / "Accessory" / name;
}

// One frame moved 3 along the file's Z holding a quad whose material is half transparent.
XFileContent framedQuad(std::size_t materialCount) {
  XFileMesh quad;
  quad.name = "Quad";
  quad.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  quad.faces = {{0, 1, 2, 3}};
  for (std::size_t i = 0; i < materialCount; ++i) {
    XFileMaterial material;
    material.faceColour = {0.25f, 0.5f, 0.75f, 0.5f};
    material.power = 5;
    material.specular = {0.125f, 0.25f, 0.375f};
    material.textureName = port::utf8ToCp932("木目.tga");
    quad.materials.push_back(material);
  }
  quad.faceMaterials = {static_cast<std::uint32_t>(materialCount - 1)};
  XFileFrame frame;
  frame.name = "Holder";
  Mat4 moved;
  moved.m[3][2] = 3;
  frame.matrix = moved;
  frame.meshes = {quad};
  XFileContent content;
  content.frames = {frame};
  return content;
}

TEST(CliAccessoryInfo, TheDemoPropReadsTheSameInBothFormats) {
  test::CliRun text = test::runCli({"info", demoProp("lamp.x").string()});
  test::CliRun binary = test::runCli({"info", demoProp("lamp_binary.x").string()});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  ASSERT_EQ(binary.exitCode, 0) << binary.err;
  QJsonObject prop = text.json().object();
  EXPECT_EQ(prop["kind"].toString(), "x");
  EXPECT_EQ(prop["name"].toString(), "lamp.x");
  EXPECT_EQ(prop["root"], binary.json().object()["root"]);
  QJsonObject root = prop["root"].toObject();
  EXPECT_EQ(root["name"].toString(), "D3DFile_Root");
  QJsonObject lamp = root["children"].toArray()[0].toObject();
  EXPECT_EQ(lamp["name"].toString(), "Lamp");
  ASSERT_EQ(lamp["children"].toArray().size(), 3);
  QJsonObject base = lamp["children"].toArray()[0].toObject()["children"].toArray()[0].toObject();
  EXPECT_TRUE(base["mesh"].toBool());
  EXPECT_GT(base["vertexCount"].toInt(), 0);
  EXPECT_EQ(base["indexCount"].toInt() % 3, 0);
  EXPECT_EQ(base["materials"].toArray()[0].toObject()["texture"].toString(), "lamp_wood.tga");
}

TEST(CliAccessoryInfo, DescribesMeshesMaterialsAndMirroredMatrices) {
  test::TempFolder folder;
  test::writeFile(folder / "quad.x", formatXText(framedQuad(1)));
  test::CliRun run = test::runCli({"info", (folder / "quad.x").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  QJsonObject holder = run.json().object()["root"].toObject()["children"].toArray()[0].toObject();
  EXPECT_FALSE(holder["mesh"].toBool());
  EXPECT_EQ(holder["matrix"].toArray().size(), 16);
  EXPECT_EQ(holder["matrix"].toArray()[14].toDouble(), -3.0);  // the file's right-handed Z turned over
  QJsonObject quad = holder["children"].toArray()[0].toObject();
  EXPECT_EQ(quad["name"].toString(), "Quad");
  EXPECT_EQ(quad["vertexCount"].toInt(), 4);
  EXPECT_EQ(quad["indexCount"].toInt(), 6);  // one quad, two triangles
  EXPECT_TRUE(quad["translucent"].toBool());
  QJsonObject material = quad["materials"].toArray()[0].toObject();
  EXPECT_EQ(material["diffuse"].toArray(), (QJsonArray{0.25, 0.5, 0.75, 0.5}));
  EXPECT_EQ(material["ambient"].toArray(), material["diffuse"].toArray());
  EXPECT_EQ(material["specular"].toArray(), (QJsonArray{0.125, 0.25, 0.375, 0}));
  EXPECT_EQ(material["power"].toDouble(), 5.0);
  EXPECT_EQ(material["texture"].toString(), QString::fromUtf8("木目.tga"));
  EXPECT_EQ(material["indexCount"].toInt(), 6);
}

TEST(CliAccessoryInfo, TooManyMaterialsIsShownButTheTreeIsPrinted) {
  test::TempFolder folder;
  test::writeFile(folder / "many.x", formatXText(framedQuad(26)));
  test::CliRun run = test::runCli({"info", (folder / "many.x").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("Xfile-load: マテリアルの数が多すぎます。"), std::string::npos) << run.err;
  QJsonObject quad = run.json()
                         .object()["root"]
                         .toObject()["children"]
                         .toArray()[0]
                         .toObject()["children"]
                         .toArray()[0]
                         .toObject();
  EXPECT_LE(quad["materials"].toArray().size(), 25);
}

TEST(CliAccessoryInfo, RefusedXFilesExitOneWithTheReadersMessage) {
  test::TempFolder folder;
  const std::string bytes = formatXText(framedQuad(1));
  test::writeFile(folder / "cut.x", bytes.substr(0, bytes.size() / 2));
  test::writeFile(folder / "packed.x", "xof 0303tzip0032 garbage");
  struct Case {
    std::string file;
    std::string message;
  };
  for (const Case& refused :
       {Case{(folder / "cut.x").string(), "アクセサリ読込: "},
        Case{(folder / "packed.x").string(), "圧縮されたxファイルは読み込めません"},
        Case{(folder / "zv_no_such_prop.x").string(), "アクセサリ読込: xファイルが見つかりません"},
        Case{(folder / "zv_no_such_prop.vac").string(), "アクセサリ読込: vacファイルが見つかりません"}}) {
    test::CliRun run = test::runCli({"info", refused.file});
    EXPECT_EQ(run.exitCode, 1) << refused.file;
    EXPECT_EQ(run.out, "") << refused.file;
    EXPECT_NE(run.err.find(refused.message), std::string::npos) << refused.file << ": " << run.err;
  }
}

TEST(CliAccessoryInfo, DescriptorsGiveTheirValuesAndTheTreeTheyName) {
  test::TempFolder folder;
  test::writeFile(folder / "quad.x", formatXText(framedQuad(1)));
  test::writeFile(folder / "shadowed.vac", "Quad\r\nquad.x\r\n2.5\r\n1,2,3\r\n0.5,0,-0.25\r\n\r\n0\r\n");
  test::CliRun run = test::runCli({"info", (folder / "shadowed.vac").string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  QJsonObject descriptor = run.json().object();
  EXPECT_EQ(descriptor["kind"].toString(), "descriptor");
  EXPECT_EQ(descriptor["xFile"].toString(), "quad.x");
  EXPECT_EQ(descriptor["scale"].toDouble(), 2.5);
  EXPECT_EQ(descriptor["position"].toArray(), (QJsonArray{1, 2, 3}));
  EXPECT_EQ(descriptor["rotation"].toArray(), (QJsonArray{0.5, 0, -0.25}));
  EXPECT_TRUE(descriptor["shadow"].toBool());  // a last line of 0 casts a shadow
  EXPECT_EQ(descriptor["x"].toObject()["name"].toString(), "D3DFile_Root");

  // The descriptor still reads when the X file it names is missing; the tree is null.
  test::writeFile(folder / "orphan.vac", "Gone\r\ngone.x\r\n1\r\n0,0,0\r\n0,0,0\r\n\r\n1\r\n");
  test::CliRun orphan = test::runCli({"info", (folder / "orphan.vac").string()});
  ASSERT_EQ(orphan.exitCode, 0) << orphan.err;
  QJsonObject orphaned = orphan.json().object();
  EXPECT_FALSE(orphaned["shadow"].toBool());
  EXPECT_TRUE(orphaned["x"].isNull());
  EXPECT_FALSE(orphaned["xFailure"].toString().isEmpty());
  EXPECT_NE(orphan.err.find("xファイルが見つかりません"), std::string::npos) << orphan.err;

  test::CliRun demo = test::runCli({"info", demoProp("lamp.vac").string()});
  ASSERT_EQ(demo.exitCode, 0) << demo.err;
  EXPECT_EQ(demo.json().object()["position"].toArray(), (QJsonArray{8, 0, 2}));
}

}  // namespace
}  // namespace zv
