#include "s/gui/win/PlainDrawers.h"

#include <algorithm>

#include "s/gui/counter/CounterData.h"
#include "s/gui/drawer/IButton.h"
#include "s/gui/drawer/ICheckBox.h"
#include "s/gui/drawer/ICounter.h"
#include "s/gui/drawer/IGroupBox.h"
#include "s/gui/drawer/IRadioButton.h"
#include "s/gui/drawer/IScrollBar.h"
#include "s/gui/drawer/ISlider.h"
#include "s/gui/drawer/IText.h"
#include "s/gui/drawer/listbox/win/Basic.h"
#include "s/gui/drawer/listheader/win/Thin.h"

namespace s::gui::win {

using namespace platform::ui;
using namespace s::gui::drawer;

namespace {

const Color kFrame = rgb(68, 68, 68);
const Color kDisabled = rgb(170, 170, 170);
const Color kText = rgb(0, 0, 0);
const Color kPressed = rgb(200, 200, 200);
const Color kTrack = rgb(225, 225, 225);
const Color kFill = rgb(119, 119, 119);
const Color kSeries[2] = {rgb(119, 119, 119), rgb(255, 165, 0)};

Size measured(std::u16string_view text, const FontStyle& font) {
  Image none;
  Canvas canvas(none);
  return canvas.measureText(text, font.font);
}

Color textColor(const FontStyle& font, bool enabled) {
  if (!enabled) return kDisabled;
  return font.hasColor ? font.color : kText;
}

// The parts every plain drawer shares: no palette of its own to configure or read back, and no
// pool (the set lives as long as its host).
template <class Interface>
class Plain : public Interface {
 public:
  void configure(const SkinColors&) override {}
  void readColors(SkinColors&) const override {}
  const char16_t* typeName() const override { return u"s_gui_win_PlainDrawers"; }
  base::IObject* newInstance() const override { return nullptr; }
  void release() override {}
  void reset() override {}
};

class Button final : public Plain<IButton> {
 public:
  void paint(const ButtonState& s, const Rect& r, Canvas& c) const override {
    if (r.empty()) return;
    if (s.checked || s.hover == 2) c.fillRect(r.inset(1), kPressed);
    if (s.frame) c.frameRect(r, s.enabled ? kFrame : kDisabled, s.hover == 1 ? 2 : 1);
    if (s.caption.empty() || s.caption.front() == u'#') return;
    c.drawText(s.caption, r.inset(2), s.font.font, textColor(s.font, s.enabled),
               text::kCenter | text::kVCenter | text::kEndEllipsis);
  }
  Size measure(const ButtonState& s) const override {
    if (!s.caption.empty() && s.caption.front() == u'#') return {22, 16};
    Size t = measured(s.caption, s.font);
    return {t.width + 12, t.height + 6};
  }
};

class Text final : public Plain<IText> {
 public:
  void paint(const TextState& s, const Rect& r, Canvas& c) const override {
    c.drawText(s.text, r, s.font.font, textColor(s.font, s.look != Look::kDisabled), s.flags);
  }
  Size measure(const TextState& s, int maxWidth) const override {
    Image none;
    Canvas canvas(none);
    Size t = canvas.measureText(s.text, s.font.font, s.flags, maxWidth);
    return {t.width + 2, t.height};
  }
  int lineHeight(const FontStyle& font) const override { return measured(u"test", font).height; }
};

// Box or circle at the left, caption after it.
template <class Interface, bool Round>
class Check final : public Plain<Interface> {
 public:
  void paint(const CheckState& s, const Rect& r, Canvas& c) const override {
    int e = measured(u"test", s.font).height;
    Rect mark = Rect::fromSize(r.left, r.top + (r.height() - e) / 2, e, e);
    Color frame = s.enabled ? kFrame : kDisabled;
    if (Round) {
      c.fillEllipse(mark, rgb(255, 255, 255));
      c.frameEllipse(mark, frame, 2);
      if (s.checked) c.fillEllipse(mark.inset(e / 4), frame);
    } else {
      c.fillRect(mark, rgb(255, 255, 255));
      c.frameRect(mark, frame, 2);
      if (s.checked) c.fillRect(mark.inset(4), frame);
    }
    c.drawText(s.caption, r.shrink(e + e / 6, 0, 0, 0), s.font.font, textColor(s.font, s.enabled),
               text::kVCenter | text::kEndEllipsis);
  }
  Size measure(const CheckState& s) const override {
    Size t = measured(s.caption, s.font);
    int e = measured(u"test", s.font).height;
    return {t.width + e + e / 6, std::max(t.height, e)};
  }
};

class Slider final : public Plain<ISlider> {
 public:
  void paint(const SliderState& s, const Rect& r, Canvas& c) const override {
    if (r.empty()) return;
    Color frame = s.enabled ? kFrame : kDisabled;
    c.fillRect(r, kTrack);
    c.frameRect(r, frame);
    int range = s.maximum - s.minimum;
    int room = std::max(0, r.width() - kThumbWidth);
    int thumb = range > 0 ? static_cast<int>(static_cast<long long>(s.value - s.minimum) * room / range) : 0;
    if (s.highlight) c.fillRect(Rect{r.left + 1, r.top + 1, r.left + thumb, r.bottom - 1}, kFill);
    c.fillRect(Rect::fromSize(r.left + thumb, r.top, kThumbWidth, r.height()), frame);
    if (s.limitMode && range > 0) {
      int limit = static_cast<int>(static_cast<long long>(s.limit - s.minimum) * room / range);
      c.frameRect(Rect::fromSize(r.left + limit, r.top, kThumbWidth, r.height()), frame, 2);
    }
  }
};

class ScrollBar final : public Plain<IScrollBar> {
 public:
  void paint(const ScrollBarState& s, const Rect& r, Canvas& c) const override {
    ScrollBarParts p = parts(s, r);
    Color fg = s.hasColor ? s.color : s.enabled ? kFrame : kDisabled;
    c.fillRect(r, kTrack);
    c.frameRect(p.firstArrow, fg);
    c.frameRect(p.secondArrow, fg);
    c.fillRect(p.thumb, fg);
  }
  ScrollBarParts parts(const ScrollBarState& s, const Rect& r) const override {
    ScrollBarParts p;
    int across = s.vertical ? r.width() : r.height();
    p.firstArrow = s.vertical ? r.takeTop(across) : r.takeLeft(across);
    p.secondArrow = s.vertical ? r.takeBottom(across) : r.takeRight(across);
    p.track = s.vertical ? Rect{r.left, p.firstArrow.bottom, r.right, p.secondArrow.top}
                         : Rect{p.firstArrow.right, r.top, p.secondArrow.left, r.bottom};
    long long total = static_cast<long long>(s.maximum) - s.minimum + 1;
    int length = s.vertical ? p.track.height() : p.track.width();
    if (s.page <= 0 || total <= s.page || length <= 0) return p;
    int size = std::max(8, static_cast<int>(length * static_cast<long long>(s.page) / total));
    size = std::min(size, length);
    long long travel = total - s.page;
    int offset = static_cast<int>((length - size) * static_cast<long long>(std::clamp<long long>(s.position - s.minimum, 0, travel)) / travel);
    p.thumb = s.vertical ? Rect::fromSize(r.left, p.track.top + offset, r.width(), size)
                         : Rect::fromSize(p.track.left + offset, r.top, size, r.height());
    return p;
  }
};

class GroupBox final : public Plain<IGroupBox> {
 public:
  void paint(const GroupBoxState& s, const Rect& r, Canvas& c) const override {
    int line = measured(u"test", s.font).height;
    c.frameRect(r.shrink(0, line / 2, 0, 0), s.enabled ? kFrame : kDisabled, 2);
    Size t = measured(s.caption, s.font);
    Rect caption = Rect::fromSize(r.left + 9, r.top, t.width + 4, line);
    c.fillRect(caption, rgb(240, 240, 240));
    c.drawText(s.caption, caption.shrink(2, 0, 0, 0), s.font.font, textColor(s.font, s.enabled));
  }
  Rect inner(const GroupBoxState& s, const Rect& r) const override {
    return r.shrink(6, measured(u"test", s.font).height + 2, 6, 6);
  }
};

class Counter final : public Plain<ICounter> {
 public:
  void paint(const CounterState& s, const Rect& g, Canvas& c) const override {
    if (g.empty() || s.style == 0) return;
    const counter::CounterData* series[2] = {s.first, s.second};
    for (int i = 0; i < 2; ++i) {
      if (!series[i]) continue;
      counter::CounterData::Snapshot snap;
      series[i]->snapshot(snap, g.width());
      if (snap.newestFirst.empty()) continue;
      long long top = snap.automaticMaximum ? std::max<long long>(snap.maximum, *std::max_element(snap.newestFirst.begin(), snap.newestFirst.end())) : snap.fixedMaximum;
      long long span = top - snap.minimum;
      if (span <= 0) continue;
      Color color = snap.hasColor ? snap.color : kSeries[i ^ (s.swapColors ? 1 : 0)];
      int full = s.style == 1 ? g.width() : g.height();
      auto length = [&](long long v) { return static_cast<int>(std::clamp<long long>((v - snap.minimum) * full / span, 0, full)); };
      if (s.style == 1) {
        c.fillRect(g.takeLeft(length(snap.newestFirst.front())), color);
        continue;
      }
      for (size_t k = 0; k < snap.newestFirst.size(); ++k) {
        int len = length(snap.newestFirst[k]);
        int x = g.right - 1 - static_cast<int>(k);
        c.fillRect(Rect::fromSize(x, g.top + (g.height() - len) / 2, 1, len), color);
      }
    }
  }
};

}  // namespace

struct PlainDrawers::Set {
  Button button;
  Text text;
  Check<ICheckBox, false> checkBox;
  Check<IRadioButton, true> radioButton;
  Slider slider;
  ScrollBar scrollBar;
  GroupBox groupBox;
  Counter counter;
  // The lists take the skins' own list drawers in our light palette: their painting (marks,
  // alternate rows, sort arrows) is more than a plain fill.
  drawer::listbox::win::Basic listBox;
  drawer::listheader::win::Thin listHeader;
};

namespace {

drawer::SkinColors plainListColors() {
  drawer::SkinColors colors;
  colors[Role::kCompFg] = kFrame;
  colors[Role::kListHeaderBg] = rgb(51, 153, 255);
  colors[Role::kListHeaderFont] = rgb(255, 255, 255);
  colors[Role::kListBg] = rgb(255, 255, 255);
  colors[Role::kListFont] = kText;
  colors[Role::kListAlternate] = rgb(242, 242, 242);
  return colors;
}

}  // namespace

PlainDrawers::PlainDrawers() : set_(std::make_unique<Set>()) {
  set_->listBox.configure(plainListColors());
  set_->listHeader.configure(plainListColors());
}
PlainDrawers::~PlainDrawers() = default;
const IButton& PlainDrawers::button() const { return set_->button; }
const IText& PlainDrawers::text() const { return set_->text; }
const ICheckBox& PlainDrawers::checkBox() const { return set_->checkBox; }
const IRadioButton& PlainDrawers::radioButton() const { return set_->radioButton; }
const ISlider& PlainDrawers::slider() const { return set_->slider; }
const IScrollBar& PlainDrawers::scrollBar() const { return set_->scrollBar; }
const IGroupBox& PlainDrawers::groupBox() const { return set_->groupBox; }
const ICounter& PlainDrawers::counter() const { return set_->counter; }
const IListBox& PlainDrawers::listBox() const { return set_->listBox; }
const IListHeader& PlainDrawers::listHeader() const { return set_->listHeader; }

}  // namespace s::gui::win
