#include "s/gui/drawer/SkinSetFile.h"

#include <algorithm>
#include <string>

#include "s/xml/Node.h"

namespace s::gui::drawer {

namespace {

using platform::ui::Color;

// Follows a "\"-separated path of child names; null when a step is missing.
const xml::Node* descend(const xml::Node& node, std::u16string_view path) {
  const xml::Node* at = &node;
  while (at && !path.empty()) {
    const std::size_t cut = path.find(u'\\');
    const std::u16string name(path.substr(0, cut));
    at = at->getChild(name.c_str());
    path = cut == std::u16string_view::npos ? std::u16string_view() : path.substr(cut + 1);
  }
  return at;
}

xml::Node* descendOrCreate(xml::Node& node, std::u16string_view path) {
  xml::Node* at = &node;
  while (!path.empty()) {
    const std::size_t cut = path.find(u'\\');
    const std::u16string name(path.substr(0, cut));
    xml::Node* child = at->getChild(name.c_str());
    at = child ? child : at->addChild(name.c_str());
    path = cut == std::u16string_view::npos ? std::u16string_view() : path.substr(cut + 1);
  }
  return at;
}

std::u16string skinElement(std::u16string_view type, int index) {
  std::u16string name(type);
  name += u'_';
  for (char c : std::to_string(index)) name += static_cast<char16_t>(c);
  return name;
}

int channel(const xml::Node* color, const char16_t* name, int fallback) {
  if (!color) return fallback;
  return std::clamp<int>(color->getAttrS32(name, fallback), 0, 255);
}

Color readColor(const xml::Node& skin, Role role, Color fallback) {
  const std::u16string name(kRoleNames[static_cast<int>(role)]);
  const xml::Node* c = skin.getChild(name.c_str());
  return platform::ui::rgb(channel(c, u"R", platform::ui::redOf(fallback)),
                           channel(c, u"G", platform::ui::greenOf(fallback)),
                           channel(c, u"B", platform::ui::blueOf(fallback)));
}

}  // namespace

std::vector<SkinSetFile::Skin> SkinSetFile::read(const xml::Node& node, std::u16string_view parentName,
                                                 std::u16string_view type) {
  std::vector<Skin> skins;
  const xml::Node* parent = descend(node, parentName);
  if (!parent) return skins;
  const std::u16string typeName(type);
  const xml::Node* header = parent->getChild(typeName.c_str());
  const int count = header ? header->getAttrS32(u"numOfSkins", 0) : 0;
  for (int i = 0; i < count; ++i) {
    const xml::Node* element = parent->getChild(skinElement(type, i).c_str());
    if (!element) continue;
    Skin skin;
    if (!element->decodeAttr(skin.name, u"name") || skin.name.empty()) continue;
    for (int r = 0; r < kRoleCount; ++r) {
      const Role role = static_cast<Role>(r);
      Color fallback = 0;
      if (role == Role::kGroupBorder) fallback = skin.colors[Role::kCompFg];
      if (role == Role::kTextOutLineSpecific) {
        const Color text = skin.colors[Role::kText];
        const int average = (platform::ui::redOf(text) + platform::ui::greenOf(text) + platform::ui::blueOf(text)) / 3;
        const int grey = average > 77 ? 51 : 238;
        fallback = platform::ui::rgb(grey, grey, grey);
      }
      skin.colors[role] = readColor(*element, role, fallback);
    }
    skins.push_back(std::move(skin));
  }
  return skins;
}

void SkinSetFile::write(xml::Node& node, std::u16string_view parentName, std::u16string_view type,
                        const std::vector<Skin>& skins) {
  xml::Node* parent = descendOrCreate(node, parentName);
  // Drop what an earlier save left, so that a shorter list leaves no stale skins behind.
  const std::u16string prefix = std::u16string(type) + u'_';
  for (int i = parent->childCount() - 1; i >= 0; --i) {
    const std::u16string_view name = parent->childAt(i)->nameView();
    if (name == type || name.substr(0, prefix.size()) == prefix) parent->removeChild(i);
  }
  const std::u16string typeName(type);
  parent->addChild(typeName.c_str())->addAttrS32(u"numOfSkins", static_cast<std::int32_t>(skins.size()));
  for (std::size_t i = 0; i < skins.size(); ++i) {
    xml::Node* element = parent->addChild(skinElement(type, static_cast<int>(i)).c_str());
    element->addAttrText(u"name", skins[i].name.c_str());
    for (int r = 0; r < kRoleCount; ++r) {
      const std::u16string name(kRoleNames[r]);
      xml::Node* c = element->addChild(name.c_str());
      const Color color = skins[i].colors.colors[r];
      c->addAttrS32(u"R", platform::ui::redOf(color));
      c->addAttrS32(u"G", platform::ui::greenOf(color));
      c->addAttrS32(u"B", platform::ui::blueOf(color));
    }
  }
}

}  // namespace s::gui::drawer
