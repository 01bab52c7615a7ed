// Writes the sample backgrounds: UserFile/BackGround/demo_background.avi (one second of a sun
// crossing a sky, uncompressed 24-bit at 30 frames per second, so it follows the animation frame
// by frame) and UserFile/BackGround/demo_background.bmp (a landscape for the background image).
// Usage: gen_demo_background [folder holding UserFile/]

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "files/common/atomic_write.h"

namespace {

constexpr int kVideoWidth = 96;
constexpr int kVideoHeight = 54;
constexpr int kVideoFrames = 30;
constexpr int kImageWidth = 192;
constexpr int kImageHeight = 108;

struct Colour {
  std::uint8_t r, g, b;
};

// A 24-bit picture, row 0 at the top.
struct Canvas {
  int width;
  int height;
  std::vector<Colour> pixels;
  Colour& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

std::uint8_t mix(std::uint8_t a, std::uint8_t b, double t) {
  return static_cast<std::uint8_t>(a + (b - a) * t);
}

Colour mixColour(Colour a, Colour b, double t) {
  return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t)};
}

void paintSky(Canvas& canvas, int horizon) {
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      canvas.at(x, y) = y < horizon
                            ? mixColour({40, 90, 200}, {170, 210, 250}, static_cast<double>(y) / horizon)
                            : mixColour({70, 150, 60}, {30, 90, 30},
                                        static_cast<double>(y - horizon) / (canvas.height - horizon));
    }
  }
}

void paintDisc(Canvas& canvas, double centreX, double centreY, double radius, Colour colour) {
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      const double distance = std::hypot(x + 0.5 - centreX, y + 0.5 - centreY);
      if (distance < radius) {
        canvas.at(x, y) = colour;
      }
    }
  }
}

Canvas videoFrame(int frame) {
  Canvas canvas{kVideoWidth, kVideoHeight, std::vector<Colour>(kVideoWidth * kVideoHeight)};
  paintSky(canvas, 38);
  const double progress = static_cast<double>(frame) / (kVideoFrames - 1);
  paintDisc(canvas, 8 + progress * (kVideoWidth - 16), 20 - 10 * std::sin(progress * std::numbers::pi), 6,
            {255, 210, 60});
  // A marker at the bottom counts the frames, so a wrong frame shows at a glance.
  for (int x = 0; x < frame * kVideoWidth / kVideoFrames; ++x) {
    canvas.at(x, kVideoHeight - 2) = {250, 250, 250};
  }
  return canvas;
}

Canvas landscape() {
  Canvas canvas{kImageWidth, kImageHeight, std::vector<Colour>(kImageWidth * kImageHeight)};
  paintSky(canvas, 70);
  for (int x = 0; x < kImageWidth; ++x) {
    const int ridge = 70 - static_cast<int>(18 * std::fabs(std::sin(x * 0.035)) + 6 * std::sin(x * 0.11));
    for (int y = ridge; y < 70; ++y) {
      canvas.at(x, y) = mixColour({110, 120, 150}, {80, 95, 120}, static_cast<double>(y - ridge) / 30);
    }
  }
  paintDisc(canvas, 150, 24, 10, {255, 240, 200});
  return canvas;
}

void put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xff));
  out.push_back(static_cast<char>((value >> 8) & 0xff));
}

void put32(std::string& out, std::uint32_t value) {
  put16(out, value & 0xffff);
  put16(out, value >> 16);
}

void putTag(std::string& out, const char* tag) {
  out.append(tag, 4);
}

// Rows bottom-up, B, G, R, each row padded to four bytes: the layout of a 24-bit bitmap.
std::string bitmapRows(Canvas& canvas) {
  std::string rows;
  for (int y = canvas.height - 1; y >= 0; --y) {
    for (int x = 0; x < canvas.width; ++x) {
      const Colour colour = canvas.at(x, y);
      rows.push_back(static_cast<char>(colour.b));
      rows.push_back(static_cast<char>(colour.g));
      rows.push_back(static_cast<char>(colour.r));
    }
    while (rows.size() % 4 != 0) {
      rows.push_back(0);
    }
  }
  return rows;
}

void putBitmapInfoHeader(std::string& out, int width, int height, std::uint32_t imageBytes) {
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(width));
  put32(out, static_cast<std::uint32_t>(height));
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);
  put32(out, imageBytes);
  for (int field = 0; field < 4; ++field) {
    put32(out, 0);
  }
}

std::string bmpFile(Canvas canvas) {
  const std::string rows = bitmapRows(canvas);
  std::string file = "BM";
  put32(file, static_cast<std::uint32_t>(54 + rows.size()));
  put32(file, 0);
  put32(file, 54);
  putBitmapInfoHeader(file, canvas.width, canvas.height, static_cast<std::uint32_t>(rows.size()));
  return file + rows;
}

void putChunk(std::string& out, const char* tag, const std::string& body) {
  putTag(out, tag);
  put32(out, static_cast<std::uint32_t>(body.size()));
  out += body;
  if (body.size() % 2 != 0) {
    out.push_back(0);
  }
}

std::string list(const char* kind, const std::string& body) {
  std::string out;
  putTag(out, kind);
  return out + body;
}

std::string aviFile() {
  std::vector<std::string> frames;
  for (int frame = 0; frame < kVideoFrames; ++frame) {
    Canvas canvas = videoFrame(frame);
    frames.push_back(bitmapRows(canvas));
  }
  const auto frameBytes = static_cast<std::uint32_t>(frames.front().size());

  std::string mainHeader;
  for (std::uint32_t value :
       {33333u, frameBytes * 30, 0u, 0x10u, static_cast<std::uint32_t>(kVideoFrames), 0u, 1u, frameBytes,
        static_cast<std::uint32_t>(kVideoWidth), static_cast<std::uint32_t>(kVideoHeight), 0u, 0u, 0u, 0u}) {
    put32(mainHeader, value);
  }
  std::string streamHeader;
  putTag(streamHeader, "vids");
  putTag(streamHeader, "DIB ");
  for (std::uint32_t value :
       {0u, 0u, 0u, 1u, 30u, 0u, static_cast<std::uint32_t>(kVideoFrames), frameBytes, 0xffffffffu, 0u}) {
    put32(streamHeader, value);
  }
  for (int corner : {0, 0, kVideoWidth, kVideoHeight}) {
    put16(streamHeader, static_cast<std::uint32_t>(corner));
  }
  std::string format;
  putBitmapInfoHeader(format, kVideoWidth, kVideoHeight, frameBytes);

  std::string streamList;
  putChunk(streamList, "strh", streamHeader);
  putChunk(streamList, "strf", format);
  std::string headerList;
  putChunk(headerList, "avih", mainHeader);
  putChunk(headerList, "LIST", list("strl", streamList));

  std::string movie;
  std::string index;
  for (const std::string& frame : frames) {
    putTag(index, "00db");
    put32(index, 0x10);
    put32(index, static_cast<std::uint32_t>(movie.size() + 4));
    put32(index, frameBytes);
    putChunk(movie, "00db", frame);
  }

  std::string body;
  putChunk(body, "LIST", list("hdrl", headerList));
  putChunk(body, "LIST", list("movi", movie));
  putChunk(body, "idx1", index);
  std::string file;
  putTag(file, "RIFF");
  put32(file, static_cast<std::uint32_t>(body.size() + 4));
  putTag(file, "AVI ");
  return file + body;
}

bool write(const std::filesystem::path& file, const std::string& bytes) {
  if (!zv::writeFileAtomically(file, bytes)) {
    std::fprintf(stderr, "cannot write %s\n", file.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path root = argc > 1 ? argv[1] : ".";
  const std::filesystem::path folder = root / "UserFile" / "BackGround";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  const bool written = write(folder / "demo_background.avi", aviFile()) &&
                       write(folder / "demo_background.bmp", bmpFile(landscape()));
  return written ? 0 : 1;
}
