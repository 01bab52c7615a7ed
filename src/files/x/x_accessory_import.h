// Reading a prop from an X file or a .vac descriptor, with the program's path fall-backs, into a
// frame tree that the drawing turns into device buffers. No current folder is changed: the folder
// the textures resolve against is handed back instead.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/x/vac_descriptor.h"
#include "files/x/x_frame_tree.h"

namespace zv {

enum class AccessoryFileKind { XFile, Descriptor, Other };

// By the extension of the last path component, in any case: ".X" is an X file, a folder named
// "a.xyz" on the way is not.
AccessoryFileKind accessoryFileKind(const std::filesystem::path& path);

struct AccessoryImport {
  XFrameNode tree;                          // root named kXRootName
  std::string name;                         // CP932: the X file's name without folder
  std::filesystem::path path;               // the path given, as the project file stores it
  std::filesystem::path textureFolder;      // folder of the file actually opened (X file or descriptor)
  std::optional<VacDescriptor> descriptor;  // the starting values when read through a descriptor
};

struct AccessoryImportResult {
  std::optional<AccessoryImport> accessory;
  std::vector<XMessage> messages;  // to show in order, also after a failure
  std::string failure;             // why, for the command-line tool; empty on success
};

// Files larger than this are refused before they are read.
inline constexpr std::uintmax_t kMaxAccessoryFileBytes = 256u << 20;

// Opens `path`; when it does not exist, the same file name under
// `programFolder`/UserFile/Accessory (both retried without regard to case). A descriptor's X file
// is looked for relative to the descriptor's folder, then by file name there and under
// UserFile/Accessory. A missing file shows "xファイルが見つかりません" or "vacファイルが見つかりません".
AccessoryImportResult importAccessory(const std::filesystem::path& path,
                                      const std::filesystem::path& programFolder);

}  // namespace zv
