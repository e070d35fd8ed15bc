#include "settings/setting_value_format.h"

#include "settings/toml_text.h"

namespace mf::settings {
namespace {

std::string BareOrQuoted(const std::string& bare, const std::string& value) {
  return IsTomlBareValue(bare) ? bare : QuoteTomlString(value);
}

// "2" becomes "2.0"; "inf" and "nan" are floats as they stand ("inf.0" would be no number).
std::string WithFloatSuffix(const std::string& value) {
  std::string_view magnitude = value;
  if (!magnitude.empty() && (magnitude.front() == '+' || magnitude.front() == '-')) magnitude.remove_prefix(1);
  if (value.empty() || value.find_first_of(".eE") != std::string::npos || magnitude == "inf" || magnitude == "nan")
    return value;
  return value + ".0";
}

std::string FormatValue(const SettingDef& row, bool addFloatSuffix) {
  switch (row.kind) {
    case SettingKind::Bool:
    case SettingKind::Int:
      return BareOrQuoted(row.value, row.value);
    case SettingKind::Float:
      return BareOrQuoted(addFloatSuffix ? WithFloatSuffix(row.value) : row.value, row.value);
    case SettingKind::Choice:
      return IsNumericChoiceValue(row.value) ? BareOrQuoted(row.value, row.value) : QuoteTomlString(row.value);
    case SettingKind::Text:
      break;
  }
  return QuoteTomlString(row.value);
}

}  // namespace

bool IsNumericChoiceValue(std::string_view value) {
  if (value.empty()) return false;
  if (value.front() == '-' || value.front() == '+') {
    value.remove_prefix(1);
    if (value.empty()) return false;
  }
  int points = 0;
  for (char c : value) {
    if (c == '.') ++points;
    else if (c < '0' || c > '9') return false;
  }
  return points <= 1;
}

std::string FormatValueForConfig(const SettingDef& row) { return FormatValue(row, true); }

std::string FormatValueForSeed(const SettingDef& row) { return FormatValue(row, false); }

}  // namespace mf::settings
