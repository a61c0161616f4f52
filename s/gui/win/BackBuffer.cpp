#include "s/gui/win/BackBuffer.h"

#include <algorithm>

namespace s::gui::win {

using namespace platform::ui;

Image& BackBuffer::imageFor(Size size) {
  size.width = std::max(1, size.width);
  size.height = std::max(1, size.height);
  long long area = static_cast<long long>(size.width) * size.height;
  long long kept = static_cast<long long>(image_.width()) * image_.height();
  bool outgrown = !image_.valid() || size.width > image_.width() || size.height > image_.height();
  bool tooLarge = kept * 7 > area * 10;
  if (outgrown || tooLarge) image_ = Image(size.width, size.height);
  return image_;
}

}  // namespace s::gui::win
