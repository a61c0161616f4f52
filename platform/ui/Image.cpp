#include "platform/ui/Image.h"

#include <cairo.h>

#include <cstring>
#include <utility>

namespace platform::ui {

namespace {
cairo_surface_t* surf(void* p) { return static_cast<cairo_surface_t*>(p); }
}  // namespace

Image::Image(int width, int height) {
  if (width <= 0 || height <= 0) return;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return;
  }
  surface_ = s;
  width_ = width;
  height_ = height;
  fill(0);
}

Image::Image(const Image& other) : Image(other.width_, other.height_) {
  if (!other.surface_ || !surface_) return;
  cairo_surface_flush(surf(other.surface_));
  std::memcpy(cairo_image_surface_get_data(surf(surface_)),
              cairo_image_surface_get_data(surf(other.surface_)),
              static_cast<size_t>(cairo_image_surface_get_stride(surf(surface_))) * height_);
  cairo_surface_mark_dirty(surf(surface_));
}

Image::Image(Image&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

Image& Image::operator=(const Image& other) {
  if (this != &other) *this = Image(other);
  return *this;
}

Image& Image::operator=(Image&& other) noexcept {
  if (this != &other) {
    if (surface_) cairo_surface_destroy(surf(surface_));
    surface_ = std::exchange(other.surface_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

Image::~Image() {
  if (surface_) cairo_surface_destroy(surf(surface_));
}

static std::uint32_t rawPixel(void* s, int x, int y) {
  cairo_surface_flush(surf(s));
  const unsigned char* data = cairo_image_surface_get_data(surf(s));
  int stride = cairo_image_surface_get_stride(surf(s));
  std::uint32_t v;
  std::memcpy(&v, data + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 4, 4);
  return v;
}

Color Image::pixel(int x, int y) const {
  if (!surface_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  std::uint32_t v = rawPixel(surface_, x, y);
  int a = static_cast<int>(v >> 24);
  int r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
  if (a != 0 && a != 255) {  // cairo keeps colours premultiplied
    r = r * 255 / a;
    g = g * 255 / a;
    b = b * 255 / a;
  }
  return rgb(r, g, b);
}

int Image::alpha(int x, int y) const {
  if (!surface_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return static_cast<int>(rawPixel(surface_, x, y) >> 24);
}

void Image::fill(Color c) {
  if (!surface_) return;
  cairo_surface_flush(surf(surface_));
  unsigned char* data = cairo_image_surface_get_data(surf(surface_));
  int stride = cairo_image_surface_get_stride(surf(surface_));
  std::uint32_t v = 0xFF000000u | (static_cast<std::uint32_t>(redOf(c)) << 16) |
                    (static_cast<std::uint32_t>(greenOf(c)) << 8) | static_cast<std::uint32_t>(blueOf(c));
  for (int y = 0; y < height_; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width_; ++x) row[x] = v;
  }
  cairo_surface_mark_dirty(surf(surface_));
}

void Image::clear(const Rect& r) {
  Rect cut = r.intersect(bounds());
  if (!surface_ || cut.empty()) return;
  cairo_surface_flush(surf(surface_));
  unsigned char* data = cairo_image_surface_get_data(surf(surface_));
  int stride = cairo_image_surface_get_stride(surf(surface_));
  for (int y = cut.top; y < cut.bottom; ++y)
    std::memset(data + static_cast<size_t>(y) * stride + static_cast<size_t>(cut.left) * 4, 0,
                static_cast<size_t>(cut.width()) * 4);
  cairo_surface_mark_dirty(surf(surface_));
}

bool Image::savePng(const std::string& path) const {
  if (!surface_) return false;
  return cairo_surface_write_to_png(surf(surface_), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

Image Image::loadPng(const std::string& path) {
  cairo_surface_t* loaded = cairo_image_surface_create_from_png(path.c_str());
  Image result;
  if (cairo_surface_status(loaded) == CAIRO_STATUS_SUCCESS) {
    result = Image(cairo_image_surface_get_width(loaded), cairo_image_surface_get_height(loaded));
    if (result.valid()) {
      cairo_t* cr = cairo_create(surf(result.surface_));
      cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
      cairo_set_source_surface(cr, loaded, 0, 0);
      cairo_paint(cr);
      cairo_destroy(cr);
    }
  }
  cairo_surface_destroy(loaded);
  return result;
}

}  // namespace platform::ui
