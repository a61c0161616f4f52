#include "s/gui/win/TextField.h"

#include <algorithm>

#include "s/gui/drawer/IText.h"
#include "s/gui/win/Host.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::win {

using namespace platform::ui;

namespace {
using TextFieldPool = thread::PoolOf<TextField, thread::EasyPooler::kNeverKeep>;
constexpr int kPadding = 3;
}  // namespace

TextField* TextField::create() { return TextFieldPool::acquire(); }
void TextField::release() { TextFieldPool::release(this); }

void TextField::reset() {
  resetComponent();
  text_.clear();
  caret_ = 0;
  editable_ = true;
  font_ = FontSetting();
  changeListeners_.clear();
}

void TextField::setText(const std::u16string& text) {
  text_ = text;
  caret_ = static_cast<int>(text_.size());
  repaint();
}

void TextField::setEditable(bool on) {
  editable_ = on;
  repaint();
}

void TextField::resizeToFont() {
  if (!host()) return;
  // As high as one line of its font; as wide as the layout makes it.
  int line = host()->text().lineHeight(font_.style(host()->scale())) + 2 * kPadding;
  setMinSize(minWidthField(), line);
  setMaxSize(kUnbounded, line);
  relayoutParent();
}

void TextField::edited() {
  repaint();
  changeListeners_.raise(this, kChanged);
}

void TextField::onMouseDown(const MouseEvent& e) {
  if (e.button == 0) takeFocus();
}

bool TextField::onKeyDown(const KeyEvent& e) {
  const int size = static_cast<int>(text_.size());
  switch (e.key) {
    case vk::kLeft: caret_ = std::max(0, caret_ - 1); break;
    case vk::kRight: caret_ = std::min(size, caret_ + 1); break;
    case vk::kHome: caret_ = 0; break;
    case vk::kEnd: caret_ = size; break;
    case vk::kBack:
      if (!editable_ || caret_ == 0) return true;
      text_.erase(static_cast<size_t>(--caret_), 1);
      edited();
      return true;
    case vk::kDelete:
      if (!editable_ || caret_ >= size) return true;
      text_.erase(static_cast<size_t>(caret_), 1);
      edited();
      return true;
    default: return false;
  }
  repaint();
  return true;
}

void TextField::onChar(char32_t c) {
  if (!editable_ || c < 0x20 || c == 0x7F) return;
  std::u16string piece;
  if (c >= 0x10000) {
    piece += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    piece += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  } else {
    piece += static_cast<char16_t>(c);
  }
  text_.insert(static_cast<size_t>(caret_), piece);
  caret_ += static_cast<int>(piece.size());
  edited();
}

void TextField::paint(Canvas& canvas, const Rect& client) {
  drawer::TextState state{text_, font_.style(host()->scale())};
  state.look = isEnabled() && editable_ ? drawer::Look::kNormal : drawer::Look::kDisabled;
  state.flags = text::kVCenter;
  const Rect inside = client.shrink(kPadding, 0, kPadding, 0);
  host()->text().paint(state, inside, canvas);
  if (!hasFocus() || !editable_) return;
  // The caret is a bar drawn by the text drawer, so it takes the text's colour from the skin.
  drawer::TextState before{std::u16string_view(text_).substr(0, static_cast<size_t>(caret_)), state.font};
  int x = caret_ == 0 ? 0 : host()->text().measure(before).width - 2;
  drawer::TextState bar{u"|", state.font};
  bar.flags = text::kVCenter;
  host()->text().paint(bar, inside.shrink(x, 0, 0, 0), canvas);
}

}  // namespace s::gui::win
