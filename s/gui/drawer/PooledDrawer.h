#pragma once
#include "s/thread/EasyPooler.h"

namespace s::gui::drawer {

// The pool plumbing every concrete drawer shares: create() from the class's pool, release() back
// to it, newInstance() a fresh one. Derived is the concrete drawer, Interface its drawer kind.
template <class Derived, class Interface>
class PooledDrawer : public Interface {
 public:
  static Derived* create() { return thread::PoolOf<Derived>::acquire(); }
  void release() override { thread::PoolOf<Derived>::release(static_cast<Derived*>(this)); }
  base::IObject* newInstance() const override { return create(); }
};

}  // namespace s::gui::drawer
