#include "s/gui/win/FontSetting.h"

#include <cstdlib>

namespace s::gui::win {

void FontSetting::setSizeCode(int n) {
  int magnitude = std::abs(n);
  int weight = 0;
  int points = 0;
  if (magnitude < 100) {
    weight = 400;
    points = n + 10;
  } else if (magnitude < 1000) {
    weight = 700;
    points = n % 100 + 14;
  } else if (n == 100001) {
    weight = 400;
    points = 8;
  } else {
    return;
  }
  setWeight(weight);
  if (!heightSet_) setPointSize(points);
}

void FontSetting::setPointSize(double points) {
  if (points <= 0) return;
  font_.pointSize = points;
  customized_ = true;
}

void FontSetting::setHeight(int pixels) {
  if (pixels <= 0) return;
  font_.pointSize = pixels * 72.0 / 96.0;
  heightSet_ = true;
  customized_ = true;
}

void FontSetting::setWeight(int weight) {
  font_.weight = weight;
  customized_ = true;
}

void FontSetting::setItalic(bool on) {
  font_.italic = on;
  customized_ = true;
}

void FontSetting::setUnderline(bool on) {
  font_.underline = on;
  customized_ = true;
}

void FontSetting::setFaceName(const std::string& face) {
  if (face.empty()) return;
  font_.family = face;
  customized_ = true;
}

void FontSetting::setColor(int r, int g, int b) {
  color_ = platform::ui::rgb(r, g, b);
  customized_ = true;
}

void FontSetting::setOutlineColor(int r, int g, int b) {
  outline_ = platform::ui::rgb(r, g, b);
  customized_ = true;
}

void FontSetting::setEffect(int effect) {
  effect_ = effect;
  customized_ = true;
}

drawer::FontStyle FontSetting::style(double scale) const {
  drawer::FontStyle s;
  s.font = font_;
  s.font.pointSize = font_.pointSize * scale;
  s.hasColor = color_.has_value();
  s.color = color_.value_or(0);
  s.hasOutline = outline_.has_value();
  s.outline = outline_.value_or(0);
  s.effect = effect_;
  return s;
}

}  // namespace s::gui::win
