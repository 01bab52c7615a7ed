// Writing a whole file so that it is either completely replaced or left as it was.
#pragma once

#include <filesystem>
#include <string_view>

namespace zv {

// Writes `bytes` to a temporary file beside `file`, checks every write, flushes it to disk and
// renames it over `file`. On any failure the temporary file is removed, `file` is untouched and
// the result is false.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace zv
