#include "platform/ui/Canvas.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/text/Utf.h"

namespace platform::ui {

namespace {

cairo_t* ctx(void* p) { return static_cast<cairo_t*>(p); }

void setColor(cairo_t* cr, Color c) {
  cairo_set_source_rgb(cr, redOf(c) / 255.0, greenOf(c) / 255.0, blueOf(c) / 255.0);
}

// One font description per font in use; a paint pass uses only a handful, so a short list that
// is dropped when it grows is all the cache needed.
class FontCache {
 public:
  ~FontCache() { clear(); }
  PangoFontDescription* get(const Font& font) {
    for (auto& [key, desc] : entries_)
      if (key == font) return desc;
    if (entries_.size() >= 32) clear();
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, font.family.empty() ? "Noto Sans" : font.family.c_str());
    double size = font.pointSize > 0 ? font.pointSize : 9;
    pango_font_description_set_size(desc, static_cast<gint>(std::lround(size * PANGO_SCALE)));
    pango_font_description_set_weight(desc, static_cast<PangoWeight>(std::clamp(font.weight, 100, 1000)));
    pango_font_description_set_style(desc, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    entries_.emplace_back(font, desc);
    return desc;
  }

 private:
  void clear() {
    for (auto& e : entries_) pango_font_description_free(e.second);
    entries_.clear();
  }
  std::vector<std::pair<Font, PangoFontDescription*>> entries_;
};

// Laid-out texts of this thread. Captions repeat from one paint to the next, and shaping them
// again each time would cost more than all the rest of a repaint.
class TextLayouts {
 public:
  TextLayouts() {
    context_ = pango_font_map_create_context(pango_cairo_font_map_get_default());
    pango_cairo_context_set_resolution(context_, 96);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(context_, options);
    cairo_font_options_destroy(options);
  }
  ~TextLayouts() {
    for (Entry& e : entries_) g_object_unref(e.layout);
    g_object_unref(context_);
  }

  PangoLayout* get(std::string_view text, const Font& font, unsigned flags, int width) {
    bool wrap = (flags & text::kWordWrap) != 0;
    bool ellipsis = !wrap && (flags & text::kEndEllipsis) != 0;
    int layoutWidth = (wrap || ellipsis) && width >= 0 ? width : -1;
    unsigned shapeFlags = flags & (text::kWordWrap | text::kEndEllipsis | text::kCenter | text::kRight);
    ++clock_;
    for (Entry& e : entries_)
      if (e.width == layoutWidth && e.flags == shapeFlags && e.text == text && e.font == font) {
        e.lastUse = clock_;
        return e.layout;
      }
    Entry* slot = nullptr;
    if (entries_.size() < kCapacity) {
      entries_.push_back({});
      slot = &entries_.back();
      slot->layout = pango_layout_new(context_);
    } else {
      slot = &*std::min_element(entries_.begin(), entries_.end(),
                                [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
    }
    slot->text.assign(text);
    slot->font = font;
    slot->flags = shapeFlags;
    slot->width = layoutWidth;
    slot->lastUse = clock_;
    PangoLayout* layout = slot->layout;
    pango_layout_set_font_description(layout, fonts_.get(font));
    PangoAttrList* attrs = pango_attr_list_new();
    if (font.underline) pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.strikeOut) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(layout, attrs);
    pango_attr_list_unref(attrs);
    pango_layout_set_single_paragraph_mode(layout, !wrap);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_ellipsize(layout, ellipsis ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE);
    pango_layout_set_width(layout, layoutWidth >= 0 ? layoutWidth * PANGO_SCALE : -1);
    PangoAlignment align = PANGO_ALIGN_LEFT;
    if (flags & text::kCenter) align = PANGO_ALIGN_CENTER;
    if (flags & text::kRight) align = PANGO_ALIGN_RIGHT;
    pango_layout_set_alignment(layout, align);
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    return layout;
  }

 private:
  static constexpr size_t kCapacity = 256;
  struct Entry {
    std::string text;
    Font font;
    unsigned flags = 0;
    int width = -1;
    std::uint64_t lastUse = 0;
    PangoLayout* layout = nullptr;
  };
  PangoContext* context_ = nullptr;
  FontCache fonts_;
  std::vector<Entry> entries_;
  std::uint64_t clock_ = 0;
};

PangoLayout* layoutFor(std::string_view text, const Font& font, unsigned flags, int width) {
  thread_local TextLayouts layouts;
  return layouts.get(text, font, flags, width);
}

}  // namespace

Canvas::Canvas(Image& target) : target_(target) {
  if (target_.valid()) {
    cr_ = cairo_create(static_cast<cairo_surface_t*>(target_.nativeSurface()));
  } else {
    // Drawing on an empty image goes nowhere, but measuring text still works. One scratch
    // pixel per thread, so that such canvases on several threads do not share it.
    thread_local Image scratch(1, 1);
    cr_ = cairo_create(static_cast<cairo_surface_t*>(scratch.nativeSurface()));
  }
  cairo_set_antialias(ctx(cr_), CAIRO_ANTIALIAS_NONE);
  resetClip();
}

Canvas::~Canvas() { cairo_destroy(ctx(cr_)); }

void Canvas::applyClip() {
  cairo_t* cr = ctx(cr_);
  cairo_identity_matrix(cr);
  cairo_reset_clip(cr);
  cairo_new_path(cr);
  for (const Rect& r : clip_.rects()) cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
  cairo_clip(cr);
  cairo_translate(cr, origin_.x, origin_.y);
}

void Canvas::setOrigin(Point origin) {
  origin_ = origin;
  resetClip();
}

void Canvas::translate(int dx, int dy) {
  origin_ = {origin_.x + dx, origin_.y + dy};
  applyClip();
}

void Canvas::setClip(const Region& clip) {
  clip_ = clip;
  clip_.offset(origin_.x, origin_.y);
  clip_.intersect(target_.bounds());
  applyClip();
}

void Canvas::intersectClip(const Rect& r) {
  clip_.intersect(r.offset(origin_.x, origin_.y));
  applyClip();
}

void Canvas::excludeClip(const Rect& r) {
  clip_.subtract(r.offset(origin_.x, origin_.y));
  applyClip();
}

void Canvas::resetClip() {
  clip_ = Region(target_.bounds());
  applyClip();
}

Region Canvas::clip() const {
  Region r = clip_;
  r.offset(-origin_.x, -origin_.y);
  return r;
}

void Canvas::fillRect(const Rect& r, Color c) {
  if (r.empty()) return;
  cairo_t* cr = ctx(cr_);
  setColor(cr, c);
  cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
  cairo_fill(cr);
}

void Canvas::frameRect(const Rect& r, Color c, int thickness) {
  if (r.empty() || thickness <= 0) return;
  cairo_t* cr = ctx(cr_);
  setColor(cr, c);
  int t = std::min({thickness, (r.width() + 1) / 2, (r.height() + 1) / 2});
  cairo_rectangle(cr, r.left, r.top, r.width(), t);
  cairo_rectangle(cr, r.left, r.bottom - t, r.width(), t);
  cairo_rectangle(cr, r.left, r.top + t, t, r.height() - 2 * t);
  cairo_rectangle(cr, r.right - t, r.top + t, t, r.height() - 2 * t);
  cairo_fill(cr);
}

void Canvas::setPixel(int x, int y, Color c) { fillRect({x, y, x + 1, y + 1}, c); }

void Canvas::drawLine(Point from, Point to, Color c, int width) {
  if (width <= 0) return;
  cairo_t* cr = ctx(cr_);
  setColor(cr, c);
  // Bresenham, so that diagonal strokes of the glyphs land on the same pixels every time.
  int dx = std::abs(to.x - from.x), sx = from.x < to.x ? 1 : -1;
  int dy = -std::abs(to.y - from.y), sy = from.y < to.y ? 1 : -1;
  int err = dx + dy;
  int x = from.x, y = from.y;
  for (;;) {
    cairo_rectangle(cr, x, y, width, width);
    if (x == to.x && y == to.y) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  cairo_fill(cr);
}

void Canvas::fillPolygon(const std::vector<Point>& points, Color c) {
  if (points.size() < 3) return;
  cairo_t* cr = ctx(cr_);
  setColor(cr, c);
  cairo_move_to(cr, points[0].x, points[0].y);
  for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, points[i].x, points[i].y);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void Canvas::framePolygon(const std::vector<Point>& points, Color c) {
  for (size_t i = 0; i < points.size(); ++i)
    drawLine(points[i], points[(i + 1) % points.size()], c);
}

void Canvas::fillRegion(const Region& region, Color c) {
  for (const Rect& r : region.rects()) fillRect(r, c);
}

void Canvas::fillEllipse(const Rect& b, Color c) {
  if (b.empty()) return;
  cairo_t* cr = ctx(cr_);
  setColor(cr, c);
  cairo_save(cr);
  cairo_translate(cr, b.left + b.width() / 2.0, b.top + b.height() / 2.0);
  cairo_scale(cr, b.width() / 2.0, b.height() / 2.0);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_fill(cr);
}

void Canvas::frameEllipse(const Rect& b, Color c, int penWidth) {
  if (b.empty() || penWidth <= 0) return;
  cairo_t* cr = ctx(cr_);
  setColor(cr, c);
  double half = penWidth / 2.0;
  cairo_save(cr);
  cairo_translate(cr, b.left + b.width() / 2.0, b.top + b.height() / 2.0);
  cairo_scale(cr, std::max(0.5, b.width() / 2.0 - half), std::max(0.5, b.height() / 2.0 - half));
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_line_width(cr, penWidth);
  cairo_stroke(cr);
}

void Canvas::drawImage(const Image& source, const Rect& sourceRect, Point dest) {
  if (!source.valid() || sourceRect.empty()) return;
  cairo_t* cr = ctx(cr_);
  cairo_surface_t* s = static_cast<cairo_surface_t*>(source.nativeSurface());
  cairo_surface_flush(s);
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, s, dest.x - sourceRect.left, dest.y - sourceRect.top);
  cairo_rectangle(cr, dest.x, dest.y, sourceRect.width(), sourceRect.height());
  cairo_fill(cr);
  cairo_restore(cr);
}

void Canvas::drawImageScaled(const Image& source, const Rect& sourceRect, const Rect& dest) {
  if (!source.valid() || sourceRect.empty() || dest.empty()) return;
  cairo_t* cr = ctx(cr_);
  cairo_surface_t* s = static_cast<cairo_surface_t*>(source.nativeSurface());
  cairo_surface_flush(s);
  cairo_save(cr);
  cairo_rectangle(cr, dest.left, dest.top, dest.width(), dest.height());
  cairo_clip(cr);
  cairo_translate(cr, dest.left, dest.top);
  cairo_scale(cr, static_cast<double>(dest.width()) / sourceRect.width(),
              static_cast<double>(dest.height()) / sourceRect.height());
  cairo_set_source_surface(cr, s, -sourceRect.left, -sourceRect.top);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_restore(cr);
}


void Canvas::drawText(std::string_view utf8, const Rect& r, const Font& font, Color c, unsigned flags) {
  if (utf8.empty()) return;
  cairo_t* cr = ctx(cr_);
  PangoLayout* layout = layoutFor(utf8, font, flags, r.width());
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(layout, &ink, &logical);
  bool wrapped = pango_layout_get_width(layout) >= 0;
  int x = r.left;
  if (!wrapped) {
    // Without a layout width Pango does not align, so a single line is placed here.
    if (flags & text::kCenter) x = r.left + (r.width() - logical.width) / 2;
    else if (flags & text::kRight) x = r.right - logical.width;
    x -= logical.x;
  }
  int y = r.top;
  if (flags & text::kVCenter) y = r.top + (r.height() - logical.height) / 2;
  else if (flags & text::kBottom) y = r.bottom - logical.height;
  cairo_save(cr);
  if (!(flags & text::kNoClip)) {
    cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
    cairo_clip(cr);
  }
  setColor(cr, c);
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
}

void Canvas::drawText(std::u16string_view utf16, const Rect& r, const Font& font, Color c,
                      unsigned flags) {
  drawText(std::string_view(platform::text::utf16ToUtf8(utf16)), r, font, c, flags);
}

Size Canvas::measureText(std::string_view utf8, const Font& font, unsigned flags, int maxWidth) {
  // An empty text still has the height of a line, as the toolkit's size queries expect.
  std::string_view probe = utf8.empty() ? std::string_view(" ") : utf8;
  PangoLayout* layout = layoutFor(probe, font, flags, maxWidth);
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  return {utf8.empty() ? 0 : logical.width, logical.height};
}

Size Canvas::measureText(std::u16string_view utf16, const Font& font, unsigned flags, int maxWidth) {
  return measureText(std::string_view(platform::text::utf16ToUtf8(utf16)), font, flags, maxWidth);
}

int Canvas::unknownGlyphs(std::string_view utf8, const Font& font) {
  if (utf8.empty()) return 0;
  PangoLayout* layout = layoutFor(utf8, font, 0, -1);
  return pango_layout_get_unknown_glyphs_count(layout);
}

int Canvas::lineHeight(const Font& font) { return measureText(std::string_view("test"), font).height; }

}  // namespace platform::ui

// Fontconfig and Pango keep their caches, and GTK's accessibility bridge its D-Bus connection and
// names, for the life of the process on purpose; the leak checker of the test build is told not
// to count them. The bridge's names come through g_malloc, and the fast unwinder of the test
// build sees no further than glib, hence the whole library. (Only sanitizer builds read this.)
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libpangoft2-1.0.so\nleak:libpango-1.0.so\n"
         "leak:libdbus-1.so\nleak:libatk-bridge-2.0.so\nleak:libglib-2.0.so\n";
}

// Pango loads fontconfig on a thread of its own; fontconfig guards its data with atomic operations
// that the thread checker cannot see, so it would report every first use of a font as a race.
extern "C" const char* __tsan_default_suppressions() { return "race:libfontconfig.so\n"; }
