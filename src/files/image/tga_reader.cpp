#include "files/image/tga_reader.h"

#include "files/image/bmp_reader.h"
#include "port/byte_cursor.h"
#include "port/file_bytes.h"

namespace zv {
namespace {

constexpr std::size_t kHeaderBytes = 18;
constexpr std::size_t kMapAndOriginBytes = 9;  // colour map layout, then the picture's origin
constexpr std::size_t kMaxTgaFileBytes = std::size_t{1} << 30;
constexpr std::uint8_t kRightToLeft = 0x10;
constexpr std::uint8_t kTopToBottom = 0x20;

using port::ByteCursor;

// Reads one pixel (blue, green, red[, alpha]) into `rgba`; false when the file ends first.
bool readPixel(ByteCursor& in, int bytesPerPixel, std::uint8_t* rgba) {
  const std::string_view pixel = in.take(static_cast<std::size_t>(bytesPerPixel));
  if (in.truncated()) {
    return false;
  }
  rgba[0] = static_cast<std::uint8_t>(pixel[2]);
  rgba[1] = static_cast<std::uint8_t>(pixel[1]);
  rgba[2] = static_cast<std::uint8_t>(pixel[0]);
  rgba[3] = bytesPerPixel == 4 ? static_cast<std::uint8_t>(pixel[3]) : 255;
  return true;
}

// One row of run-length packets. A packet that reaches past the row's end is cut there (its
// remaining raw pixels are still consumed) and the next row starts with a new packet.
bool readRunLengthRow(ByteCursor& in, int bytesPerPixel, std::uint8_t* row, int width) {
  int x = 0;
  while (x < width) {
    const std::uint8_t header = in.u8();
    if (in.truncated()) {
      return false;
    }
    const int count = (header & 0x7F) + 1;
    std::uint8_t pixel[4];
    if (header & 0x80) {
      if (!readPixel(in, bytesPerPixel, pixel)) {
        return false;
      }
      for (int i = 0; i < count; ++i, ++x) {
        if (x < width) {
          std::copy(pixel, pixel + 4, row + x * 4);
        }
      }
    } else {
      for (int i = 0; i < count; ++i, ++x) {
        if (!readPixel(in, bytesPerPixel, pixel)) {
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

bool readRawRow(ByteCursor& in, int bytesPerPixel, std::uint8_t* row, int width) {
  for (int x = 0; x < width; ++x) {
    if (!readPixel(in, bytesPerPixel, row + x * 4)) {
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

// Raw data holds every pixel; a run-length packet covers at most 128 pixels and costs its header
// and at least one pixel. Less than that cannot fill the picture, so it is refused before the
// picture is made (a few header bytes must not claim hundreds of megabytes).
bool pixelDataCanFill(std::size_t bytes, int width, int height, int bytesPerPixel, bool runLength) {
  const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  const std::uint64_t least = runLength
                                  ? (pixels + 127) / 128 * (1 + static_cast<std::uint64_t>(bytesPerPixel))
                                  : pixels * static_cast<std::uint64_t>(bytesPerPixel);
  return bytes >= least;
}

}  // namespace

std::optional<RgbaImage> decodeTga(std::span<const std::byte> file, std::string& error) {
  if (file.size() < kHeaderBytes) {
    error = "targa header cut short";
    return std::nullopt;
  }
  ByteCursor in(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
  const std::uint8_t idLength = in.u8();
  const std::uint8_t colourMapType = in.u8();
  const std::uint8_t imageType = in.u8();
  in.take(kMapAndOriginBytes);
  const int width = in.u16();
  const int height = in.u16();
  const int bitsPerPixel = in.u8();
  const std::uint8_t descriptor = in.u8();
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
  in.take(idLength);
  if (in.truncated()) {
    error = "targa identification field cut short";
    return std::nullopt;
  }
  const int bytesPerPixel = bitsPerPixel / 8;
  if (!pixelDataCanFill(in.remaining(), width, height, bytesPerPixel, imageType == 10)) {
    error = "targa pixel data cut short";
    return std::nullopt;
  }
  RgbaImage image = makeImage(width, height, bitsPerPixel);
  image.hasAlpha = true;
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
