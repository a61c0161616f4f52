#include "s/gui/drawer/text/win/Basic.h"

#include "platform/ui/Image.h"
#include "s/gui/drawer/ClipScope.h"

namespace s::gui::drawer::text::win {

namespace flag = platform::ui::text;
using platform::ui::Canvas;
using platform::ui::Color;
using platform::ui::Rect;
using platform::ui::rgb;

namespace {
constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kWhite = rgb(255, 255, 255);

// Pixels an effect adds to the right and below the text.
int effectExtent(int effect) {
  switch (effect) {
    case 1:
    case 7: return 2;  // one pixel on each side
    case 2: return 1;
    case 3: case 4: case 5: case 6: return 2;
    default: return 0;
  }
}
}  // namespace

void Basic::configure(const SkinColors& colors) {
  text_ = colors[Role::kText];
  disabled_ = colors[Role::kCompDisabled];
  emphasised_ = colors[Role::kCompFg];
  background_ = colors[Role::kWindowBg];
  outline_ = colors[Role::kTextOutLineSpecific];
}

void Basic::readColors(SkinColors& colors) const {
  colors[Role::kText] = text_;
  colors[Role::kCompDisabled] = disabled_;
  colors[Role::kCompFg] = emphasised_;
  colors[Role::kWindowBg] = background_;
  colors[Role::kTextOutLineSpecific] = outline_;
}

Color Basic::colorFor(const FontStyle& font, Look look) const {
  if (font.hasColor) return font.color;
  switch (look) {
    case Look::kDisabled: return disabled_;
    case Look::kEmphasised: return emphasised_;
    default: return text_;
  }
}

unsigned Basic::layoutFlags(unsigned flags) {
  if (flags & flag::kWordWrap) return flags;
  if (flags & flag::kCenter) return flags | flag::kVCenter | flag::kEndEllipsis;
  if (flags & flag::kRight) return flags | flag::kEndEllipsis;
  return flags;
}

void Basic::draw(Canvas& canvas, std::u16string_view text, const Rect& rect, const FontStyle& font,
                 Color color, unsigned flags) const {
  if (text.empty() || rect.empty()) return;
  // Effects draw copies around the text; the text itself keeps the rectangle it was given,
  // shrunk by what the effect needs, so that outlines are not cut at the edges.
  const int extent = effectExtent(font.effect);
  const Rect box = font.effect == 1 || font.effect == 7
                       ? Rect{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1}
                       : Rect{rect.left, rect.top, rect.right - extent, rect.bottom - extent};
  auto at = [&](int dx, int dy, Color c) {
    canvas.drawText(text, box.offset(dx, dy), font.font, c, flags | flag::kNoClip);
  };
  switch (font.effect) {
    case 1:
    case 7: {
      const Color ring = font.effect == 7 ? outline_ : (font.hasOutline ? font.outline : outline_);
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (dx || dy) at(dx, dy, ring);
      at(0, 0, color);
      break;
    }
    case 2:
      at(1, 1, color != kBlack ? rgb(119, 119, 119) : rgb(238, 238, 238));
      at(0, 0, color);
      break;
    case 3: at(2, 2, kBlack); at(0, 0, kWhite); at(1, 1, color); break;
    case 4: at(0, 0, kWhite); at(0, 2, kBlack); at(0, 1, color); break;
    case 5: at(2, 2, kWhite); at(0, 0, kBlack); at(1, 1, color); break;
    case 6: at(0, 0, kBlack); at(0, 2, kWhite); at(0, 1, color); break;
    default: at(0, 0, color); break;
  }
}

void Basic::paint(const TextState& state, const Rect& rect, Canvas& canvas) const {
  const ClipScope clip(canvas, rect);
  draw(canvas, state.text, rect, state.font, colorFor(state.font, state.look), layoutFlags(state.flags));
}

platform::ui::Size Basic::measure(const TextState& state, int maxWidth) const {
  const int extent = effectExtent(state.font.effect);
  const unsigned flags = state.flags & flag::kWordWrap;
  platform::ui::Size size = measuringCanvas().measureText(state.text, state.font.font, flags,
                                                          maxWidth >= 0 ? maxWidth - extent : -1);
  if (state.text.empty()) size.height = lineHeight(state.font);
  return {size.width + extent + 2, size.height + extent};
}

int Basic::lineHeight(const FontStyle& font) const { return measuringCanvas().lineHeight(font.font); }

Canvas& Basic::measuringCanvas() {
  thread_local platform::ui::Image image(1, 1);
  thread_local Canvas canvas(image);
  return canvas;
}

}  // namespace s::gui::drawer::text::win
