#include "files/image/bmp_reader.h"

#include <array>
#include <bit>
#include <cstring>

#include "port/byte_cursor.h"
#include "port/file_bytes.h"

namespace zv {
namespace {

constexpr std::size_t kMaxBmpFileBytes = std::size_t{1} << 30;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

using port::ByteCursor;

// A cursor at `offset` of the file; past its end, one whose every read fails.
ByteCursor cursorAt(std::string_view file, std::size_t offset) {
  return ByteCursor(offset <= file.size() ? file.substr(offset) : std::string_view());
}

struct BmpLayout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // positive; topDown says how rows are stored
  bool topDown = false;
  int bitsPerPixel = 0;
  std::uint32_t compression = kRgb;
  std::array<std::uint32_t, 3> masks{0x00FF0000, 0x0000FF00, 0x000000FF};  // red, green, blue
  std::uint32_t alphaMask = 0;
  std::vector<std::array<std::uint8_t, 3>> palette;  // r, g, b
  std::size_t pixelOffset = 0;
};

bool readHeader(std::string_view file, BmpLayout& layout, std::string& error) {
  ByteCursor in(file);
  if (in.take(2) != "BM") {
    error = "not a bitmap file";
    return false;
  }
  in.take(8);  // file size, reserved
  layout.pixelOffset = in.u32();
  const std::uint32_t infoSize = in.u32();
  if (in.truncated()) {
    error = "bitmap header cut short";
    return false;
  }
  std::size_t paletteEntryBytes = 4;
  std::uint32_t coloursUsed = 0;
  if (infoSize == 12) {
    layout.width = in.u16();
    layout.height = in.u16();
    in.take(2);  // planes
    layout.bitsPerPixel = in.u16();
    paletteEntryBytes = 3;
  } else if (infoSize >= 40 && infoSize <= 124) {
    layout.width = in.read<std::int32_t>();
    const auto height = in.read<std::int32_t>();
    layout.topDown = height < 0;
    layout.height = layout.topDown ? -static_cast<std::int64_t>(height) : height;
    in.take(2);  // planes
    layout.bitsPerPixel = in.u16();
    layout.compression = in.u32();
    in.take(12);  // image size, resolution
    coloursUsed = in.u32();
    if (layout.compression == kBitFields) {
      // Masks follow a 40-byte header and sit inside the larger ones.
      in.take(4);  // important colours
      layout.masks = {in.u32(), in.u32(), in.u32()};
      layout.alphaMask = infoSize >= 56 ? in.u32() : 0;
    }
  } else {
    error = "unsupported bitmap header size " + std::to_string(infoSize);
    return false;
  }
  if (in.truncated()) {
    error = "bitmap header cut short";
    return false;
  }
  if (!imageSizeAcceptable(layout.width, layout.height)) {
    error = "bitmap size out of range";
    return false;
  }
  const int bits = layout.bitsPerPixel;
  const std::uint32_t c = layout.compression;
  const bool supported = (c == kRgb && (bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32)) ||
                         (c == kBitFields && bits == 32) || (c == kRle8 && bits == 8) ||
                         (c == kRle4 && bits == 4);
  if (!supported) {
    error = "unsupported bitmap format: " + std::to_string(bits) + " bits, compression " + std::to_string(c);
    return false;
  }
  if ((c == kRle8 || c == kRle4) && layout.topDown) {
    error = "top-down run-length bitmap";
    return false;
  }
  if (bits <= 8) {
    const std::uint32_t maxColours = 1u << bits;
    const std::uint32_t count = coloursUsed == 0 || coloursUsed > maxColours ? maxColours : coloursUsed;
    ByteCursor entries = cursorAt(file, 14 + infoSize + (c == kBitFields && infoSize == 40 ? 12 : 0));
    for (std::uint32_t i = 0; i < count; ++i) {
      if (i > 0) {
        entries.take(paletteEntryBytes - 3);  // the previous entry's unused byte
      }
      const std::string_view bgr = entries.take(3);
      if (!bgr.empty()) {
        layout.palette.push_back({static_cast<std::uint8_t>(bgr[2]), static_cast<std::uint8_t>(bgr[1]),
                                  static_cast<std::uint8_t>(bgr[0])});
      }
    }
    if (entries.truncated()) {
      error = "bitmap palette cut short";
      return false;
    }
  }
  return true;
}

void putIndexed(RgbaImage& image, const BmpLayout& layout, int x, int y, std::uint32_t index) {
  std::uint8_t* pixel = image.at(x, y);
  // An index beyond the palette shows black, as the system's own bitmap loader does.
  if (index < layout.palette.size()) {
    pixel[0] = layout.palette[index][0];
    pixel[1] = layout.palette[index][1];
    pixel[2] = layout.palette[index][2];
  }
  pixel[3] = 255;
}

std::uint8_t maskedChannel(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) {
    return 0;
  }
  const int shift = std::countr_zero(mask);
  const int width = std::popcount(mask >> shift);
  const std::uint32_t field = (value & mask) >> shift;
  if (width >= 8) {
    return static_cast<std::uint8_t>(field >> (width - 8));
  }
  return static_cast<std::uint8_t>(field * 255 / ((1u << width) - 1));
}

std::size_t rowBytesOf(const BmpLayout& layout) {
  return ((static_cast<std::size_t>(layout.width) * layout.bitsPerPixel + 31) / 32) * 4;
}

// Every row of uncompressed data lies within the file: checked before the picture is made, so a
// few header bytes cannot claim hundreds of megabytes.
bool uncompressedRowsFit(std::string_view file, const BmpLayout& layout) {
  return layout.pixelOffset <= file.size() &&
         (file.size() - layout.pixelOffset) / rowBytesOf(layout) >= static_cast<std::size_t>(layout.height);
}

void decodeUncompressed(std::string_view file, const BmpLayout& layout, RgbaImage& image) {
  const std::size_t rowBytes = rowBytesOf(layout);
  for (int row = 0; row < image.height; ++row) {
    const int y = layout.topDown ? row : image.height - 1 - row;
    ByteCursor in = cursorAt(file, layout.pixelOffset + row * rowBytes);
    std::uint32_t packed = 0;  // the byte that holds this and the next indices at 1 and 4 bits
    for (int x = 0; x < image.width; ++x) {
      switch (layout.bitsPerPixel) {
        case 1:
          packed = x % 8 == 0 ? in.u8() : packed;
          putIndexed(image, layout, x, y, packed >> (7 - x % 8) & 1);
          break;
        case 4:
          packed = x % 2 == 0 ? in.u8() : packed;
          putIndexed(image, layout, x, y, packed >> (x % 2 == 0 ? 4 : 0) & 0xF);
          break;
        case 8:
          putIndexed(image, layout, x, y, in.u8());
          break;
        case 24: {
          const std::string_view bgr = in.take(3);
          std::uint8_t* pixel = image.at(x, y);
          pixel[0] = static_cast<std::uint8_t>(bgr[2]);
          pixel[1] = static_cast<std::uint8_t>(bgr[1]);
          pixel[2] = static_cast<std::uint8_t>(bgr[0]);
          pixel[3] = 255;
          break;
        }
        default: {
          const std::uint32_t value = in.u32();
          std::uint8_t* pixel = image.at(x, y);
          pixel[0] = maskedChannel(value, layout.masks[0]);
          pixel[1] = maskedChannel(value, layout.masks[1]);
          pixel[2] = maskedChannel(value, layout.masks[2]);
          pixel[3] = 255;
          break;
        }
      }
    }
  }
}

// Every pixel palette entry 0. A few bytes of runs may describe a picture of millions of pixels,
// so the first row is painted and copied to the others.
void paintEntryZero(const BmpLayout& layout, RgbaImage& image) {
  for (int x = 0; x < image.width; ++x) {
    putIndexed(image, layout, x, 0, 0);
  }
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
  for (int y = 1; y < image.height; ++y) {
    std::memcpy(image.at(0, y), image.at(0, 0), rowBytes);
  }
}

// Run-length 8 and 4-bit data: pixels the runs skip keep palette entry 0.
bool decodeRunLength(std::string_view file, const BmpLayout& layout, RgbaImage& image, std::string& error) {
  const bool four = layout.compression == kRle4;
  paintEntryZero(layout, image);
  ByteCursor in = cursorAt(file, layout.pixelOffset);
  std::int64_t x = 0;
  std::int64_t row = 0;  // counted from the bottom
  auto put = [&](std::uint32_t index) {
    if (x < image.width && row < image.height) {
      putIndexed(image, layout, static_cast<int>(x), static_cast<int>(image.height - 1 - row), index);
    }
    ++x;
  };
  while (row < image.height) {
    const std::uint32_t count = in.u8();
    const std::uint32_t value = in.u8();
    if (in.truncated()) {
      error = "run-length bitmap data cut short";
      return false;
    }
    if (count > 0) {
      for (std::uint32_t i = 0; i < count; ++i) {
        put(four ? (i % 2 == 0 ? value >> 4 : value & 0xF) : value);
      }
    } else if (value == 0) {
      x = 0;
      ++row;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      x += in.u8();
      row += in.u8();
    } else {
      // An absolute run, padded to a whole number of 16-bit words.
      const std::size_t bytes = four ? (value + 1) / 2 : value;
      const std::string_view run = in.take(bytes);
      for (std::uint32_t i = 0; i < value && !run.empty(); ++i) {
        const auto byte = static_cast<std::uint8_t>(run[four ? i / 2 : i]);
        put(four ? (i % 2 == 0 ? byte >> 4 : byte & 0xF) : byte);
      }
      in.take(bytes % 2);
    }
  }
  return true;
}

}  // namespace

std::optional<RgbaImage> decodeBmp(std::span<const std::byte> bytes, std::string& error) {
  const std::string_view file(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  BmpLayout layout;
  if (!readHeader(file, layout, error)) {
    return std::nullopt;
  }
  const bool runLength = layout.compression == kRle8 || layout.compression == kRle4;
  if (!runLength && !uncompressedRowsFit(file, layout)) {
    error = "bitmap pixel data cut short";
    return std::nullopt;
  }
  RgbaImage image =
      makeImage(static_cast<int>(layout.width), static_cast<int>(layout.height), layout.bitsPerPixel);
  if (!runLength) {
    decodeUncompressed(file, layout, image);
  } else if (!decodeRunLength(file, layout, image, error)) {
    return std::nullopt;
  }
  return image;
}

std::optional<RgbaImage> readBmpFile(const std::filesystem::path& path, std::string& error) {
  int unreadable = 0;
  const std::optional<std::string> bytes = port::readWholeFile(path, unreadable, kMaxBmpFileBytes);
  if (!bytes) {
    error = "cannot read " + path.string();
    return std::nullopt;
  }
  return decodeBmp(std::as_bytes(std::span(*bytes)), error);
}

}  // namespace zv
