// Targa files of true colour, uncompressed (type 2) or run-length (type 10), 24 or 32 bits per
// pixel. Colour-mapped, grey, 16-bit and other files are refused.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "files/image/bmp_image.h"

namespace zv {

// The picture, or nothing with `error` saying why. hasAlpha is true for every Targa picture, so
// its texture always gets an alpha channel: a 32-bit file gives its own alpha bytes, a 24-bit one
// alpha 255 everywhere.
std::optional<RgbaImage> decodeTga(std::span<const std::byte> file, std::string& error);
std::optional<RgbaImage> readTgaFile(const std::filesystem::path& path, std::string& error);

}  // namespace zv
