#include "render/texture_store.h"

#include <GL/glcorearb.h>

#include <algorithm>
#include <bit>
#include <cctype>

#include "files/image/bmp_reader.h"
#include "files/image/tga_reader.h"
#include "port/paths.h"
#include "port/text.h"

namespace zv {
namespace {

constexpr int kReportedMaximum = 256;

char foldAscii(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::filesystem::path absoluteFolder(const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
  return (error ? folder : absolute).lexically_normal();
}

std::optional<RgbaImage> loadImage(std::string_view name, const std::filesystem::path& folder) {
  const std::filesystem::path relative = port::fromStoredPath(name);
  std::filesystem::path file = port::resolveCaseInsensitive(folder / relative);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    const std::string media = mediaFolder();
    if (media.empty()) {
      return std::nullopt;
    }
    file = port::resolveCaseInsensitive(std::filesystem::path(media) / relative);
  }
  std::string extension(port::extensionOf(name));
  std::transform(extension.begin(), extension.end(), extension.begin(), foldAscii);
  std::string reason;
  if (extension == "bmp") {
    return readBmpFile(file, reason);
  }
  if (extension == "tga") {
    return readTgaFile(file, reason);
  }
  return std::nullopt;
}

// The image resampled to width x height by nearest pixel, as the device's stretching copy does.
std::vector<std::uint8_t> stretched(const RgbaImage& image, int width, int height) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    const int sourceY = static_cast<int>(static_cast<std::int64_t>(y) * image.height / height);
    for (int x = 0; x < width; ++x) {
      const int sourceX = static_cast<int>(static_cast<std::int64_t>(x) * image.width / width);
      std::copy_n(image.at(sourceX, sourceY), 4,
                  pixels.data() + (static_cast<std::size_t>(y) * width + x) * 4);
    }
  }
  return pixels;
}

void releaseSurface(TextureEntry& entry) {
  if (entry.surface.name != 0) {
    glDeleteTextures(1, &entry.surface.name);
  }
  entry.surface = DeviceTexture{};
}

bool createSurface(TextureEntry& entry, const TextureLimits& limits) {
  releaseSurface(entry);
  if (entry.image.pixels.empty()) {
    return false;
  }
  const port::Size size = textureSurfaceSize(entry.image.width, entry.image.height, limits);
  const std::vector<std::uint8_t> pixels =
      size.width == entry.image.width && size.height == entry.image.height
          ? entry.image.pixels
          : stretched(entry.image, size.width, size.height);
  glGetError();
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, entry.hasAlpha ? GL_RGBA8 : GL_RGB8, size.width, size.height, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, pixels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  if (glGetError() != GL_NO_ERROR) {
    glDeleteTextures(1, &texture);
    return false;
  }
  entry.surface = {texture, size.width, size.height};
  return true;
}

}  // namespace

TextureStore& processTextureStore() {
  static TextureStore store;
  return store;
}

bool sameTextureName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto byte = static_cast<unsigned char>(a[i]);
    if (port::isCp932LeadByte(byte) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
        return false;
      }
      ++i;
    } else if (foldAscii(a[i]) != foldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

bool registerTexture(TextureStore& store, std::string_view name, const std::filesystem::path& folder) {
  const std::filesystem::path from = absoluteFolder(folder);
  for (const TextureEntry& entry : store.entries) {
    if (entry.folder == from && sameTextureName(entry.name, name)) {
      return true;
    }
  }
  std::optional<RgbaImage> image = loadImage(name, from);
  if (!image) {
    return false;
  }
  TextureEntry entry;
  entry.name = std::string(name);
  entry.folder = from;
  entry.width = static_cast<std::uint32_t>(image->width);
  entry.height = static_cast<std::uint32_t>(image->height);
  entry.bitsPerPixel = static_cast<std::uint32_t>(image->bitsPerPixel);
  entry.hasAlpha = image->hasAlpha;
  entry.image = std::move(*image);
  store.entries.push_front(std::move(entry));
  return true;
}

port::Size textureSurfaceSize(int width, int height, const TextureLimits& limits) {
  if (limits.powerOfTwo) {
    width = static_cast<int>(std::bit_ceil(static_cast<unsigned>(width)));
    height = static_cast<int>(std::bit_ceil(static_cast<unsigned>(height)));
  }
  width = std::min(width, limits.maxWidth > 0 ? limits.maxWidth : kReportedMaximum);
  height = std::min(height, limits.maxHeight > 0 ? limits.maxHeight : kReportedMaximum);
  if (limits.square) {
    width = height = std::max(width, height);
  }
  return {width, height};
}

TextureLimits deviceTextureLimits(const DisplayDevice& device) {
  return TextureLimits{false, false, device.maxTextureSize, device.maxTextureSize};
}

void createSurfaces(TextureStore& store, const DisplayDevice& device) {
  const TextureLimits limits = store.emulatedLimits.value_or(deviceTextureLimits(device));
  for (TextureEntry& entry : store.entries) {
    createSurface(entry, limits);
  }
}

DeviceTexture findTexture(const TextureStore& store, std::string_view name) {
  const TextureEntry* entry = findEntry(store, name);
  return entry ? entry->surface : DeviceTexture{};
}

DeviceTexture findTexture(const TextureStore& store, std::string_view name,
                          const std::filesystem::path& folder) {
  const std::filesystem::path from = absoluteFolder(folder);
  for (const TextureEntry& entry : store.entries) {
    if (entry.folder == from && sameTextureName(entry.name, name)) {
      return entry.surface;
    }
  }
  return DeviceTexture{};
}

const TextureEntry* findEntry(const TextureStore& store, std::string_view name) {
  for (const TextureEntry& entry : store.entries) {
    if (sameTextureName(entry.name, name)) {
      return &entry;
    }
  }
  return nullptr;
}

void removeTexture(TextureStore& store, std::string_view name) {
  store.entries.remove_if([&](TextureEntry& entry) {
    if (!sameTextureName(entry.name, name)) {
      return false;
    }
    releaseSurface(entry);
    return true;
  });
}

void releaseSurfaces(TextureStore& store) {
  for (TextureEntry& entry : store.entries) {
    releaseSurface(entry);
  }
}

std::string mediaFolder() {
  return {};
}

}  // namespace zv
