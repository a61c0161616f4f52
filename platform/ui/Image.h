#pragma once
#include <cstdint>
#include <string>

#include "platform/ui/Geometry.h"

namespace platform::ui {

// A 32-bit ARGB pixel image (the memory device context of the toolkit). New images are opaque
// black. Copies are deep.
class Image {
 public:
  Image() = default;
  Image(int width, int height);
  Image(const Image& other);
  Image(Image&& other) noexcept;
  Image& operator=(const Image& other);
  Image& operator=(Image&& other) noexcept;
  ~Image();

  bool valid() const { return surface_ != nullptr; }
  int width() const { return width_; }
  int height() const { return height_; }
  Rect bounds() const { return {0, 0, width_, height_}; }

  // Colour of a pixel (alpha left out); outside the image, black.
  Color pixel(int x, int y) const;
  int alpha(int x, int y) const;
  void fill(Color c);
  // Makes a rectangle fully transparent.
  void clear(const Rect& r);

  // Writes a PNG; false (and nothing written) when the file cannot be created.
  bool savePng(const std::string& path) const;
  // Reads a PNG; an invalid image when the file is missing or damaged.
  static Image loadPng(const std::string& path);

  // The underlying cairo_surface_t*, for the platform layer's own drawing code.
  void* nativeSurface() const { return surface_; }

 private:
  void* surface_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace platform::ui
