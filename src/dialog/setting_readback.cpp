#include "dialog/setting_readback.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "i18n/translate.h"
#include "settings/text_lines.h"

namespace mf::dialog {
namespace {

using settings::SettingKind;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(std::string_view text, size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// [+-] digits, with no superfluous leading zero (TOML forbids "007").
std::optional<std::string> WholeNumber(std::string_view text) {
  size_t digits = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  if (digits == text.size() || SkipDigits(text, digits) != text.size()) return std::nullopt;
  long long value = 0;
  const char* first = text.data() + (text[0] == '+' ? 1 : 0);
  auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;  // beyond 64 bits
  bool canonical = text[digits] != '0' || text.size() == digits + 1;
  return canonical ? std::string(text) : std::to_string(value);
}

// [+-] digits [. digits] [e [+-] digits], where either side of the point may be empty but
// not both; the missing side becomes 0.
std::optional<std::string> DecimalNumber(std::string_view text) {
  size_t at = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  std::string sign(text.substr(0, at));
  size_t integerEnd = SkipDigits(text, at);
  std::string integer(text.substr(at, integerEnd - at));
  std::string fraction;
  bool hasPoint = integerEnd < text.size() && text[integerEnd] == '.';
  at = integerEnd;
  if (hasPoint) {
    size_t fractionEnd = SkipDigits(text, at + 1);
    fraction = std::string(text.substr(at + 1, fractionEnd - at - 1));
    at = fractionEnd;
  }
  if (integer.empty() && fraction.empty()) return std::nullopt;
  std::string exponent;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    size_t digits = at + 1;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
    size_t exponentEnd = SkipDigits(text, digits);
    if (exponentEnd == digits) return std::nullopt;
    exponent = std::string(text.substr(at, exponentEnd - at));
    at = exponentEnd;
  }
  if (at != text.size()) return std::nullopt;

  // TOML wants digits on both sides of a point and no superfluous leading zero.
  if (integer.empty()) integer = "0";
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
  if (hasPoint && fraction.empty()) fraction = "0";
  return sign + integer + (hasPoint ? "." + fraction : "") + exponent;
}

}  // namespace

bool IsTickedValue(std::string_view value) { return value == "true" || value == "1"; }

std::string CheckBoxValue(bool checked) { return checked ? "true" : "false"; }

std::optional<std::string> SaveableNumberText(std::string_view typed, SettingKind kind) {
  std::string text(settings::Trim(typed, settings::kLineBlanks));
  std::replace(text.begin(), text.end(), ',', '.');
  return kind == SettingKind::Int ? WholeNumber(text) : DecimalNumber(text);
}

EditReadBack ReadBackEditText(const settings::SettingDef& row, std::string_view typed) {
  if (row.kind != SettingKind::Int && row.kind != SettingKind::Float) return {std::string(typed), false};
  if (typed == row.value) return {row.value, false};  // untouched, whatever the file held
  if (std::optional<std::string> number = SaveableNumberText(typed, row.kind)) return {*number, false};
  return {row.value, true};
}

std::string RejectedFieldsMessage(const std::vector<RejectedField>& fields) {
  std::string message = i18n::Translate("These fields do not hold a number and kept their previous values:");
  message += "\n";
  for (const RejectedField& field : fields)
    message += "\n" + i18n::Translate(field.label) + i18n::Translate(": \"") + field.typed + i18n::Translate("\"");
  return message;
}

}  // namespace mf::dialog
