// Writes small valid picture, sound, descriptor, motion, X and sequence files, one of each variant the
// readers accept, as fuzzing seeds: a short run then starts inside the decoders rather than at their
// header checks.
// Usage: gen_fuzz_seeds [corpus folder, default fuzz/corpus]
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/motion/motion_format.h"
#include "files/sequence/sequence_writer.h"
#include "files/x/vac_descriptor.h"
#include "files/x/x_writer.h"
#include "port/text.h"

namespace {

namespace fs = std::filesystem;

// Little-endian byte builder.
struct Bytes {
  std::string data;

  Bytes& u8(unsigned value) {
    data.push_back(static_cast<char>(value & 0xFF));
    return *this;
  }
  Bytes& u16(unsigned value) { return u8(value).u8(value >> 8); }
  Bytes& u32(std::uint32_t value) { return u16(value & 0xFFFF).u16(value >> 16); }
  Bytes& text(std::string_view value) {
    data += value;
    return *this;
  }
  Bytes& bytes(std::initializer_list<unsigned> values) {
    for (unsigned value : values) {
      u8(value);
    }
    return *this;
  }
};

bool write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::cerr << "cannot write " << path.string() << "\n";
    return false;
  }
  return true;
}

// ---- Targa: 3 x 2 pictures, blue, green, red[, alpha] per pixel.

constexpr std::uint8_t kTgaRightToLeft = 0x10;
constexpr std::uint8_t kTgaTopToBottom = 0x20;

Bytes tgaHeader(unsigned type, unsigned bits, unsigned descriptor, std::string_view id = {}) {
  Bytes out;
  out.u8(static_cast<unsigned>(id.size())).u8(0).u8(type);
  out.bytes({0, 0, 0, 0, 0}).u16(0).u16(0);  // colour map layout, origin
  out.u16(3).u16(2).u8(bits).u8(descriptor | (bits == 32 ? 8 : 0));
  return out.text(id);
}

Bytes& tgaPixel(Bytes& out, unsigned bits, unsigned index) {
  out.u8(40 * index).u8(255 - 30 * index).u8(20 + 35 * index);
  return bits == 32 ? out.u8(index * 50) : out;
}

std::string tgaRaw(unsigned bits, unsigned descriptor, std::string_view id = {}) {
  Bytes out = tgaHeader(2, bits, descriptor, id);
  for (unsigned index = 0; index < 6; ++index) {
    tgaPixel(out, bits, index);
  }
  return out.data;
}

// Row one: a run of two and a raw packet of one; row two: a raw packet of three.
std::string tgaRunLength(unsigned bits, unsigned descriptor) {
  Bytes out = tgaHeader(10, bits, descriptor);
  tgaPixel(out.u8(0x81), bits, 1);
  tgaPixel(out.u8(0x00), bits, 2);
  out.u8(0x02);
  for (unsigned index = 3; index < 6; ++index) {
    tgaPixel(out, bits, index);
  }
  return out.data;
}

// A run packet that reaches past the first row's end is cut there.
std::string tgaRunAcrossRows(unsigned bits) {
  Bytes out = tgaHeader(10, bits, 0);
  tgaPixel(out.u8(0x84), bits, 4);
  tgaPixel(out.u8(0x82), bits, 5);
  return out.data;
}

bool writeTgaSeeds(const fs::path& folder) {
  return write(folder / "raw24_bottom_up.tga", tgaRaw(24, 0)) &&
         write(folder / "raw32_top_down.tga", tgaRaw(32, kTgaTopToBottom)) &&
         write(folder / "raw24_right_to_left_id.tga", tgaRaw(24, kTgaRightToLeft, "seed")) &&
         write(folder / "rle24_top_down_right_to_left.tga",
               tgaRunLength(24, kTgaTopToBottom | kTgaRightToLeft)) &&
         write(folder / "rle32_bottom_up.tga", tgaRunLength(32, 0)) &&
         write(folder / "rle32_run_across_rows.tga", tgaRunAcrossRows(32));
}

// ---- Bitmaps: 3 x 2 pictures.

constexpr std::uint32_t kBmpRgb = 0;
constexpr std::uint32_t kBmpRle8 = 1;
constexpr std::uint32_t kBmpRle4 = 2;
constexpr std::uint32_t kBmpBitFields = 3;

struct BmpSpec {
  int height = 2;  // negative: rows top-down
  unsigned bits = 24;
  std::uint32_t compression = kBmpRgb;
  std::uint32_t infoSize = 40;
  std::uint32_t coloursUsed = 0;
  std::vector<std::uint32_t> masks;  // red, green, blue[, alpha] for bit fields
};

std::uint32_t paletteEntries(const BmpSpec& spec) {
  if (spec.bits > 8) {
    return 0;
  }
  return spec.coloursUsed != 0 ? spec.coloursUsed : 1u << spec.bits;
}

std::string bmpFile(const BmpSpec& spec, const std::string& pixels) {
  const bool core = spec.infoSize == 12;
  const std::uint32_t entryBytes = core ? 3 : 4;
  const bool separateMasks = spec.compression == kBmpBitFields && spec.infoSize == 40;
  const std::uint32_t pixelOffset =
      14 + spec.infoSize + (separateMasks ? 12 : 0) + paletteEntries(spec) * entryBytes;
  Bytes out;
  out.text("BM").u32(pixelOffset + static_cast<std::uint32_t>(pixels.size())).u32(0).u32(pixelOffset);
  out.u32(spec.infoSize);
  if (core) {
    out.u16(3).u16(static_cast<unsigned>(spec.height)).u16(1).u16(spec.bits);
  } else {
    out.u32(3).u32(static_cast<std::uint32_t>(spec.height)).u16(1).u16(spec.bits);
    out.u32(spec.compression).u32(static_cast<std::uint32_t>(pixels.size())).u32(2835).u32(2835);
    out.u32(spec.coloursUsed).u32(0);
    std::uint32_t written = 40;
    for (std::uint32_t mask : spec.masks) {
      out.u32(mask);
      written += 4;
    }
    for (; written < spec.infoSize; written += 4) {
      out.u32(0);  // colour space and the rest of the larger headers
    }
  }
  for (std::uint32_t i = 0; i < paletteEntries(spec); ++i) {
    out.u8(i * 37).u8(255 - i * 23).u8(i * 71);
    if (!core) {
      out.u8(0);
    }
  }
  return out.text(pixels).data;
}

// Rows of the given bytes, each padded to four bytes.
std::string bmpRows(std::initializer_list<std::initializer_list<unsigned>> rows) {
  Bytes out;
  for (const auto& row : rows) {
    out.bytes(row);
    for (std::size_t size = row.size(); size % 4 != 0; ++size) {
      out.u8(0);
    }
  }
  return out.data;
}

BmpSpec bmpSpec(unsigned bits, std::uint32_t compression = kBmpRgb, std::uint32_t coloursUsed = 0) {
  BmpSpec spec;
  spec.bits = bits;
  spec.compression = compression;
  spec.coloursUsed = coloursUsed;
  return spec;
}

BmpSpec topDown(BmpSpec spec) {
  spec.height = -spec.height;
  return spec;
}

BmpSpec withInfoSize(BmpSpec spec, std::uint32_t infoSize) {
  spec.infoSize = infoSize;
  return spec;
}

BmpSpec withMasks(BmpSpec spec, std::vector<std::uint32_t> masks) {
  spec.masks = std::move(masks);
  return spec;
}

bool writeBmpSeeds(const fs::path& folder) {
  const std::string rows24 =
      bmpRows({{10, 20, 30, 40, 50, 60, 70, 80, 90}, {90, 80, 70, 60, 50, 40, 30, 20, 10}});
  const std::string rows32 =
      bmpRows({{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}});
  // RLE8: a run, an absolute run, end of line; a delta, a run, end of the picture.
  const std::string rle8 = Bytes().bytes({1, 2, 0, 3, 4, 5, 6, 0, 0, 0, 0, 2, 1, 0, 2, 3, 0, 1}).data;
  // RLE4: a run of alternating indices, end of line; an absolute run padded to a word, end.
  const std::string rle4 = Bytes().bytes({3, 0x12, 0, 0, 0, 3, 0x45, 0x60, 0, 1}).data;
  const BmpSpec bitFields = withMasks(bmpSpec(32, kBmpBitFields), {0xFF0000, 0xFF00, 0xFF});
  const BmpSpec bitFieldsV4 =
      withMasks(withInfoSize(topDown(bmpSpec(32, kBmpBitFields)), 108), {0xFF00, 0xFF0000, 0xFF000000, 0xFF});
  return write(folder / "indexed1.bmp", bmpFile(bmpSpec(1), bmpRows({{0xA0}, {0x40}}))) &&
         write(folder / "indexed4_three_colours.bmp",
               bmpFile(bmpSpec(4, kBmpRgb, 3), bmpRows({{0x01, 0x20}, {0x21, 0x70}}))) &&
         write(folder / "indexed8.bmp", bmpFile(bmpSpec(8, kBmpRgb, 4), bmpRows({{0, 1, 2}, {3, 2, 9}}))) &&
         write(folder / "indexed8_core_header.bmp",
               bmpFile(withInfoSize(bmpSpec(8), 12), bmpRows({{0, 100, 255}, {7, 8, 9}}))) &&
         write(folder / "rgb24_bottom_up.bmp", bmpFile(bmpSpec(24), rows24)) &&
         write(folder / "rgb24_top_down.bmp", bmpFile(topDown(bmpSpec(24)), rows24)) &&
         write(folder / "rgb32.bmp", bmpFile(bmpSpec(32), rows32)) &&
         write(folder / "bitfields32.bmp", bmpFile(bitFields, rows32)) &&
         write(folder / "bitfields32_alpha_v4.bmp", bmpFile(bitFieldsV4, rows32)) &&
         write(folder / "rle8.bmp", bmpFile(bmpSpec(8, kBmpRle8, 8), rle8)) &&
         write(folder / "rle4.bmp", bmpFile(bmpSpec(4, kBmpRle4, 8), rle4));
}

// ---- WAV: a short PCM file whose "fmt " chunk sits at the start, as the reader expects.

std::string wavFile(unsigned channels, unsigned bits, std::string_view between = {},
                    std::string_view after = {}, unsigned frames = 400) {
  constexpr std::uint32_t kRate = 8000;
  const unsigned blockAlign = channels * bits / 8;
  Bytes samples;
  for (unsigned i = 0; i < frames; ++i) {
    const int level = static_cast<int>(i % 50) * 5 - 125;  // a saw wave
    for (unsigned channel = 0; channel < channels; ++channel) {
      if (bits == 8) {
        samples.u8(static_cast<unsigned>(level + 128));
      } else {
        samples.u16(static_cast<std::uint16_t>(level * 256 * (channel == 0 ? 1 : -1)));
      }
    }
  }
  Bytes body;
  body.text("WAVE").text("fmt ").u32(16).u16(1).u16(channels).u32(kRate).u32(kRate * blockAlign);
  body.u16(blockAlign).u16(bits).text(between);
  body.text("data").u32(static_cast<std::uint32_t>(samples.data.size())).text(samples.data).text(after);
  return Bytes().text("RIFF").u32(static_cast<std::uint32_t>(body.data.size())).text(body.data).data;
}

std::string listChunk(std::string_view name) {
  Bytes info;
  info.text("INFO").text("INAM").u32(static_cast<std::uint32_t>(name.size() + 1)).text(name).u8(0);
  if (info.data.size() % 2 != 0) {
    info.u8(0);
  }
  return Bytes().text("LIST").u32(static_cast<std::uint32_t>(info.data.size())).text(info.data).data;
}

bool writeWavSeeds(const fs::path& folder) {
  return write(folder / "mono8.wav", wavFile(1, 8)) && write(folder / "stereo8.wav", wavFile(2, 8)) &&
         write(folder / "mono16_list_before_data.wav", wavFile(1, 16, listChunk("seed"))) &&
         write(folder / "stereo16_list_after_data.wav", wavFile(2, 16, {}, listChunk("tail"))) &&
         write(folder / "mono16_no_samples.wav", wavFile(1, 16, {}, {}, 0));
}

// ---- Accessory descriptors.

bool writeVacSeeds(const fs::path& folder) {
  zv::VacDescriptor lamp{.xFileName = "lamp.x",
                         .scale = 1.5f,
                         .position = {1.0f, -2.0f, 3.5f},
                         .rotation = {0.0f, 1.5708f, -0.25f},
                         .shadow = true};
  const std::string unixLines = "Sword\nweapon\\sword.x\n0.8\n0,12.5,-1\n0.1,0.2,0.3\nright hand\n1\n";
  return write(folder / "lamp.vac", zv::formatVacDescriptor(lamp, "Floor lamp")) &&
         write(folder / "sword_lf.vac", unixLines);
}

// ---- Motions: every section in a version-2 file, and an old-style model motion.

zv::MotionFile everySection() {
  zv::MotionFile motion;
  motion.name = "seed";
  const zv::InterpolationCurve easeIn{64, 0, 127, 127};
  for (std::uint32_t frame : {0u, 15u}) {
    zv::MotionBoneRecord bone;
    bone.name = "arm";
    bone.frame = frame;
    bone.translation = {0.5f, 1.0f, -0.5f};
    bone.rotation = {0.0f, 0.38268343f, 0.0f, 0.9238795f};
    bone.curves.setCurve(zv::kBoneRotation, easeIn);
    motion.bones.push_back(bone);
    motion.morphs.push_back({.name = "smile", .frame = frame, .weight = frame == 0 ? 0.0f : 1.0f});
    zv::MotionCameraRecord camera;
    camera.frame = frame;
    camera.distance = -45.0f;
    camera.centre = {0.0f, 10.0f, 0.0f};
    camera.rotation = {0.1f, frame * 0.05f, 0.0f};
    camera.curves.setCurve(0, easeIn);
    camera.viewAngle = 30;
    camera.orthographic = frame != 0;
    motion.cameras.push_back(camera);
    motion.lights.push_back(
        {.frame = frame, .colour = {0.6f, 0.6f, 0.6f}, .direction = {-0.5f, -1.0f, 0.5f}});
  }
  return motion;
}

// The bone and morph records of a version-2 file behind a version-1 header, whose name field is
// 10 bytes; the file ends before the camera section, as old model motions do.
std::string versionOneModelMotion() {
  zv::MotionFile motion = everySection();
  motion.cameras.clear();
  motion.lights.clear();
  const std::string current = zv::motionBytes(motion);
  const std::size_t recordsStart = zv::kMotionMagicSize + zv::kMotionNameSizeV2;
  const std::size_t recordsEnd = current.size() - 8;  // the empty camera and light counts
  Bytes old;
  old.text("Vocaloid Motion Data file").bytes({0, 0, 0, 0, 0});
  old.text("seed").bytes({0, 0, 0, 0, 0, 0});
  return old.text(std::string_view(current).substr(recordsStart, recordsEnd - recordsStart)).data;
}

bool writeMotionSeeds(const fs::path& folder) {
  return write(folder / "every_section.vmd", zv::motionBytes(everySection())) &&
         write(folder / "model_v1.vmd", versionOneModelMotion());
}

// ---- X files: every template the reader takes, in the text and both binary formats.

// A quad and a triangle over four corners, one material each; the first material is textured.
zv::XFileMesh twoFaceMesh() {
  zv::XFileMesh mesh;
  mesh.name = "Quad";
  mesh.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  mesh.faces = {{0, 1, 2, 3}, {0, 2, 3}};
  mesh.materials = {{{0.8f, 0.2f, 0.2f, 1}, 12, {0.5f, 0.5f, 0.5f}, {0, 0, 0.1f}, "seed.bmp"},
                    {{1, 1, 1, 0.5f}, 0, {}, {}, ""}};
  mesh.faceMaterials = {0, 1};
  mesh.normals = {{0, 0, -1}, {0, 0, -1}, {0, 0, -1}, {0, 0, -1}};
  mesh.textureCoords = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  return mesh;
}

zv::XFileContent everyTemplate() {
  zv::XFileFrame child;
  child.name = zv::port::utf8ToCp932("子フレーム");
  child.matrix = zv::translation({0, 1, 0});
  child.meshes.push_back(twoFaceMesh());
  zv::XFileFrame root;
  root.name = "Seed";
  root.matrix = zv::translation({1, 2, 3});
  root.frames.push_back(std::move(child));
  zv::XFileMesh loose;
  loose.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  loose.faces = {{0, 1, 2}};
  zv::XFileContent content;
  content.frames.push_back(std::move(root));
  content.meshes.push_back(std::move(loose));
  return content;
}

// What the writer never makes: comments, a template definition, GUIDs, and a material defined at
// the top level that a mesh's material list names by reference.
constexpr std::string_view kXTextByReference = R"(xof 0303txt 0032
// a line comment
# another
template Seed {
 <11111111-2222-3333-4444-555555555555>
 DWORD count;
 array FLOAT values[count];
 [...]
}
Material Shared {
 0.8;0.2;0.2;1.0;;
 12.0;
 0.5;0.5;0.5;;
 0.0;0.0;0.1;;
 TextureFilename { "seed.bmp"; }
}
Frame Seed <AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE> {
 FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 1,2,3,1;; }
 Mesh {
  3; 0;0;0;, 1;0;0;, 0;1;0;;
  1; 3;0,1,2;;
  MeshMaterialList { 1; 1; 0;; { Shared } }
 }
}
)";

// Binary token codes, for the tokens the writer never makes.
constexpr unsigned kXName = 1;
constexpr unsigned kXString = 2;
constexpr unsigned kXInteger = 3;
constexpr unsigned kXGuid = 5;
constexpr unsigned kXIntegerList = 6;
constexpr unsigned kXFloatList = 7;
constexpr unsigned kXOpenBrace = 10;
constexpr unsigned kXCloseBrace = 11;
constexpr unsigned kXOpenBracket = 14;
constexpr unsigned kXCloseBracket = 15;
constexpr unsigned kXComma = 19;
constexpr unsigned kXSemicolon = 20;
constexpr unsigned kXTemplate = 31;
constexpr unsigned kXDword = 41;
constexpr unsigned kXFloat = 42;
constexpr unsigned kXArray = 52;

Bytes& xName(Bytes& out, std::string_view name) {
  return out.u16(kXName).u32(static_cast<std::uint32_t>(name.size())).text(name);
}

Bytes& xFloats(Bytes& out, std::initializer_list<float> values) {
  out.u16(kXFloatList).u32(static_cast<std::uint32_t>(values.size()));
  for (float value : values) {
    out.text(std::string_view(reinterpret_cast<const char*>(&value), sizeof value));
  }
  return out;
}

Bytes& xIntegers(Bytes& out, std::initializer_list<std::uint32_t> values) {
  out.u16(kXIntegerList).u32(static_cast<std::uint32_t>(values.size()));
  for (std::uint32_t value : values) {
    out.u32(value);
  }
  return out;
}

// The same document as the text one, with single integer tokens, punctuation and a string whose
// terminator is widened to a DWORD, as some writers do.
std::string xBinaryByReference() {
  Bytes out;
  out.text("xof 0303bin 0032").u16(kXTemplate);
  xName(out, "Seed").u16(kXOpenBrace).u16(kXGuid).text("0123456789abcdef");
  xName(out.u16(kXDword), "count").u16(kXSemicolon).u16(kXArray).u16(kXFloat);
  xName(out, "values").u16(kXOpenBracket);
  xName(out, "count").u16(kXCloseBracket).u16(kXSemicolon).u16(kXCloseBrace);
  xName(xName(out, "Material"), "Shared").u16(kXOpenBrace);
  xFloats(out, {0.8f, 0.2f, 0.2f, 1, 12, 0.5f, 0.5f, 0.5f, 0, 0, 0.1f});
  xName(out, "TextureFilename").u16(kXOpenBrace).u16(kXString).u32(8).text("seed.bmp");
  out.u16(kXSemicolon).u16(0).u16(kXCloseBrace).u16(kXCloseBrace);
  xName(xName(out, "Frame"), "Seed").u16(kXGuid).text("fedcba9876543210").u16(kXOpenBrace);
  xName(out, "Mesh").u16(kXOpenBrace).u16(kXInteger).u32(3).u16(kXComma);
  xFloats(out, {0, 0, 0, 1, 0, 0, 0, 1, 0});
  xIntegers(out, {1, 3, 0, 1, 2});
  xName(out, "MeshMaterialList").u16(kXOpenBrace);
  xIntegers(out, {1, 1, 0}).u16(kXOpenBrace);
  xName(out, "Shared").u16(kXCloseBrace).u16(kXCloseBrace);
  return out.u16(kXCloseBrace).u16(kXCloseBrace).data;
}

bool writeXSeeds(const fs::path& folder) {
  const zv::XFileContent content = everyTemplate();
  return write(folder / "every_template_text.x", zv::formatXText(content)) &&
         write(folder / "every_template_binary32.x", zv::formatXBinary(content, 32)) &&
         write(folder / "every_template_binary64.x", zv::formatXBinary(content, 64)) &&
         write(folder / "reference_text.x", std::string(kXTextByReference)) &&
         write(folder / "reference_binary32.x", xBinaryByReference());
}

// ---- Sequences: every event kind the reader steps over, tempo changes, and every syllable form.

std::string metaEvent(unsigned type, std::string_view data) {
  return Bytes().u8(0).u8(0xFF).u8(type).u8(static_cast<unsigned>(data.size())).text(data).data;
}

// A master track holding one of each event kind, then a voice track with two sung notes.
std::string everyEventKind() {
  zv::SequenceSong song;
  song.tempos = {{0, 500000}, {960, 600000}, {1920, 400000}};
  song.notes = {{480, 400, "ら", "4 a", 60}, {1440, 400, "き", "k' i", 62}};
  std::string master = metaEvent(0x00, std::string("\x00\x01", 2)) + metaEvent(0x02, "(c) seed") +
                       metaEvent(0x03, "Master") + metaEvent(0x04, "Voice") + metaEvent(0x05, "la");
  std::int32_t previousTick = 0;
  for (const zv::TempoChange& change : song.tempos) {
    master += zv::smfTempoEvent(static_cast<std::uint32_t>(change.tick - previousTick),
                                static_cast<std::uint32_t>(change.tempo));
    previousTick = change.tick;
  }
  master += metaEvent(0x58, std::string("\x04\x02\x18\x08", 4));
  master += metaEvent(0x59, std::string("\x02\x00", 2)) + metaEvent(0x59, std::string("\xFD\x01", 2));
  master += Bytes().bytes({0, 0x90, 60, 64, 0, 0xB0, 7, 100}).text(zv::smfQuantity(480)).data;
  master += Bytes().bytes({0x80, 60, 0}).text(zv::smfEndOfTrack()).data;
  const std::string voice =
      metaEvent(0x03, "Voice1") + zv::smfMetatextEvents(zv::sequenceMetatext(song)) + zv::smfEndOfTrack();
  return zv::smfFile(480, {zv::smfTrack(master), zv::smfTrack(voice)});
}

// Lyrics in each phonetic form the reader takes apart, including a '%' that must stay text.
zv::SequenceSong everySyllableForm() {
  zv::SequenceSong song;
  const std::pair<const char*, const char*> syllables[] = {
      {"あ", "a"},   {"ちゃ", "tS a"}, {"つ", "ts M"}, {"ふ", "p\\ M"},
      {"ん", "N\\"}, {"ん", "N"},      {"%s", "s a"},  {"ぎ", "g' i"},
  };
  std::int32_t tick = 0;
  for (const auto& [lyric, phonetic] : syllables) {
    song.notes.push_back({tick, 240, lyric, phonetic, 64});
    tick += 240;
  }
  return song;
}

bool writeSequenceSeeds(const fs::path& folder) {
  return write(folder / "every_event_kind.vsq", everyEventKind()) &&
         write(folder / "every_syllable_form.vsq", zv::sequenceFileBytes(everySyllableForm())) &&
         write(folder / "no_notes.vsq", zv::sequenceFileBytes(zv::SequenceSong{}));
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path corpus = argc > 1 ? fs::path(argv[1]) : fs::path("fuzz/corpus");
  for (const char* name : {"tga", "bmp", "wav", "vac", "motion", "x_file", "sequence"}) {
    std::error_code error;
    fs::create_directories(corpus / name, error);
    if (error) {
      std::cerr << "cannot create " << (corpus / name).string() << ": " << error.message() << "\n";
      return 1;
    }
  }
  const bool ok = writeTgaSeeds(corpus / "tga") && writeBmpSeeds(corpus / "bmp") &&
                  writeWavSeeds(corpus / "wav") && writeVacSeeds(corpus / "vac") &&
                  writeMotionSeeds(corpus / "motion") && writeXSeeds(corpus / "x_file") &&
                  writeSequenceSeeds(corpus / "sequence");
  return ok ? 0 : 1;
}
