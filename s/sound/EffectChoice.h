#pragma once
#include <cstdint>
#include <string_view>

namespace s::sound {

// What the engine is told for one choice of the effect and pitch menus.
struct EffectSettings {
  int32_t presetIndex = -1;  // -1: no preset
  bool stereoEnhancerOn = false;
  bool equalizerOn = false;
  bool vocalInstrumentOn = false;
  float pitch = 0;  // semitones x 100 / 12
};

// The user's effect choice as the window keeps it: a preset index (-1 for none) and the three
// switches wide, bright and soft. Pure values and functions: the play process turns a choice into
// engine settings with settingsFor() before every song and whenever the choice changes.
struct EffectChoice {
  static constexpr int32_t kStudioOriginal = 147;
  static constexpr int32_t kSoftBreeze = 148;
  static constexpr int32_t kOpenAir = 149;
  static constexpr int32_t kFirstPresetCommand = 150;
  static constexpr int32_t kLastCommand = 160;
  static constexpr int32_t kMinSemitones = -12;
  static constexpr int32_t kMaxSemitones = 12;

  int32_t presetIndex = -1;
  bool wide = false;
  bool bright = false;
  bool soft = false;

  // The engine settings for this choice and a pitch in semitones.
  EffectSettings settingsFor(int32_t semitones) const;
  static float pitchAmount(int32_t semitones);

  // The choice behind a menu command (147..160); false for any other command.
  static bool fromCommand(int32_t command, EffectChoice* choice);
  // The menu command that shows this choice checked.
  int32_t command() const;

  // The value stored in the view settings ("None", "Soft", "Dynamic", "Others").
  const char16_t* storedName() const;
  // The choice restored at start: "Soft" and "Dynamic" come back, anything else (a preset
  // included) gives "Studio Original".
  static EffectChoice fromStoredName(std::u16string_view stored);

  // Menu texts: the English text and the language-table id of a command, null / 0 outside.
  static const char* englishText(int32_t command);
  static int32_t textId(int32_t command);
  // The command whose English menu text is `text` (exact match), or 0.
  static int32_t commandForText(std::string_view text);

  bool operator==(const EffectChoice&) const = default;
};

}  // namespace s::sound
