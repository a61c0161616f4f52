#include "s/gui/drawer/Skinner.h"

#include <chrono>

#include "s/gui/drawer/FallbackSkins.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/SkinSetFile.h"
#include "s/gui/drawer/skin/ThinWindow.h"
#include "s/gui/events/IEventListener.h"
#include "s/thread/EasyPooler.h"

namespace s::gui::drawer {

namespace {
constexpr std::u16string_view kThinWindow = u"ThinWindow";
constexpr std::u16string_view kThin = u"Thin";
}  // namespace

Skinner* Skinner::create() { return thread::PoolOf<Skinner>::acquire(); }

Skinner* Skinner::createSkinner() {
  Skinner* skinner = create();
  skinner->setSkinType(kThinWindow);
  for (const FallbackSkins::Entry& e : FallbackSkins::all()) skinner->addSkinFromColors(e.name, e.colors);
  return skinner;
}

Skinner::Skinner()
    : type_(u"Basic"),
      random_(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
              std::random_device{}()) {}

Skinner::~Skinner() { reset(); }

base::IObject* Skinner::newInstance() const { return create(); }

void Skinner::release() { thread::PoolOf<Skinner>::release(this); }

void Skinner::reset() {
  std::lock_guard lock(mutex_);
  for (Entry& e : skins_) e.skin->release();
  for (ISkin* s : retired_) s->release();
  skins_.clear();
  retired_.clear();
  handedOut_ = false;
  current_ = nullptr;
  listeners_.clear();
  type_ = u"Basic";
}

std::u16string Skinner::getSkinType() const {
  std::lock_guard lock(mutex_);
  return type_;
}

void Skinner::setSkinType(std::u16string_view type) {
  std::lock_guard lock(mutex_);
  type_ = type;
}

void Skinner::addSkin(ISkin* skin) {
  if (!skin) return;
  std::lock_guard lock(mutex_);
  skins_.push_back({skin->getName(), skin});
}

bool Skinner::addSkinFromColors(std::u16string_view name, const SkinColors& colors) {
  {
    std::lock_guard lock(mutex_);
    if (type_ != kThinWindow && type_ != kThin) return false;
  }
  addSkin(skin::ThinWindow::build(name, colors));
  return true;
}

void Skinner::retire(ISkin* skin) {
  if (handedOut_) retired_.push_back(skin);
  else skin->release();
}

void Skinner::removeAt(int index) {
  retire(skins_[index].skin);
  skins_.erase(skins_.begin() + index);
}

void Skinner::removeSkin(int index) {
  ISkin* before;
  {
    std::lock_guard lock(mutex_);
    before = current_;
    if (index < 0 || index >= static_cast<int>(skins_.size())) return;
    const bool wasCurrent = skins_[index].skin == current_;
    removeAt(index);
    if (wasCurrent) current_ = skins_.empty() ? nullptr : skins_.front().skin;
  }
  notifyIfChanged(before);
}

int Skinner::findSkin(std::u16string_view name) const {
  std::lock_guard lock(mutex_);
  for (std::size_t i = 0; i < skins_.size(); ++i)
    if (skins_[i].name == name) return static_cast<int>(i);
  return -1;
}

void Skinner::selectSkin(std::u16string_view name) {
  ISkin* before;
  {
    std::lock_guard lock(mutex_);
    before = current_;
    if (skins_.empty()) return;
    ISkin* chosen = skins_.front().skin;
    for (const Entry& e : skins_)
      if (e.name == name) {
        chosen = e.skin;
        break;
      }
    current_ = chosen;
  }
  notifyIfChanged(before);
}

void Skinner::selectRandomSkin() {
  ISkin* before;
  {
    std::lock_guard lock(mutex_);
    before = current_;
    const std::size_t n = skins_.size();
    if (n < 2) return;
    // Draw among the other skins only, so that one draw always lands on a different skin.
    std::size_t currentIndex = n;
    for (std::size_t i = 0; i < n; ++i)
      if (skins_[i].skin == current_) currentIndex = i;
    const std::size_t choices = currentIndex < n ? n - 1 : n;
    std::size_t pick = std::uniform_int_distribution<std::size_t>(0, choices - 1)(random_);
    if (currentIndex < n && pick >= currentIndex) ++pick;
    current_ = skins_[pick].skin;
  }
  notifyIfChanged(before);
}

ISkin* Skinner::getCurrentSkin() const {
  std::lock_guard lock(mutex_);
  handedOut_ = handedOut_ || current_;
  return current_;
}

int Skinner::getSkinCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(skins_.size());
}

ISkin* Skinner::getSkin(int index) const {
  std::lock_guard lock(mutex_);
  if (index < 0 || index >= static_cast<int>(skins_.size())) return nullptr;
  handedOut_ = true;
  return skins_[index].skin;
}

std::u16string Skinner::getSkinName(int index) const {
  std::lock_guard lock(mutex_);
  return index >= 0 && index < static_cast<int>(skins_.size()) ? skins_[index].name : std::u16string();
}

std::vector<std::u16string> Skinner::getSkinNames() const {
  std::lock_guard lock(mutex_);
  std::vector<std::u16string> names;
  for (const Entry& e : skins_) names.push_back(e.name);
  return names;
}

void Skinner::reorderSkins(const std::vector<std::u16string>& names) {
  ISkin* before;
  {
    std::lock_guard lock(mutex_);
    before = current_;
    std::vector<Entry> remaining = std::move(skins_);
    skins_.clear();
    for (const std::u16string& name : names) {
      for (auto it = remaining.begin(); it != remaining.end(); ++it)
        if (it->name == name) {
          skins_.push_back(std::move(*it));
          remaining.erase(it);
          break;
        }
    }
    bool currentKept = false;
    for (const Entry& e : remaining) retire(e.skin);
    for (const Entry& e : skins_) currentKept |= e.skin == current_;
    if (!currentKept) current_ = skins_.empty() ? nullptr : skins_.front().skin;
  }
  notifyIfChanged(before);
}

void Skinner::addSkinListener(events::IEventListener* listener) {
  if (!listener) return;
  std::lock_guard lock(mutex_);
  listeners_.push_back(listener);
}

void Skinner::removeSkinListener(events::IEventListener* listener) {
  std::lock_guard lock(mutex_);
  std::erase(listeners_, listener);
}

void Skinner::notifyIfChanged(ISkin* before) {
  std::vector<events::IEventListener*> listeners;
  {
    std::lock_guard lock(mutex_);
    if (current_ == before || !current_) return;
    listeners = listeners_;
  }
  for (events::IEventListener* l : listeners) l->onEvent(this, kSkinChanged);
}

int Skinner::loadSkinSet(const xml::Node& node, std::u16string_view parentName, bool replace) {
  const std::u16string type = getSkinType();
  const std::vector<SkinSetFile::Skin> skins = SkinSetFile::read(node, parentName, type);
  // A set that names no skins leaves the list as it was, even when it was to replace it.
  if (skins.empty()) return 0;
  // Built before taking the lock, then swapped in at once: no other thread sees a half-loaded list.
  std::vector<Entry> built;
  if (type == kThinWindow || type == kThin)
    for (const SkinSetFile::Skin& s : skins) built.push_back({s.name, skin::ThinWindow::build(s.name, s.colors)});
  ISkin* before;
  {
    std::lock_guard lock(mutex_);
    before = current_;
    while (replace && !skins_.empty()) removeAt(static_cast<int>(skins_.size()) - 1);
    skins_.insert(skins_.end(), built.begin(), built.end());
    // The old current skin is gone: the first skin of the new set stands in until one is chosen.
    if (replace && current_) current_ = skins_.empty() ? nullptr : skins_.front().skin;
  }
  notifyIfChanged(before);
  return static_cast<int>(skins.size());
}

void Skinner::saveSkinSet(xml::Node& node, std::u16string_view parentName) const {
  std::vector<SkinSetFile::Skin> skins;
  std::u16string type;
  {
    std::lock_guard lock(mutex_);
    type = type_;
    for (const Entry& e : skins_) skins.push_back({e.name, e.skin->getColors()});
  }
  SkinSetFile::write(node, parentName, type, skins);
}

}  // namespace s::gui::drawer
