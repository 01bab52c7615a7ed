#include "files/tga_reader.h"

#include "files/bmp_reader.h"
#include "port/file_bytes.h"

namespace zv {
namespace {

constexpr std::size_t kHeaderBytes = 18;
constexpr std::size_t kMaxTgaFileBytes = std::size_t{1} << 30;
constexpr std::uint8_t kRightToLeft = 0x10;
constexpr std::uint8_t kTopToBottom = 0x20;

struct TgaInput {
  std::span<const std::byte> data;
  std::size_t at = 0;

  std::uint8_t byteAt(std::size_t offset) const { return std::to_integer<std::uint8_t>(data[offset]); }
  // Reads one pixel (blue, green, red[, alpha]) into `rgba`; false when the file ends first.
  bool readPixel(int bytesPerPixel, std::uint8_t* rgba) {
    if (data.size() - at < static_cast<std::size_t>(bytesPerPixel)) {
      return false;
    }
    rgba[0] = byteAt(at + 2);
    rgba[1] = byteAt(at + 1);
    rgba[2] = byteAt(at);
    rgba[3] = bytesPerPixel == 4 ? byteAt(at + 3) : 255;
    at += bytesPerPixel;
    return true;
  }
};

// One row of run-length packets. A packet that reaches past the row's end is cut there (its
// remaining raw pixels are still consumed) and the next row starts with a new packet.
bool readRunLengthRow(TgaInput& in, int bytesPerPixel, std::uint8_t* row, int width) {
  int x = 0;
  while (x < width) {
    if (in.at >= in.data.size()) {
      return false;
    }
    const std::uint8_t header = in.byteAt(in.at++);
    const int count = (header & 0x7F) + 1;
    std::uint8_t pixel[4];
    if (header & 0x80) {
      if (!in.readPixel(bytesPerPixel, pixel)) {
        return false;
      }
      for (int i = 0; i < count; ++i, ++x) {
        if (x < width) {
          std::copy(pixel, pixel + 4, row + x * 4);
        }
      }
    } else {
      for (int i = 0; i < count; ++i, ++x) {
        if (!in.readPixel(bytesPerPixel, pixel)) {
          return false;
        }
        if (x < width) {
          std::copy(pixel, pixel + 4, row + x * 4);
        }
      }
    }
  }
  return true;
}

bool readRawRow(TgaInput& in, int bytesPerPixel, std::uint8_t* row, int width) {
  for (int x = 0; x < width; ++x) {
    if (!in.readPixel(bytesPerPixel, row + x * 4)) {
      return false;
    }
  }
  return true;
}

void mirrorRow(std::uint8_t* row, int width) {
  for (int left = 0, right = width - 1; left < right; ++left, --right) {
    std::swap_ranges(row + left * 4, row + left * 4 + 4, row + right * 4);
  }
}

}  // namespace

std::optional<RgbaImage> decodeTga(std::span<const std::byte> file, std::string& error) {
  if (file.size() < kHeaderBytes) {
    error = "targa header cut short";
    return std::nullopt;
  }
  TgaInput in{file};
  const std::uint8_t idLength = in.byteAt(0);
  const std::uint8_t colourMapType = in.byteAt(1);
  const std::uint8_t imageType = in.byteAt(2);
  const int width = in.byteAt(12) | in.byteAt(13) << 8;
  const int height = in.byteAt(14) | in.byteAt(15) << 8;
  const int bitsPerPixel = in.byteAt(16);
  const std::uint8_t descriptor = in.byteAt(17);
  if (colourMapType != 0 || (imageType != 2 && imageType != 10)) {
    error = "targa is not true colour (type " + std::to_string(imageType) + ", colour map " +
            std::to_string(colourMapType) + ")";
    return std::nullopt;
  }
  if (bitsPerPixel != 24 && bitsPerPixel != 32) {
    error = "targa has " + std::to_string(bitsPerPixel) + " bits per pixel; only 24 and 32 are read";
    return std::nullopt;
  }
  if (!imageSizeAcceptable(width, height)) {
    error = "targa size out of range";
    return std::nullopt;
  }
  in.at = kHeaderBytes + idLength;
  if (in.at > file.size()) {
    error = "targa identification field cut short";
    return std::nullopt;
  }
  RgbaImage image = makeImage(width, height, bitsPerPixel);
  image.hasAlpha = true;
  const int bytesPerPixel = bitsPerPixel / 8;
  for (int i = 0; i < height; ++i) {
    const int y = descriptor & kTopToBottom ? i : height - 1 - i;
    std::uint8_t* row = image.at(0, y);
    const bool complete = imageType == 10 ? readRunLengthRow(in, bytesPerPixel, row, width)
                                          : readRawRow(in, bytesPerPixel, row, width);
    if (!complete) {
      error = "targa pixel data cut short";
      return std::nullopt;
    }
    if (descriptor & kRightToLeft) {
      mirrorRow(row, width);
    }
  }
  return image;
}

std::optional<RgbaImage> readTgaFile(const std::filesystem::path& path, std::string& error) {
  int unreadable = 0;
  const std::optional<std::string> bytes = port::readWholeFile(path, unreadable, kMaxTgaFileBytes);
  if (!bytes) {
    error = "cannot read " + path.string();
    return std::nullopt;
  }
  return decodeTga(std::as_bytes(std::span(*bytes)), error);
}

}  // namespace zv
