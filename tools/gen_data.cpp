// Draws the program's fixed data files into a folder (default "Data"): the toon ramps, the
// overlay sprites and the gizmo atlases. Run: gen_data [folder]. All art is drawn here.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "files/common/atomic_write.h"
#include "files/image/bmp_image.h"
#include "files/image/bmp_writer.h"
#include "files/image/tga_writer.h"

namespace {

using zv::RgbaImage;

struct Rgb {
  int r, g, b;
};

constexpr Rgb kBlack{0, 0, 0};

// Shape coverage at a pixel centre: > 0 inside. `edge` is a signed distance, negative inside.
float coverage(float edge) {
  return std::clamp(0.5f - edge, 0.0f, 1.0f);
}

void blend(RgbaImage& image, int x, int y, Rgb colour, float alpha) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height || alpha <= 0) {
    return;
  }
  std::uint8_t* p = image.at(x, y);
  const float keep = 1.0f - alpha;
  p[0] = static_cast<std::uint8_t>(std::lround(p[0] * keep + colour.r * alpha));
  p[1] = static_cast<std::uint8_t>(std::lround(p[1] * keep + colour.g * alpha));
  p[2] = static_cast<std::uint8_t>(std::lround(p[2] * keep + colour.b * alpha));
  p[3] = static_cast<std::uint8_t>(std::lround(p[3] * keep + 255 * alpha));
}

// Paints every pixel of the box whose centre the signed-distance function puts inside.
void paint(RgbaImage& image, int left, int top, int right, int bottom, Rgb colour, float opacity,
           const std::function<float(float, float)>& distance) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      blend(image, x, y, colour, opacity * coverage(distance(x + 0.5f, y + 0.5f)));
    }
  }
}

// Sprites are colour-keyed on pure black, so pixels that should look black use this instead.
void hardenCovered(RgbaImage& image) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      std::uint8_t* p = image.at(x, y);
      if (p[3] >= 128 && p[0] == 0 && p[1] == 0 && p[2] == 0) {
        p[0] = p[1] = p[2] = 8;
      }
      p[3] = p[3] >= 128 ? 255 : 0;
      if (p[3] == 0) {
        p[0] = p[1] = p[2] = 0;
      }
    }
  }
}

float circleEdge(float x, float y, float cx, float cy, float radius) {
  return std::hypot(x - cx, y - cy) - radius;
}
float ringEdge(float x, float y, float cx, float cy, float radius, float half) {
  return std::abs(std::hypot(x - cx, y - cy) - radius) - half;
}
float boxEdge(float x, float y, float left, float top, float right, float bottom) {
  return std::max({left - x, x - right, top - y, y - bottom});
}

bool save(const std::filesystem::path& file, const std::string& bytes) {
  if (!zv::writeFileAtomically(file, bytes)) {
    std::fprintf(stderr, "gen_data: cannot write %s\n", file.string().c_str());
    return false;
  }
  return true;
}

// Toon ramps: 32 x 32, top rows lit (a normal facing the light samples row 0), bottom rows in
// the ramp's shadow tint; `softness` rows blend the two around the middle.
struct ToonRamp {
  const char* file;
  Rgb shadow;
  int edgeRow;
  int softness;
};

constexpr std::array kToonRamps{
    ToonRamp{"toon.bmp", {205, 205, 205}, 16, 2},  ToonRamp{"toon2.bmp", {236, 214, 204}, 15, 2},
    ToonRamp{"toon3.bmp", {184, 186, 206}, 16, 2}, ToonRamp{"toon4.bmp", {238, 238, 238}, 17, 2},
    ToonRamp{"toon5.bmp", {156, 156, 160}, 15, 3}, ToonRamp{"toon6.bmp", {230, 198, 214}, 16, 2},
    ToonRamp{"toon7.bmp", {198, 220, 200}, 16, 2}, ToonRamp{"toon8.bmp", {212, 212, 228}, 16, 12},
    ToonRamp{"toon9.bmp", {150, 140, 172}, 14, 2}, ToonRamp{"toon10.bmp", {232, 226, 220}, 16, 14},
};

RgbaImage toonRamp(const ToonRamp& ramp) {
  RgbaImage image = zv::makeImage(32, 32, 24);
  for (int y = 0; y < 32; ++y) {
    const float t = std::clamp((y - ramp.edgeRow + ramp.softness / 2.0f) / ramp.softness, 0.0f, 1.0f);
    for (int x = 0; x < 32; ++x) {
      std::uint8_t* p = image.at(x, y);
      p[0] = static_cast<std::uint8_t>(std::lround(255 + (ramp.shadow.r - 255) * t));
      p[1] = static_cast<std::uint8_t>(std::lround(255 + (ramp.shadow.g - 255) * t));
      p[2] = static_cast<std::uint8_t>(std::lround(255 + (ramp.shadow.b - 255) * t));
      p[3] = 255;
    }
  }
  return image;
}

// Bone markers: 16 x 16 cells side by side. Rotating bones are rings, moving bones squares,
// IK bones diamonds with a dot, type-4 bones triangles; filled when selected.
enum class Marker { Ring, Square, Diamond, Triangle, Cross };

void drawMarker(RgbaImage& image, int cell, Marker shape, Rgb colour, bool filled) {
  const float left = cell * 16.0f;
  const float cx = left + 8.0f;
  const float cy = 8.0f;
  const int l = cell * 16;
  const auto outline = [&](const std::function<float(float, float)>& edge) {
    paint(image, l, 0, l + 16, 16, Rgb{16, 16, 24}, 1.0f,
          [&](float x, float y) { return std::abs(edge(x, y)) - 2.2f; });
    paint(image, l, 0, l + 16, 16, colour, 1.0f, [&](float x, float y) {
      const float d = edge(x, y);
      return filled ? d - 0.6f : std::abs(d) - 1.1f;
    });
  };
  switch (shape) {
    case Marker::Ring:
      outline([&](float x, float y) { return circleEdge(x, y, cx, cy, 5.0f); });
      break;
    case Marker::Square:
      outline([&](float x, float y) { return boxEdge(x, y, cx - 4.5f, cy - 4.5f, cx + 4.5f, cy + 4.5f); });
      break;
    case Marker::Diamond:
      outline([&](float x, float y) { return (std::abs(x - cx) + std::abs(y - cy)) * 0.7071f - 4.0f; });
      break;
    case Marker::Triangle:
      outline([&](float x, float y) {
        const float base = (y - (cy + 4.0f));
        const float side = (std::abs(x - cx) * 2.0f - (y - (cy - 5.5f))) * 0.4472f;
        return std::max(base, side);
      });
      break;
    case Marker::Cross:
      outline([&](float x, float y) {
        return std::min(boxEdge(x, y, cx - 1, cy - 5, cx + 1, cy + 5),
                        boxEdge(x, y, cx - 5, cy - 1, cx + 5, cy + 1));
      });
      break;
  }
}

RgbaImage boneSprite() {
  RgbaImage image = zv::makeImage(272, 16, 24);
  const Rgb normalColour{100, 100, 230};
  const Rgb changed{90, 230, 90};
  const Rgb selected{200, 0, 0};
  const Rgb current{255, 40, 40};
  drawMarker(image, 0, Marker::Cross, normalColour, false);
  struct Group {
    Marker shape;
    int normalCell, currentCell, changedCell, selectedCell;
  };
  // Cells by x / 16: rotating (types 0, 5, 6), moving (1), type 4 and IK (2, 3) bones.
  const std::array groups{Group{Marker::Ring, 1, 2, 3, 13}, Group{Marker::Square, 4, 5, 6, 14},
                          Group{Marker::Triangle, 7, 8, 9, 15}, Group{Marker::Diamond, 10, 11, 12, 16}};
  for (const Group& group : groups) {
    drawMarker(image, group.normalCell, group.shape, normalColour, false);
    drawMarker(image, group.currentCell, group.shape, current, true);
    drawMarker(image, group.changedCell, group.shape, changed, false);
    drawMarker(image, group.selectedCell, group.shape, selected, true);
  }
  hardenCovered(image);
  return image;
}

// A 5 x 7 pixel font for the few letters the strips carry.
const char* glyph(char letter) {
  switch (letter) {
    case 'X':
      return "10001"
             "10001"
             "01010"
             "00100"
             "01010"
             "10001"
             "10001";
    case 'Y':
      return "10001"
             "10001"
             "01010"
             "00100"
             "00100"
             "00100"
             "00100";
    default:
      return "11111"
             "00001"
             "00010"
             "00100"
             "01000"
             "10000"
             "11111";
  }
}

void drawLetter(RgbaImage& image, char letter, int left, int top, int scale, Rgb colour) {
  const char* bits = glyph(letter);
  for (int row = 0; row < 7; ++row) {
    for (int column = 0; column < 5; ++column) {
      if (bits[row * 5 + column] != '1') {
        continue;
      }
      for (int dy = 0; dy < scale; ++dy) {
        for (int dx = 0; dx < scale; ++dx) {
          blend(image, left + column * scale + dx, top + row * scale + dy, colour, 1.0f);
        }
      }
    }
  }
}

RgbaImage zoomAndPanIcon() {
  RgbaImage image = zv::makeImage(54, 25, 24);
  const Rgb ink{40, 60, 130};
  // Magnifier over x 0..24: a lens and a handle.
  paint(image, 0, 0, 25, 25, ink, 1.0f, [](float x, float y) { return ringEdge(x, y, 10, 10, 6.5f, 1.6f); });
  paint(image, 0, 0, 25, 25, ink, 1.0f, [](float x, float y) {
    const float along = ((x - 15) + (y - 15)) * 0.7071f;
    const float across = std::abs((x - 15) - (y - 15)) * 0.7071f;
    return std::max({across - 2.0f, -along - 1.0f, along - 7.0f});
  });
  // Pan cross with four arrowheads over x 30..54.
  const float cx = 42, cy = 12.5f;
  paint(image, 30, 0, 54, 25, ink, 1.0f, [&](float x, float y) {
    const float bars = std::min(boxEdge(x, y, cx - 1.2f, cy - 8, cx + 1.2f, cy + 8),
                                boxEdge(x, y, cx - 9, cy - 1.2f, cx + 9, cy + 1.2f));
    const float dx = std::abs(x - cx), dy = std::abs(y - cy);
    const float heads =
        std::min(std::max(dx - (12 - dy) * 0.6f, 8 - dy), std::max(dy - (12 - dx) * 0.6f, 8 - dx));
    return std::min(bars, std::max(heads, std::max(dx, dy) - 12));
  });
  hardenCovered(image);
  return image;
}

// A widget strip: four 30-pixel rows (highlighted, enabled, disabled, camera) of three buttons
// at x 0..38, 44..82 and 82..119.
RgbaImage widgetStrip(bool rotate) {
  RgbaImage image = zv::makeImage(120, 120, 24);
  const std::array<std::array<int, 2>, 3> spans{{{1, 38}, {45, 81}, {84, 119}}};
  const std::array<Rgb, 3> axes{Rgb{210, 60, 60}, Rgb{50, 170, 60}, Rgb{60, 90, 220}};
  const std::array<char, 3> letters{'X', 'Y', 'Z'};
  for (int row = 0; row < 4; ++row) {
    const int top = row * 30;
    for (int button = 0; button < 3; ++button) {
      Rgb fill = axes[button];
      Rgb border{30, 30, 40};
      if (row == 0) {
        fill = {std::min(255, fill.r + 70), std::min(255, fill.g + 70), std::min(255, fill.b + 70)};
        border = {255, 210, 0};
      } else if (row == 2) {
        fill = {150, 150, 150};
        border = {110, 110, 110};
      } else if (row == 3) {
        fill = {200, 130, 40};
      }
      const float left = static_cast<float>(spans[button][0]);
      const float right = static_cast<float>(spans[button][1]);
      const auto box = [&](float x, float y) {
        return boxEdge(x, y, left + 3, top + 3.5f, right - 3, top + 25.5f) - 2.5f;
      };
      paint(image, spans[button][0], top, spans[button][1], top + 29, border, 1.0f, box);
      paint(image, spans[button][0], top, spans[button][1], top + 29, fill, 1.0f,
            [&](float x, float y) { return box(x, y) + 2.0f; });
      const Rgb ink = row == 2 ? Rgb{215, 215, 215} : Rgb{255, 255, 255};
      const int letterLeft = static_cast<int>(left) + 5;
      drawLetter(image, letters[button], letterLeft, top + 8, 2, ink);
      const float symbolX = right - 11;
      const float symbolY = top + 14.5f;
      if (rotate) {
        paint(image, spans[button][0], top, spans[button][1], top + 29, ink, 1.0f, [&](float x, float y) {
          const float arc = ringEdge(x, y, symbolX, symbolY, 5.5f, 1.1f);
          return std::max(arc, -(y - symbolY) - (x - symbolX) * 0.2f - 1.0f);
        });
      } else {
        paint(image, spans[button][0], top, spans[button][1], top + 29, ink, 1.0f, [&](float x, float y) {
          const float shaft = boxEdge(x, y, symbolX - 6, symbolY - 1, symbolX + 3, symbolY + 1);
          const float head = std::max(std::abs(y - symbolY) - (symbolX + 7 - x) * 0.8f, symbolX + 1 - x);
          return std::min(shaft, std::max(head, x - symbolX - 7));
        });
      }
    }
  }
  hardenCovered(image);
  return image;
}

// Gizmo atlases: 256 x 256, four 128 x 128 quarters. Top-left shows the gizmo at rest; the
// others each highlight one part (bottom-left, top-right, bottom-right in hover-zone order).
constexpr Rgb kHighlight{255, 214, 0};

RgbaImage rotateGizmo() {
  RgbaImage image = zv::makeImage(256, 256, 32);
  // One screen pixel is 128 / 90 texels: arms 10..50 from the centre, ring radius 50..64.
  const std::array<std::array<int, 2>, 4> quarters{{{0, 0}, {0, 128}, {128, 0}, {128, 128}}};
  for (int q = 0; q < 4; ++q) {
    const int left = quarters[q][0];
    const int top = quarters[q][1];
    const float cx = left + 64.0f, cy = top + 64.0f;
    const auto draw = [&](int part, Rgb colour, const std::function<float(float, float)>& edge) {
      const bool lit = q == part;
      paint(image, left, top, left + 128, top + 128, Rgb{20, 20, 30}, 0.9f,
            [&](float x, float y) { return edge(x, y) - 1.5f; });
      paint(image, left, top, left + 128, top + 128, lit ? kHighlight : colour, lit ? 1.0f : 0.85f, edge);
    };
    draw(1, Rgb{220, 60, 60}, [&](float x, float y) {
      const float dx = std::abs(x - cx);
      return std::max({std::abs(y - cy) - 6.0f, 12.0f - dx, dx - 48.0f});
    });
    draw(2, Rgb{60, 190, 70}, [&](float x, float y) {
      const float dy = std::abs(y - cy);
      return std::max({std::abs(x - cx) - 6.0f, 12.0f - dy, dy - 48.0f});
    });
    draw(3, Rgb{70, 100, 230}, [&](float x, float y) { return ringEdge(x, y, cx, cy, 56.5f, 5.0f); });
  }
  return image;
}

RgbaImage moveGizmo() {
  RgbaImage image = zv::makeImage(256, 256, 32);
  // The quad spans 75 screen pixels with the bone 13 from the left and 67 from the top: one
  // screen pixel is 128 / 75 texels, so the bone sits at (22, 114) of each quarter.
  const float k = 128.0f / 75.0f;
  const std::array<std::array<int, 2>, 4> quarters{{{0, 0}, {0, 128}, {128, 0}, {128, 128}}};
  for (int q = 0; q < 4; ++q) {
    const int left = quarters[q][0];
    const int top = quarters[q][1];
    const float bx = left + 13 * k, by = top + 67 * k;
    const auto draw = [&](int part, Rgb colour, const std::function<float(float, float)>& edge) {
      const bool lit = q == part;
      paint(image, left, top, left + 128, top + 128, Rgb{20, 20, 30}, 0.9f,
            [&](float x, float y) { return edge(x, y) - 1.5f; });
      paint(image, left, top, left + 128, top + 128, lit ? kHighlight : colour, lit ? 1.0f : 0.85f, edge);
    };
    draw(1, Rgb{220, 60, 60}, [&](float x, float y) {
      const float shaft = boxEdge(x, y, bx + 11 * k, by - 2.5f, bx + 44 * k, by + 2.5f);
      const float tip = bx + 61 * k;
      const float head = std::max((std::abs(y - by) - (tip - x) * 0.55f), bx + 42 * k - x);
      return std::min(shaft, std::max(head, x - tip));
    });
    draw(2, Rgb{60, 190, 70}, [&](float x, float y) {
      const float shaft = boxEdge(x, y, bx - 2.5f, by - 44 * k, bx + 2.5f, by - 16 * k);
      const float tip = by - 61 * k;
      const float head = std::max((std::abs(x - bx) - (y - tip) * 0.55f), y - (by - 42 * k));
      return std::min(shaft, std::max(head, tip - y));
    });
    draw(3, Rgb{70, 100, 230}, [&](float x, float y) {
      return boxEdge(x, y, bx - 10 * k, by - 13 * k, bx + 8 * k, by + 5 * k) - 1.0f;
    });
  }
  return image;
}

// Timeline key marks: four 11 x 11 diamonds side by side on the grid's dark background: a key,
// a key on a closed group's row, a selected key and a selected key on a closed group's row.
RgbaImage keyMarks() {
  RgbaImage image = zv::makeImage(44, 11, 24);
  const std::array<Rgb, 4> fills{Rgb{235, 170, 60}, Rgb{150, 120, 80}, Rgb{255, 70, 70}, Rgb{190, 60, 110}};
  const Rgb gridBackground{19, 19, 19};
  const Rgb outline{250, 250, 250};
  for (int mark = 0; mark < 4; ++mark) {
    for (int y = 0; y < 11; ++y) {
      for (int x = 0; x < 11; ++x) {
        const int distance = std::abs(x - 5) + std::abs(y - 5);
        const Rgb colour = distance > 5 ? gridBackground : distance == 5 ? outline : fills[mark];
        std::uint8_t* p = image.at(mark * 11 + x, y);
        p[0] = static_cast<std::uint8_t>(colour.r);
        p[1] = static_cast<std::uint8_t>(colour.g);
        p[2] = static_cast<std::uint8_t>(colour.b);
        p[3] = 255;
      }
    }
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder = argc > 1 ? argv[1] : "Data";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  bool ok = true;
  for (const ToonRamp& ramp : kToonRamps) {
    ok &= save(folder / ramp.file, zv::encodeBmp24(toonRamp(ramp)));
  }
  ok &= save(folder / "bone.bmp", zv::encodeBmp24(boneSprite()));
  ok &= save(folder / "scale.bmp", zv::encodeBmp24(zoomAndPanIcon()));
  ok &= save(folder / "roll.bmp", zv::encodeBmp24(widgetStrip(true)));
  ok &= save(folder / "move.bmp", zv::encodeBmp24(widgetStrip(false)));
  ok &= save(folder / "roll.tga", zv::encodeTga32(rotateGizmo()));
  ok &= save(folder / "move.tga", zv::encodeTga32(moveGizmo()));
  ok &= save(folder / "keymarks.bmp", zv::encodeBmp24(keyMarks()));
  return ok ? 0 : 1;
}
