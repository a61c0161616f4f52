#include "s/xml/Attributes.h"

#include "s/xml/NameMatch.h"

namespace s::xml {

void Attributes::append(std::u16string_view name, std::u16string_view value) {
  records_.push_back(AttrFactory::instance().acquire(
      name.data(), static_cast<std::int32_t>(name.size()), value.data(),
      static_cast<std::int32_t>(value.size())));
}

std::int32_t Attributes::find(std::u16string_view name) const {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const AttrRecord* r = records_[i];
    if (equalsIgnoreCase(std::u16string_view(r->name, static_cast<std::size_t>(r->nameLength)),
                         name))
      return static_cast<std::int32_t>(i);
  }
  return -1;
}

void Attributes::remove(std::int32_t index) {
  if (index < 0 || index >= count()) return;
  AttrFactory::instance().release(records_[static_cast<std::size_t>(index)]);
  records_.erase(records_.begin() + index);
}

void Attributes::clear() {
  for (AttrRecord* r : records_) AttrFactory::instance().release(r);
  records_.clear();
}

}  // namespace s::xml
