#include "media/background_image.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "files/image/bmp_reader.h"
#include "media/background_stretch.h"
#include "media/background_video.h"
#include "port/paths.h"

namespace zv {

namespace {

bool namesBmpInFolder(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return path.has_parent_path() && extension == ".bmp";
}

// The bitmap as the surfaces hold pictures: B, G, R, A.
port::Picture toPicture(const RgbaImage& image) {
  port::Picture picture{image.width, image.height, image.pixels};
  for (std::size_t offset = 0; offset < picture.pixels.size(); offset += 4) {
    std::swap(picture.pixels[offset], picture.pixels[offset + 2]);
  }
  return picture;
}

std::optional<RgbaImage> readWithFallBack(const Scene& scene, std::filesystem::path& path) {
  std::string error;
  std::optional<RgbaImage> image = readBmpFile(path, error);
  if (image || !namesBmpInFolder(path)) {
    return image;
  }
  path =
      port::resolveCaseInsensitive(port::underFolder(scene.exeDirectory / "UserFile" / "BackGround", path));
  return readBmpFile(path, error);
}

}  // namespace

Outcome loadImage(Scene& scene, Backgrounds& backgrounds, const std::filesystem::path& path) {
  BackgroundImage& image = backgrounds.image;
  std::filesystem::path found = path;
  std::optional<RgbaImage> bitmap = readWithFallBack(scene, found);
  if (!bitmap || !port::pictureSizeAcceptable(bitmap->width, bitmap->height)) {
    image = BackgroundImage{};
    scene.backgroundImageShown = false;
    return {false, {{std::string(kImageUnreadableMessage), std::string(kImageCaption), true}}};
  }
  image.path = found;
  image.bitmap = toPicture(*bitmap);
  image.placement = fitToWidth(image.bitmap.width, image.bitmap.height, backgrounds.width, backgrounds.height,
                               backgrounds.aspectCorrection);
  scene.backgroundImageShown = true;
  return {true, composeImage(scene, backgrounds)};
}

std::vector<Message> composeImage(Scene& scene, Backgrounds& backgrounds) {
  const BackgroundImage& image = backgrounds.image;
  fillWhite(backgrounds.imageSurface);
  if (imageLoaded(backgrounds)) {
    stretchPicture(
        backgrounds.imageSurface,
        placedArea(image.placement, image.bitmap.width, image.bitmap.height, backgrounds.aspectCorrection),
        image.bitmap);
  }
  if (scene.backgroundVideoShown == 1) {
    return composeVideo(scene, backgrounds).messages;
  }
  return {};
}

}  // namespace zv
