#pragma once
#include <algorithm>
#include <vector>

#include "s/gui/events/IEventListener.h"

namespace s::gui::events {

// The listeners of one event of one source, told in registration order. A listener may add or
// remove listeners while it is being told; the change counts from the next event on.
class ListenerList {
 public:
  void add(IEventListener* listener) {
    if (listener) listeners_.push_back(listener);
  }
  void remove(IEventListener* listener) { std::erase(listeners_, listener); }
  void clear() { listeners_.clear(); }
  bool empty() const { return listeners_.empty(); }
  void raise(base::IObject* source, int code) const {
    if (listeners_.empty()) return;
    std::vector<IEventListener*> now = listeners_;
    for (IEventListener* l : now) l->onEvent(source, code);
  }

 private:
  std::vector<IEventListener*> listeners_;
};

}  // namespace s::gui::events
