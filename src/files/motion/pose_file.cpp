#include "files/motion/pose_file.h"

#include <charconv>
#include <cmath>

#include "files/common/atomic_write.h"
#include "port/file_bytes.h"
#include "port/text.h"
#include "scene/undo/undo.h"

namespace zv {
namespace {

constexpr std::size_t kNameBytes = 20;
constexpr std::size_t kHeaderLines = 5;
constexpr std::size_t kEntryLines = 5;

// "%f": fixed notation with six decimals, written without regard to the process locale.
std::string fixed6(float value) {
  char text[64];
  auto [end, error] =
      std::to_chars(text, text + sizeof text, static_cast<double>(value), std::chars_format::fixed, 6);
  return error == std::errc{} ? std::string(text, end) : std::string("0.000000");
}

std::string_view bounded(std::string_view name) {
  return name.substr(0, std::min(name.size(), kNameBytes));
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    lines.push_back(line);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  return lines;
}

// Reads `count` comma-separated numbers after leading blanks, the last one followed by ';'. "nan"
// and "inf" are refused: one such number would spread through every matrix below the bone.
bool readNumbers(std::string_view line, float* numbers, int count) {
  std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    return false;
  }
  const char* cursor = line.data() + start;
  const char* end = line.data() + line.size();
  for (int i = 0; i < count; ++i) {
    auto [next, error] = std::from_chars(cursor, end, numbers[i]);
    char separator = i + 1 < count ? ',' : ';';
    if (error != std::errc{} || !std::isfinite(numbers[i]) || next == end || *next != separator) {
      return false;
    }
    cursor = next + 1;
  }
  return true;
}

}  // namespace

std::string formatPoseFile(const Model& model) {
  int count = 0;
  for (std::uint8_t selected : model.boneSelected) {
    count += selected != 0;
  }
  std::string out = "Vocaloid Pose Data file\r\n\r\n";
  out += std::string(bounded(model.name)) + ".osm;\t\t" + port::utf8ToCp932("// 親ファイル名") + "\r\n";
  out += std::to_string(count) + ";\t\t\t\t" + port::utf8ToCp932("// 総ポーズボーン数") + "\r\n\r\n";
  int entry = 0;
  for (std::size_t b = 0; b < model.bones.size(); ++b) {
    if (!model.boneSelected[b]) {
      continue;
    }
    const Bone& bone = model.bones[b];
    const Vec3& t = bone.keyTranslation;
    const Quat& q = bone.keyRotation;
    out += "Bone" + std::to_string(entry++) + "{" + std::string(bounded(bone.name)) + "\r\n";
    out += "  " + fixed6(t.x) + "," + fixed6(t.y) + "," + fixed6(t.z) + ";\t\t\t\t// trans x,y,z\r\n";
    out += "  " + fixed6(q.x) + "," + fixed6(q.y) + "," + fixed6(q.z) + "," + fixed6(q.w) +
           ";\t\t// Quatanion x,y,z,w\r\n";
    out += "}\r\n\r\n";
  }
  return out;
}

std::vector<PoseFileEntry> parsePoseFile(std::string_view text) {
  std::vector<std::string_view> lines = splitLines(text);
  std::vector<PoseFileEntry> entries;
  for (std::size_t first = kHeaderLines; first + 2 < lines.size(); first += kEntryLines) {
    std::size_t brace = lines[first].find('{');
    float t[3], q[4];
    if (brace == std::string_view::npos || !readNumbers(lines[first + 1], t, 3) ||
        !readNumbers(lines[first + 2], q, 4)) {
      continue;
    }
    entries.push_back(
        {std::string(bounded(lines[first].substr(brace + 1))), {t[0], t[1], t[2]}, {q[0], q[1], q[2], q[3]}});
  }
  return entries;
}

Outcome savePose(Scene& scene, const std::filesystem::path& path) {
  const Model* model = currentModel(scene);
  if (model == nullptr) {
    return {};
  }
  if (!writeFileAtomically(path, formatPoseFile(*model))) {
    return {false, {{"ポーズデータを保存できませんでした", "ポーズデータ保存"}}};
  }
  return {true, {}};
}

bool loadPose(Scene& scene, const std::filesystem::path& path) {
  Model* model = currentModel(scene);
  int error = 0;
  const std::optional<std::string> text = model ? port::readWholeFile(path, error) : std::nullopt;
  if (!text) {
    return false;
  }
  std::vector<PoseFileEntry> entries = parsePoseFile(*text);
  beginStep(scene, *model, UndoKind::Pose, scene.currentFrame);
  std::vector<PoseEntry> changed;
  std::vector<bool> recorded(model->bones.size());
  for (const PoseFileEntry& entry : entries) {
    for (std::uint32_t b = 0; b < model->bones.size(); ++b) {
      Bone& bone = model->bones[b];
      if (bounded(bone.name) != entry.boneName) {
        continue;
      }
      if (!recorded[b]) {  // a bone named twice is restored to its state before the load
        recorded[b] = true;
        changed.push_back({b, bone.keyTranslation, bone.keyRotation, model->boneMoved[b] != 0});
      }
      model->boneSelected[b] = 1;
      model->boneMoved[b] = 1;
      bone.keyTranslation = entry.translation;
      bone.keyRotation = entry.rotation;
    }
  }
  // The step restores exactly the bones the file changed.
  model->undoHistory.undoRing[model->undoHistory.position].poses = std::move(changed);
  return true;
}

}  // namespace zv
