#pragma once
#include <string_view>
#include <vector>

#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Image.h"
#include "platform/ui/Region.h"

namespace platform::ui {

// Draws into an Image. Coordinates are relative to the origin; the clip is kept in the same
// coordinates. Shapes are drawn without anti-aliasing so that the skins' pixel art stays exact;
// text is anti-aliased. The image must outlive the canvas.
class Canvas {
 public:
  explicit Canvas(Image& target);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  Image& target() { return target_; }

  // Moves the origin (in image pixels) and resets the clip to the whole image.
  void setOrigin(Point origin);
  Point origin() const { return origin_; }
  // Moves the origin by (dx, dy) and keeps the clip where it is on the image.
  void translate(int dx, int dy);

  // Puts origin and clip back as they were when it was made, however the painting between
  // changed them: `Canvas::Saved keep(canvas); canvas.translate(...); canvas.intersectClip(...)`.
  class Saved {
   public:
    explicit Saved(Canvas& canvas) : canvas_(canvas), origin_(canvas.origin_), clip_(canvas.clip_) {}
    ~Saved() {
      canvas_.origin_ = origin_;
      canvas_.clip_ = clip_;
      canvas_.applyClip();
    }
    Saved(const Saved&) = delete;
    Saved& operator=(const Saved&) = delete;

   private:
    Canvas& canvas_;
    Point origin_;
    Region clip_;
  };

  void setClip(const Region& clip);
  void intersectClip(const Rect& r);
  void excludeClip(const Rect& r);
  void resetClip();
  Region clip() const;

  void fillRect(const Rect& r, Color c);
  void frameRect(const Rect& r, Color c, int thickness = 1);
  void setPixel(int x, int y, Color c);
  // A line of `width` pixels from one point to the other, both ends included.
  void drawLine(Point from, Point to, Color c, int width = 1);
  void fillPolygon(const std::vector<Point>& points, Color c);
  void framePolygon(const std::vector<Point>& points, Color c);
  void fillRegion(const Region& region, Color c);
  void fillEllipse(const Rect& bounds, Color c);
  void frameEllipse(const Rect& bounds, Color c, int penWidth = 1);

  // Copies a part of another image here unchanged (alpha included).
  void drawImage(const Image& source, const Rect& sourceRect, Point dest);
  // Scales a part of another image into a rectangle, averaging pixels when shrinking.
  void drawImageScaled(const Image& source, const Rect& sourceRect, const Rect& dest);

  // Text in UTF-8 or UTF-16; flags from platform::ui::text.
  void drawText(std::string_view utf8, const Rect& r, const Font& font, Color c, unsigned flags = 0);
  void drawText(std::u16string_view utf16, const Rect& r, const Font& font, Color c,
                unsigned flags = 0);
  // Size the text takes; maxWidth >= 0 wraps (with kWordWrap) or cuts (with kEndEllipsis) there.
  Size measureText(std::string_view utf8, const Font& font, unsigned flags = 0, int maxWidth = -1);
  Size measureText(std::u16string_view utf16, const Font& font, unsigned flags = 0,
                   int maxWidth = -1);
  int lineHeight(const Font& font);
  // Characters of the text that no installed font can show (drawn as boxes).
  int unknownGlyphs(std::string_view utf8, const Font& font);

 private:
  void applyClip();
  Image& target_;
  void* cr_ = nullptr;
  Point origin_;
  Region clip_;  // in image pixels
};

}  // namespace platform::ui
