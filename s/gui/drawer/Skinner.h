#pragma once
#include <cstdint>
#include <mutex>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "s/base/IObject.h"
#include "s/gui/drawer/SkinColors.h"
#include "s/thread/IPoolable.h"

namespace s::gui::events {
class IEventListener;
}
namespace s::xml {
class Node;
}

namespace s::gui::drawer {

class ISkin;

// The skin manager: the list of skins, the current skin, and the listeners that repaint when the
// current skin changes (onEvent(skinner, kSkinChanged)).
//
// Threads: the player's and the skin customizer's interface threads both use one manager, so
// every operation takes the manager's one lock. Listeners are told after the lock is let go, on
// the thread that made the change; a listener that lives on another thread posts the repaint to
// its own thread. A removed skin is not given back to its pool while the manager lives once a skin
// has been handed out: a widget on another thread may still be painting with its drawers until it
// has been told of the change. Until then (a manager filled with the fallback skins and then
// given the built-in set at start) removed skins go back to their pool at once.
class Skinner final : public base::IObject, public thread::IPoolable {
 public:
  static constexpr int kSkinChanged = 0;

  // From the pool, of type "ThinWindow", filled with the coded fallback skins.
  static Skinner* createSkinner();
  // From the pool, empty, of type "Basic" (a freshly reset manager).
  static Skinner* create();

  Skinner();
  ~Skinner() override;
  Skinner(const Skinner&) = delete;
  Skinner& operator=(const Skinner&) = delete;

  std::u16string getSkinType() const;
  void setSkinType(std::u16string_view type);

  // Takes ownership of the skin and appends it under its name.
  void addSkin(ISkin* skin);
  // Builds a skin of the manager's type from the palette and appends it; false when the type is
  // neither "Thin" nor "ThinWindow".
  bool addSkinFromColors(std::u16string_view name, const SkinColors& colors);
  // Removes the skin at the index. When it was the current skin, the first remaining skin becomes
  // current (listeners are told), so that the current skin is always one of the list.
  void removeSkin(int index);
  // Index of the first skin of that name, or -1.
  int findSkin(std::u16string_view name) const;
  // The skin of that name becomes current, or the first skin when none has that name.
  void selectSkin(std::u16string_view name);
  // Another skin than the current one, chosen at random; nothing with fewer than two skins.
  void selectRandomSkin();

  ISkin* getCurrentSkin() const;
  int getSkinCount() const;
  ISkin* getSkin(int index) const;
  std::u16string getSkinName(int index) const;
  std::vector<std::u16string> getSkinNames() const;
  // Keeps the skins named, in that order; the others are removed.
  void reorderSkins(const std::vector<std::u16string>& names);

  // Reads a skin set from below `node` (the element `parentName` holding the type element and
  // the numbered skin elements). With replace, a set of at least one skin replaces the list, and
  // when a skin was current, the first skin of the new list takes its place (listeners are told).
  // Returns the number of skins added.
  int loadSkinSet(const xml::Node& node, std::u16string_view parentName, bool replace);
  // Writes the whole list as a skin set below `node`, under the element `parentName`.
  void saveSkinSet(xml::Node& node, std::u16string_view parentName) const;

  void addSkinListener(events::IEventListener* listener);
  void removeSkinListener(events::IEventListener* listener);

  const char16_t* typeName() const override { return u"s_gui_drawer_Skinner"; }
  IObject* newInstance() const override;
  void release() override;
  void reset() override;

 private:
  struct Entry {
    std::u16string name;
    ISkin* skin = nullptr;
  };
  void removeAt(int index);       // under the lock
  void retire(ISkin* skin);       // under the lock
  void notifyIfChanged(ISkin* before);

  mutable std::mutex mutex_;
  std::u16string type_;
  std::vector<Entry> skins_;
  std::vector<ISkin*> retired_;  // removed skins, kept until reset (see above)
  mutable bool handedOut_ = false;  // a skin has left the manager through a getter
  ISkin* current_ = nullptr;
  std::vector<events::IEventListener*> listeners_;
  std::mt19937_64 random_;
};

}  // namespace s::gui::drawer
