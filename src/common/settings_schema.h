#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "ports/settings_store.h"

namespace vesperon {

// The program's name in the settings store, and the name of the section of
// its own start-up choice.
inline constexpr const char* kSettingsApp = "Vesperon";

// How a stored text, trimmed of blanks, is taken.
enum class SettingRule {
  Present,       // any text but the empty one
  Number,        // a decimal number
  Integer,       // a number that rounds into 16 bits
  Hours,         // an integer from 0 to 23
  MinutesOrSeconds,  // an integer from 0 to 59
  CountdownIndex,    // a number from 0 to the last countdown choice
  Anything,      // every text, the empty one too: nothing is put right
};

// One stored setting: its section and name, the text the load step writes
// when what is stored does not pass its rule (nullptr: none is written),
// and that rule. Every setting of the program is one entry below; reads go
// to the store each time, never to a copy.
struct Setting {
  const char* section;
  const char* key;
  const char* fallback;
  SettingRule rule;
};

namespace settings {
inline constexpr Setting kHoras{"Apagado", "Horas", "0", SettingRule::Hours};
inline constexpr Setting kMinutos{"Apagado", "Minutos", "0", SettingRule::MinutesOrSeconds};
inline constexpr Setting kSegundos{"Apagado", "Segundos", "0", SettingRule::MinutesOrSeconds};
inline constexpr Setting kFechaApagado{"Apagado", "FechaApagado", nullptr, SettingRule::Anything};
inline constexpr Setting kRemain{"Apagado", "Remain", "3", SettingRule::CountdownIndex};
inline constexpr Setting kWindowsVersion{"Apagado", "WindowsVersion", "2", SettingRule::Present};
inline constexpr Setting kOnTop{"Window", "OnTop", "1", SettingRule::Present};
inline constexpr Setting kUsaSpeaker{"Apagado", "UsaSpeaker", "1", SettingRule::Present};
inline constexpr Setting kSpeakerMelody{"Apagado", "SpeakerMelody", "0", SettingRule::Integer};
// Exactly "1": the shutdown time is taken again and armed every day; any
// other text, or none, is off. Never put right: absent is simply off.
inline constexpr Setting kDiario{"Apagado", "Diario", nullptr, SettingRule::Anything};
inline constexpr Setting kAutoStart{kSettingsApp, "AutoStart", "1", SettingRule::Present};
inline constexpr Setting kSkin{"Window", "Skin", "", SettingRule::Present};
inline constexpr Setting kXpos{"Window", "xpos", nullptr, SettingRule::Number};
inline constexpr Setting kYpos{"Window", "ypos", nullptr, SettingRule::Number};

// What the load step puts right, in the order it reads them.
inline constexpr std::array<const Setting*, 9> kPutRightAtLoad = {
    &kHoras, &kMinutos, &kSegundos, &kRemain, &kWindowsVersion,
    &kOnTop, &kUsaSpeaker, &kSpeakerMelody, &kAutoStart};
}  // namespace settings

// The countdown choices: list index i gives (i + 1) × 5 seconds, 5 to 40;
// a stored index between two choices rounds half to even.
inline constexpr int kCountdownChoices = 8;
std::int16_t CountdownSeconds(double listIndex);

// The settings as the rules read them, straight from the store.
class StoredSettings {
 public:
  explicit StoredSettings(SettingsStore& store) : store_(store) {}

  // The text as stored, untrimmed; empty when absent.
  std::string Text(const Setting& setting) const;
  // The text trimmed of blanks.
  std::string Trimmed(const Setting& setting) const;
  // Whether the stored text passes the setting's rule.
  bool Passes(const Setting& setting) const;
  // The trimmed text when it passes the rule, else the fallback.
  std::string Value(const Setting& setting) const;
  // Value() as a number; nullopt when it is none.
  std::optional<double> Number(const Setting& setting) const;
  // The stored text as a number, as it stands, whether it passes or not.
  std::optional<double> StoredNumber(const Setting& setting) const;

  bool Write(const Setting& setting, const std::string& value);

 private:
  SettingsStore& store_;
};

}  // namespace vesperon
