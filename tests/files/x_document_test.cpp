#include "files/x/x_document.h"

#include <gtest/gtest.h>

#include <cstring>

#include "files/x/x_frame_tree.h"
#include "files/x/x_writer.h"

namespace zv {
namespace {

// Raw binary tokens, for files the writer would never produce.
class BinaryBytes {
 public:
  explicit BinaryBytes(std::string_view header = "xof 0303bin 0032") : bytes_(header) {}
  BinaryBytes& word(std::uint16_t value) { return raw(&value, 2); }
  BinaryBytes& dword(std::uint32_t value) { return raw(&value, 4); }
  BinaryBytes& name(std::string_view text) {
    word(1).dword(static_cast<std::uint32_t>(text.size()));
    bytes_ += text;
    return *this;
  }
  BinaryBytes& string(std::string_view text) {
    word(2).dword(static_cast<std::uint32_t>(text.size()));
    bytes_ += text;
    return *this;
  }
  BinaryBytes& open() { return word(10); }
  BinaryBytes& close() { return word(11); }
  std::string bytes() const { return bytes_; }

 private:
  BinaryBytes& raw(const void* data, std::size_t size) {
    bytes_.append(static_cast<const char*>(data), size);
    return *this;
  }
  std::string bytes_;
};

XFileContent sampleProp() {
  XFileMesh mesh;
  mesh.name = "Seat";
  mesh.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  mesh.faces = {{0, 1, 2, 3}, {3, 2, 1}};
  mesh.materials.resize(2);
  mesh.materials[1].textureName = "seat.tga";
  mesh.faceMaterials = {0, 1};
  mesh.normals = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
  mesh.textureCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  XFileFrame frame;
  frame.name = "Stool";
  frame.matrix = Mat4{};
  frame.meshes.push_back(mesh);
  XFileContent content;
  content.frames.push_back(frame);
  return content;
}

TEST(XDocument, HeaderDecidesTheFormat) {
  EXPECT_FALSE(parseXFile("").document);
  EXPECT_FALSE(parseXFile("xof 0303txt 003").document) << "15 bytes are not a header";
  EXPECT_FALSE(parseXFile("XOF 0303txt 0032").document);
  EXPECT_FALSE(parseXFile("xof 0303txt 0016").document);
  EXPECT_FALSE(parseXFile("xof 0303abc 0032").document);
  EXPECT_TRUE(parseXFile("xof 0303txt 0032").document);
  EXPECT_TRUE(parseXFile("xof 0302bin 0064").document);

  for (std::string_view compressed : {"xof 0303tzip0032MSCF", "xof 0303bzip0064MSCF"}) {
    XParseResult parsed = parseXFile(compressed);
    EXPECT_FALSE(parsed.document);
    EXPECT_TRUE(parsed.compressed);
    XTreeResult tree = readXFrameTree(compressed);
    ASSERT_EQ(tree.messages.size(), 1u);
    EXPECT_EQ(tree.messages[0], (XMessage{"圧縮されたxファイルは読み込めません", "アクセサリ読込"}));
  }
}

TEST(XDocument, TextSyntax) {
  XParseResult parsed = parseXFile(
      "xof 0303txt 0032\r\n"
      "// a comment { with braces\r\n"
      "# another }\r\n"
      "template Thing { <11111111-2222-3333-4444-555555555555> DWORD n; array FLOAT v[n]; [...] }\r\n"
      "Thing \x95\x7b\x95\x7d <11111111-2222-3333-4444-555555555555> {\r\n"
      "  3;+1.5,-2.5e1;.25;; \"a;b{c}\"; -7;\r\n"
      "  Child { { \x95\x7b\x95\x7d } { Other <11111111-2222-3333-4444-555555555555> } }\r\n"
      "}\r\n");
  ASSERT_TRUE(parsed.document) << parsed.failure;
  ASSERT_EQ(parsed.document->objects.size(), 1u);
  const XDataObject& thing = parsed.document->objects[0];
  EXPECT_EQ(thing.templateName, "Thing");
  EXPECT_EQ(thing.name, "\x95\x7b\x95\x7d") << "CP932 trail bytes that look like braces stay in the name";
  ASSERT_EQ(thing.values.size(), 6u);
  EXPECT_EQ(thing.values[0].kind, XValueKind::Integer);
  EXPECT_EQ(thing.values[0].integer, 3);
  EXPECT_EQ(thing.values[1].real, 1.5f);
  EXPECT_EQ(thing.values[2].real, -25.0f);
  EXPECT_EQ(thing.values[3].real, 0.25f);
  EXPECT_EQ(thing.values[4].kind, XValueKind::String);
  EXPECT_EQ(thing.strings.at(thing.values[4].string), "a;b{c}");
  EXPECT_EQ(thing.values[5].integer, -7);
  ASSERT_EQ(thing.children.size(), 1u);
  const XDataObject& child = thing.children[0];
  ASSERT_EQ(child.children.size(), 2u);
  EXPECT_TRUE(child.children[0].isReference);
  EXPECT_EQ(child.children[0].name, "\x95\x7b\x95\x7d");
  EXPECT_EQ(child.children[1].name, "Other");
}

TEST(XDocument, BinaryStringsEndWithWordOrDwordTerminators) {
  for (bool wide : {false, true}) {
    BinaryBytes clean;
    clean.name("TextureFilename").open().string("a.bmp").word(20);
    if (wide) {
      clean.word(0);
    }
    clean.close();
    XParseResult parsed = parseXFile(clean.bytes());
    ASSERT_TRUE(parsed.document) << parsed.failure;
    EXPECT_EQ(parsed.document->objects[0].strings.at(0), "a.bmp");
  }
}

TEST(XDocument, HostileBinaryIsRefused) {
  // Lists and names that claim more bytes than the file has.
  EXPECT_FALSE(
      parseXFile(BinaryBytes().name("Mesh").open().word(6).dword(0x40000000).dword(1).bytes()).document);
  EXPECT_FALSE(parseXFile(BinaryBytes().name("Mesh").open().word(7).dword(0xFFFFFFFF).bytes()).document);
  EXPECT_FALSE(parseXFile(BinaryBytes().word(1).dword(0xFFFFFFF0).bytes()).document);
  EXPECT_FALSE(parseXFile(BinaryBytes().name("Mesh").open().word(5).dword(1).bytes()).document);
  EXPECT_FALSE(parseXFile(BinaryBytes().name("Mesh").open().word(99).close().bytes()).document);
  EXPECT_FALSE(parseXFile(BinaryBytes().name("Mesh").open().bytes()).document) << "never closed";
  EXPECT_FALSE(parseXFile(BinaryBytes().word(3).dword(0).bytes()).document) << "data outside any object";
  std::string oddByte = BinaryBytes().name("Mesh").open().close().bytes() + "\x0a";
  EXPECT_FALSE(parseXFile(oddByte).document);
}

TEST(XDocument, HostileTextIsRefused) {
  for (std::string_view body :
       {"Mesh { 1; ", "Mesh { \"open", "Mesh < { }", "Mesh { } }", "{ }", "Mesh { word; }",
        "Mesh { 99999999999999999999; }", "Mesh { 1e999; }", "template T { <a> ", "Mesh { { Name ; Name } }",
        "Mesh { > }", "Mesh { template }"}) {
    XParseResult parsed = parseXFile("xof 0303txt 0032" + std::string(body));
    EXPECT_FALSE(parsed.document) << body;
    EXPECT_FALSE(parsed.failure.empty()) << body;
  }
}

TEST(XDocument, NestingIsBounded) {
  auto nested = [](int depth) {
    std::string text = "xof 0303txt 0032";
    for (int i = 0; i < depth; ++i) {
      text += "Frame {";
    }
    return text + std::string(static_cast<std::size_t>(depth), '}');
  };
  EXPECT_TRUE(parseXFile(nested(kMaxXNesting)).document);
  XParseResult tooDeep = parseXFile(nested(kMaxXNesting + 1));
  EXPECT_FALSE(tooDeep.document);
  EXPECT_EQ(tooDeep.failure, "objects nested too deeply");
  EXPECT_FALSE(parseXFile(nested(100000)).document);
}

TEST(XDocument, EveryTruncationOfAValidFileIsHandled) {
  for (const std::string& whole :
       {formatXText(sampleProp()), formatXBinary(sampleProp(), 32), formatXBinary(sampleProp(), 64)}) {
    ASSERT_TRUE(readXFrameTree(whole).root);
    for (std::size_t size = 0; size < whole.size(); ++size) {
      XTreeResult cut = readXFrameTree(std::string_view(whole).substr(0, size));
      if (cut.root) {
        EXPECT_TRUE(cut.failure.empty());
      } else {
        EXPECT_FALSE(cut.failure.empty()) << size;
      }
    }
  }
}

}  // namespace
}  // namespace zv
