#pragma once
#include <vector>

#include "s/gui/events/IEventListener.h"

namespace s::gui {
class IComponent;
}

namespace s::gui::events {

// A listener that, on any event from its one source, switches a list of components on or off:
// enabled (Enabler, Disabler) or editable (Editabler, UnEditabler). Events from other sources
// are ignored, so one check box can drive several of these.
class ComponentSwitch : public IEventListener {
 public:
  enum class What { kEnabled, kEditable };
  ComponentSwitch(base::IObject* source, What what, bool on) : source_(source), what_(what), on_(on) {}

  void addComponent(IComponent* c) { components_.push_back(c); }
  void onEvent(base::IObject* source, int code) override;

 private:
  base::IObject* source_;
  What what_;
  bool on_;
  std::vector<IComponent*> components_;
};

struct Enabler : ComponentSwitch {
  explicit Enabler(base::IObject* source) : ComponentSwitch(source, What::kEnabled, true) {}
};
struct Disabler : ComponentSwitch {
  explicit Disabler(base::IObject* source) : ComponentSwitch(source, What::kEnabled, false) {}
};
struct Editabler : ComponentSwitch {
  explicit Editabler(base::IObject* source) : ComponentSwitch(source, What::kEditable, true) {}
};
struct UnEditabler : ComponentSwitch {
  explicit UnEditabler(base::IObject* source) : ComponentSwitch(source, What::kEditable, false) {}
};

}  // namespace s::gui::events
