#pragma once
#include "platform/ui/Canvas.h"
#include "platform/ui/Geometry.h"
#include "s/base/IObject.h"
#include "s/gui/drawer/FontStyle.h"
#include "s/gui/drawer/SkinColors.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer {

// A drawer paints one kind of widget: (state, rectangle, canvas) -> pixels. It holds the colours
// and shapes of its skin; the widget holds everything else and passes it in a small state struct.
// Painting never changes a drawer, so one drawer serves every widget of its kind on every thread;
// only configure() changes it, and a skin configures its drawers once, before anyone paints.
//
// Rectangles are in the canvas's coordinates (half-open, as platform::ui::Rect). Drawers come
// from their class's pool; whoever owns one gives it back with release().
class IDrawer : public base::IObject, public thread::IPoolable {
 public:
  // Takes the colours this drawer uses from a skin's palette.
  virtual void configure(const SkinColors& colors) = 0;
  // Writes the colours this drawer holds back into a palette (the other roles stay as they are),
  // so that a skin can be saved from its drawers.
  virtual void readColors(SkinColors& colors) const = 0;
};

}  // namespace s::gui::drawer
