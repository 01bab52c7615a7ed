// Reading a project file into plain records. The layout of a model block depends on the model
// file it names, so the caller loads each model when the reader reaches it and answers with its
// counts. Nothing is trusted: every read is bounded, every count, slot, row and pool index is
// checked, and a file that breaks any of it is refused as a whole.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "files/project/project_records.h"

namespace zv {

inline constexpr std::string_view kProjectCaption = "ファイル読込";
inline constexpr std::string_view kForeignProjectMessage =
    "このファイルはTessera Scene Forge用ファイルではありません";
inline constexpr std::string_view kProjectVersionMessage = "このバージョンのtsfファイルは読めません";
inline constexpr std::string_view kDamagedProjectMessage = "tsfファイルの内容が壊れているため読み込めません";
inline constexpr std::string_view kUnknownModelFile = "不明";

enum class ProjectRefusal {
  Foreign,       // the magic text is absent
  WrongVersion,  // the magic text is there, the version is not "0001"
  ModelMissing,  // the caller could not load a model the file names
  Damaged,       // the bytes break the layout or the capacities
};

// A message for the user (UTF-8) with its caption.
struct ProjectMessage {
  std::string text;
  std::string caption;
};

struct ProjectReadFailure {
  ProjectRefusal refusal = ProjectRefusal::Damaged;
  ProjectMessage message;
};

struct ProjectReadResult {
  std::optional<ProjectFile> project;
  std::optional<ProjectReadFailure> failure;  // set exactly when project is not
};

// Loads the model a block names (its slot, name and stored path are filled) and returns its
// counts, or nothing when the model cannot be loaded.
using ProjectModelLoader = std::function<std::optional<ProjectModelCounts>(const ProjectModelBlock&)>;

// The check of the 30-byte magic field alone: nothing when the file is a project of this version.
std::optional<ProjectReadFailure> checkProjectMagic(std::string_view bytes);

// The whole file, the magic check included. Counts, slots and rows are checked against the file
// and the loaded models; links are read as stored (see project_links.h for their repair).
ProjectReadResult readProject(std::string_view bytes, const ProjectModelLoader& loadModel);

// "%sのモデルファイル(%s)が見つかりません" for a block whose model could not be loaded: the stored
// name, and the file name after the last '\' before the first ".tsm" of the stored path ("不明"
// when there is none).
ProjectMessage missingModelMessage(const ProjectModelBlock& block);

}  // namespace zv
