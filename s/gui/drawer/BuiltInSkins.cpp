#include "s/gui/drawer/BuiltInSkins.h"

#include <string_view>

#include "resources/Resource.h"
#include "s/gui/drawer/Skinner.h"
#include "s/thread/Pooled.h"
#include "s/xml/Node.h"

namespace s::gui::drawer {

bool BuiltInSkins::load(Skinner& skinner) {
  const res::Resource r = res::find("skins/skinset.xml");
  if (!r.data) return false;
  auto root = thread::holdPooled(xml::Node::create());
  root->parseUtf8(std::string_view(reinterpret_cast<const char*>(r.data), r.size));
  return skinner.loadSkinSet(*root, u"SkinSet", true) > 0;
}

}  // namespace s::gui::drawer
