// Every texture of the program under its file name: model and prop textures, the toon ramps and
// the gizmo images. Registering reads the image into memory; `createSurfaces` makes the device
// textures of all entries, so they can be remade without reading files again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <list>
#include <optional>
#include <string>
#include <string_view>

#include "files/image/bmp_image.h"
#include "render/display_device.h"

namespace zv {

struct DeviceTexture {
  unsigned name = 0;  // GL texture name; 0 for none
  int width = 0;
  int height = 0;
};

struct TextureEntry {
  std::string name;              // as registered (CP932, '\' or '/' separators), never cut short
  std::filesystem::path folder;  // the folder the name was looked up from
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bitsPerPixel = 0;  // of the source image
  std::uint32_t stage = 0;
  bool hasAlpha = false;  // as the image reader set it: true for every TGA image, 24-bit ones too
  RgbaImage image;
  DeviceTexture surface;
};

// Texture limits of a device; tests set their own in TextureStore::emulatedLimits.
struct TextureLimits {
  bool powerOfTwo = false;
  bool square = false;
  int maxWidth = 0;  // 0: the device reports none, and 256 applies
  int maxHeight = 0;
};

struct TextureStore {
  std::list<TextureEntry> entries;  // newest first
  std::optional<TextureLimits> emulatedLimits;
};

// The program's one store.
TextureStore& processTextureStore();

// True when an entry of this name (ASCII case ignored) from `folder` exists or was created with
// its image read from `folder` / name (or the media folder). A failure leaves no entry.
bool registerTexture(TextureStore& store, std::string_view name,
                     const std::filesystem::path& folder = std::filesystem::current_path());
// (Re)creates the device texture of every entry; entries whose texture cannot be made keep none.
void createSurfaces(TextureStore& store, const DisplayDevice& device);
// The texture of the newest entry of that name, or none (name 0).
DeviceTexture findTexture(const TextureStore& store, std::string_view name);
// The texture of that name registered from `folder`: two models in different folders that name
// the same file each get their own.
DeviceTexture findTexture(const TextureStore& store, std::string_view name,
                          const std::filesystem::path& folder);
const TextureEntry* findEntry(const TextureStore& store, std::string_view name);
// Releases the texture and image of every entry of that name and removes them.
void removeTexture(TextureStore& store, std::string_view name);
void releaseSurfaces(TextureStore& store);
// The platform's sample media folder searched last for textures: there is none here.
std::string mediaFolder();

// The texture size an image of width x height gets on a device with `limits`.
port::Size textureSurfaceSize(int width, int height, const TextureLimits& limits);
TextureLimits deviceTextureLimits(const DisplayDevice& device);

// ASCII case-insensitive comparison of CP932 names; double-byte characters compare exactly.
bool sameTextureName(std::string_view a, std::string_view b);

}  // namespace zv
