#pragma once
#include "s/base/IObject.h"

namespace s::gui {

class IContainer;

// Places a container's children. Managers hold no state: one instance serves every container.
class ILayoutManager : public base::IObject {
 public:
  // Lays the children out with left and top alignment and no gaps.
  virtual void layout(IContainer* container) = 0;
};

}  // namespace s::gui
