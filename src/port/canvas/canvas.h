// A bitmap to paint on, as the program's 2D drawing uses one: colour fills, 2-pixel solid and
// 1-pixel dotted lines, one line of text in a named face at a pixel height on a transparent
// background, and copies between bitmaps. Pixels are R, G, B, A bytes (alpha premultiplied),
// row 0 at the top. Works without a display.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "port/rect.h"

namespace zv::port {

struct Colour {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const Colour&) const = default;
};

enum class PenStyle { Solid, Dotted, Thin };  // Thin: a 1-pixel solid line

struct Point {
  int x = 0;
  int y = 0;
};

class Canvas {
 public:
  // A transparent bitmap of width x height (0 x 0 when either is not positive).
  Canvas(int width, int height);
  // A bitmap holding straight (not premultiplied) R, G, B, A pixels, row 0 at the top.
  Canvas(int width, int height, std::span<const std::uint8_t> rgba);
  ~Canvas();
  Canvas(Canvas&&) noexcept;
  Canvas& operator=(Canvas&&) noexcept;
  Canvas(const Canvas&);
  Canvas& operator=(const Canvas&);

  int width() const;
  int height() const;
  std::span<const std::uint8_t> pixels() const;
  std::size_t bytesPerLine() const;
  Colour pixel(int x, int y) const;

  // Makes the rectangle transparent.
  void clear(Rect area);
  void fill(Rect area, Colour colour);
  // A polyline through `points`: Solid lines are 2 pixels wide, Dotted and Thin ones 1 pixel wide.
  void polyline(std::span<const Point> points, Colour colour, PenStyle style);
  // One line of UTF-8 text whose character cell has its top-left corner at (x, y). `face` is a
  // font family; the design's Windows faces are replaced by the installed Japanese gothic faces.
  // A height of 0 or less takes the default height of 12 pixels. Returns the area it painted in.
  Rect text(std::string_view utf8, std::string_view face, int height, int x, int y, Colour colour);
  // Copies `source` (a rectangle of `from`) onto `target`, scaled with the nearest pixel and
  // blended by the source's alpha, so transparent pixels of the source leave this bitmap as it was.
  void draw(Rect target, const Canvas& from, Rect source);
  // Every pixel of exactly `key` becomes transparent.
  void makeTransparent(Colour key);

  // PNG files, for reference pictures of tests and for tools.
  bool writePng(const std::filesystem::path& file) const;
  // The same PNG file as bytes, for callers that put the file in place themselves; empty when it
  // cannot be encoded.
  std::string pngBytes() const;
  static bool readPng(const std::filesystem::path& file, Canvas& into);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Text painting needs Qt's application object; this creates one on the offscreen platform (unless
// QT_QPA_PLATFORM names another) when the program has not made its own.
void ensurePaintingApplication();

}  // namespace zv::port
