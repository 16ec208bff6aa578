#include "common/settings_schema.h"

#include <cmath>

#include "common/conversions.h"

namespace vesperon {

namespace {

bool IntegerWithin(const std::string& text, int maximum) {
  const auto value = TextToInteger(text);
  return value && *value >= 0 && *value <= maximum;
}

bool PassesRule(SettingRule rule, const std::string& text) {
  switch (rule) {
    case SettingRule::Present:
      return !text.empty();
    case SettingRule::Number:
      return TextToDouble(text).has_value();
    case SettingRule::Integer:
      return TextToInteger(text).has_value();
    case SettingRule::Hours:
      return IntegerWithin(text, 23);
    case SettingRule::MinutesOrSeconds:
      return IntegerWithin(text, 59);
    case SettingRule::CountdownIndex: {
      const auto index = TextToDouble(text);
      return index && *index >= 0 && *index <= kCountdownChoices - 1;
    }
    case SettingRule::Anything:
      break;
  }
  return true;
}

}  // namespace

std::int16_t CountdownSeconds(double listIndex) {
  return static_cast<std::int16_t>(std::nearbyint((listIndex + 1) * 5));
}

std::string StoredSettings::Text(const Setting& setting) const {
  return store_.Read(kSettingsApp, setting.section, setting.key, "");
}

std::string StoredSettings::Trimmed(const Setting& setting) const { return Trim(Text(setting)); }

bool StoredSettings::Passes(const Setting& setting) const {
  return PassesRule(setting.rule, Trimmed(setting));
}

std::string StoredSettings::Value(const Setting& setting) const {
  const std::string text = Trimmed(setting);
  if (PassesRule(setting.rule, text) || setting.fallback == nullptr) return text;
  return setting.fallback;
}

std::optional<double> StoredSettings::Number(const Setting& setting) const {
  return TextToDouble(Value(setting));
}

std::optional<double> StoredSettings::StoredNumber(const Setting& setting) const {
  return TextToDouble(Text(setting));
}

bool StoredSettings::Write(const Setting& setting, const std::string& value) {
  return store_.Write(kSettingsApp, setting.section, setting.key, value);
}

}  // namespace vesperon
