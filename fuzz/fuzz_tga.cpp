// Hostile bytes into the Targa reader. A refused file must say why; an accepted one must hold
// exactly the pixels its size promises, be marked as having alpha (every Targa picture is), and be
// opaque when the file had no alpha bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "files/image/tga_reader.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  auto image = zv::decodeTga(std::span(reinterpret_cast<const std::byte*>(data), size), error);
  if (!image) {
    require(!error.empty());
    return 0;
  }
  require(image->width > 0 && image->height > 0 && zv::imageSizeAcceptable(image->width, image->height));
  require(image->pixels.size() == static_cast<std::size_t>(image->width) * image->height * 4);
  require(image->bitsPerPixel == 24 || image->bitsPerPixel == 32);
  require(image->hasAlpha);
  if (image->bitsPerPixel == 24) {
    for (std::size_t alpha = 3; alpha < image->pixels.size(); alpha += 4) {
      require(image->pixels[alpha] == 255);
    }
  }
  return 0;
}
