// Hostile bytes into the bitmap reader. A refused file must say why; an accepted one must hold
// exactly the pixels its size promises, since textures and sprites index them without checks.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "files/image/bmp_reader.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

bool knownDepth(int bitsPerPixel) {
  return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 24 ||
         bitsPerPixel == 32;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  auto image = zv::decodeBmp(std::span(reinterpret_cast<const std::byte*>(data), size), error);
  if (!image) {
    require(!error.empty());
    return 0;
  }
  require(image->width > 0 && image->height > 0 && zv::imageSizeAcceptable(image->width, image->height));
  require(image->pixels.size() == static_cast<std::size_t>(image->width) * image->height * 4);
  require(knownDepth(image->bitsPerPixel));
  return 0;
}
