#pragma once
#include "s/gui/IComponent.h"

namespace s::gui {

class ILayoutManager;

class IContainer : public virtual IComponent {
 public:
  virtual void add(IComponent* child) = 0;
  virtual void remove(IComponent* child) = 0;
  virtual void doLayout() = 0;
  // The manager in use: a custom one, else the container's default.
  virtual ILayoutManager* getLayoutManager() const = 0;
  virtual void setLayoutManager(ILayoutManager* manager) = 0;
};

}  // namespace s::gui
