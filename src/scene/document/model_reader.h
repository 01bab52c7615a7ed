// Reading .tsm model files into a plain Model. Nothing here touches the display device: the
// renderer creates the vertex buffers and textures of a parsed model afterwards.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "scene/document/model.h"
#include "scene/keys/key_records.h"

namespace zv {

// The morph key pool needs a free record beyond the heads.
inline constexpr std::size_t kMaxModelMorphs = MorphKey::kPoolCapacity - 1;

// Why a model could not be read, as the user is told: both texts UTF-8.
struct ModelLoadFailure {
  std::string message;
  std::string caption;
  bool operator==(const ModelLoadFailure&) const = default;
};

// Parses the bytes of a .tsm file into `model`, which must be freshly constructed. Every count and
// index is checked against the data it refers to; on failure `model` holds partial data and must
// be discarded. On success the model is complete except for its device resources: key pools with
// one head per bone and morph, visible, bone 0 selected, group names and bone-list groups shifted.
std::optional<ModelLoadFailure> parseModel(std::string_view bytes, Model& model);

// Opens `path`, or, when that fails and the path names a .tsm file, the same file name under
// `exeDirectory`/UserFile/Model; then parses it and sets `model.filePath`. On success `path`
// names the file actually read; on failure it is unchanged.
std::optional<ModelLoadFailure> readModelFile(std::filesystem::path& path,
                                              const std::filesystem::path& exeDirectory, Model& model);

}  // namespace zv
