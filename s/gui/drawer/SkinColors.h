#pragma once
#include <array>
#include <string_view>

#include "platform/ui/Geometry.h"

namespace s::gui::drawer {

// The fifteen colour roles of a skin, in the order a skin-set file lists them.
enum class Role {
  kWindowBg,
  kWindowFg,
  kCompFg,
  kCompDisabled,
  kGroupBorder,
  kText,
  kTextOutLineSpecific,
  kSliderBg,
  kListHeaderBg,
  kListHeaderFont,
  kListBg,
  kListFont,
  kListAlternate,
  kCounter01,
  kCounter02,
};
constexpr int kRoleCount = 15;

// Element names of the roles in a skin-set file, indexed by Role.
constexpr std::array<std::u16string_view, kRoleCount> kRoleNames = {
    u"windowBg",     u"windowFg",     u"compFg",       u"compDisabled",    u"groupBorder",
    u"text",         u"textOutLineSpecific", u"sliderBg", u"listHeaderBg", u"listHeaderFont",
    u"listBg",       u"listFont",     u"listAlternate", u"counter01",      u"counter02"};

// One palette: the colours a skin is built from, as 0x00BBGGRR values.
struct SkinColors {
  std::array<platform::ui::Color, kRoleCount> colors{};

  platform::ui::Color operator[](Role role) const { return colors[static_cast<int>(role)]; }
  platform::ui::Color& operator[](Role role) { return colors[static_cast<int>(role)]; }
  friend bool operator==(const SkinColors&, const SkinColors&) = default;
};

}  // namespace s::gui::drawer
