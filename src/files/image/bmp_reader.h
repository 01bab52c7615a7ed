// Windows bitmap files as paint programs write them: uncompressed 1, 4, 8, 24 and 32 bits per
// pixel (32 also with bit-field masks) and run-length 8 and 4-bit. Everything else is refused.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "files/image/bmp_image.h"

namespace zv {

// The picture, or nothing with `error` saying why (English, for logs and tests).
std::optional<RgbaImage> decodeBmp(std::span<const std::byte> file, std::string& error);
std::optional<RgbaImage> readBmpFile(const std::filesystem::path& path, std::string& error);

}  // namespace zv
