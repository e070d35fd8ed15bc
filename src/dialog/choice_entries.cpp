#include "dialog/choice_entries.h"

#include <algorithm>
#include <string_view>

#include "i18n/translate.h"

namespace mf::dialog {
namespace {

bool EndsWith(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

// The fixed endings of the monitor list's labels ("1: DISPLAY1  2560x1440  (primary)").
constexpr std::string_view kPrimaryEnding = "  (primary)";
constexpr std::string_view kNotConnectedEnding = ": (not connected)";

std::string TranslatedEnding(std::string_view ending) {
  if (ending == kPrimaryEnding) return i18n::Translate("  (primary)");
  return i18n::Translate(": (not connected)");
}

}  // namespace

std::string ChoiceLabelText(const std::string& english) {
  if (i18n::FindUkrainian(english)) return i18n::Translate(english);
  for (std::string_view ending : {kPrimaryEnding, kNotConnectedEnding}) {
    if (EndsWith(english, ending))
      return english.substr(0, english.size() - ending.size()) + TranslatedEnding(ending);
  }
  return english;
}

std::vector<ChoiceEntry> ChoiceEntriesFor(const settings::SettingDef& row) {
  std::vector<ChoiceEntry> entries;
  for (const settings::SettingChoice& choice : row.choices)
    entries.push_back({choice.value, ChoiceLabelText(choice.label)});
  bool listed = std::any_of(row.choices.begin(), row.choices.end(),
                            [&](const settings::SettingChoice& choice) { return choice.value == row.value; });
  if (!listed) {
    std::string shown = row.value.empty() ? i18n::Translate("(empty)") : row.value;
    entries.push_back({row.value, shown + i18n::Translate(" (from mirefall.toml)")});
  }
  return entries;
}

int SelectedEntryFor(const std::vector<ChoiceEntry>& entries, const std::string& value) {
  for (int i = static_cast<int>(entries.size()) - 1; i >= 0; --i)
    if (entries[i].value == value) return i;
  return 0;
}

}  // namespace mf::dialog
