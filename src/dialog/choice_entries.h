#pragma once
// The entries of a setting's drop-down list as the player sees them.
#include <string>
#include <vector>

#include "settings/setting_def.h"

namespace mf::dialog {

struct ChoiceEntry {
  std::string value;
  std::string label;  // in the interface language (UTF-8)
};

// One entry per choice, in order, labels translated. A value that matches no choice
// (edited by hand, or written by a newer game) gets an entry of its own at the end, so a
// save that does not touch the row keeps it.
std::vector<ChoiceEntry> ChoiceEntriesFor(const settings::SettingDef& row);

// The entry showing the value: the last one whose value equals it (0 when none does).
int SelectedEntryFor(const std::vector<ChoiceEntry>& entries, const std::string& value);

// A choice label in the interface language. Labels built around a display name (the
// monitor list) have only their fixed ending translated.
std::string ChoiceLabelText(const std::string& english);

}  // namespace mf::dialog
