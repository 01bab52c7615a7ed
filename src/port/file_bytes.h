// Reading a whole file into memory, for the readers that parse a file from its bytes.
#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

namespace zv::port {

// The whole content of `path`, or nothing with `error` set to the system's error number. A file
// of more than `limit` bytes is refused with EFBIG, before it is read when its size is known.
std::optional<std::string> readWholeFile(const std::filesystem::path& path, int& error,
                                         std::size_t limit = std::numeric_limits<std::size_t>::max());

}  // namespace zv::port
