#include "s/sound/EffectChoice.h"

namespace s::sound {

namespace {

struct MenuEntry {
  int32_t command;
  int32_t textId;
  const char* english;
};

constexpr MenuEntry kMenu[] = {
    {147, 7001001, "Studio Original"}, {148, 6801000, "Soft Breeze"},
    {149, 6802000, "Open Air"},        {150, 7100025, "Vocal Main"},
    {151, 7100125, "Instrument Main"}, {152, 7100200, "Bass Boost"},
    {153, 7100300, "Bass Suppress"},   {154, 7100400, "Bass Only"},
    {155, 7100500, "Middle Boost"},    {156, 7100600, "Middle Suppress"},
    {157, 7100700, "Middle Only"},     {158, 7100800, "High Boost"},
    {159, 7100900, "High Suppress"},   {160, 7101000, "High Only"},
};

const MenuEntry* entryFor(int32_t command) {
  for (const MenuEntry& e : kMenu)
    if (e.command == command) return &e;
  return nullptr;
}

}  // namespace

float EffectChoice::pitchAmount(int32_t semitones) {
  return static_cast<float>(semitones) * 100.0f / 12.0f;
}

EffectSettings EffectChoice::settingsFor(int32_t semitones) const {
  EffectSettings s;
  const bool none = presetIndex < 0;
  s.presetIndex = none ? -1 : presetIndex;
  s.stereoEnhancerOn = none && !soft && wide;
  s.equalizerOn = none && !soft && bright;
  s.vocalInstrumentOn = none && soft;
  s.pitch = pitchAmount(semitones);
  return s;
}

bool EffectChoice::fromCommand(int32_t command, EffectChoice* choice) {
  if (command < kStudioOriginal || command > kLastCommand) return false;
  EffectChoice c;
  if (command == kSoftBreeze) c.soft = true;
  if (command == kOpenAir) c.wide = c.bright = true;
  if (command >= kFirstPresetCommand) c.presetIndex = command - kFirstPresetCommand;
  *choice = c;
  return true;
}

int32_t EffectChoice::command() const {
  if (presetIndex >= 0) return kFirstPresetCommand + presetIndex;
  if (soft) return kSoftBreeze;
  if (wide || bright) return kOpenAir;
  return kStudioOriginal;
}

const char16_t* EffectChoice::storedName() const {
  switch (command()) {
    case kStudioOriginal: return u"None";
    case kSoftBreeze: return u"Soft";
    case kOpenAir: return u"Dynamic";
    default: return u"Others";
  }
}

EffectChoice EffectChoice::fromStoredName(std::u16string_view stored) {
  EffectChoice c;
  if (stored == u"Soft") fromCommand(kSoftBreeze, &c);
  if (stored == u"Dynamic") fromCommand(kOpenAir, &c);
  return c;
}

const char* EffectChoice::englishText(int32_t command) {
  const MenuEntry* e = entryFor(command);
  return e ? e->english : nullptr;
}

int32_t EffectChoice::textId(int32_t command) {
  const MenuEntry* e = entryFor(command);
  return e ? e->textId : 0;
}

int32_t EffectChoice::commandForText(std::string_view text) {
  for (const MenuEntry& e : kMenu)
    if (text == e.english) return e.command;
  return 0;
}

}  // namespace s::sound
