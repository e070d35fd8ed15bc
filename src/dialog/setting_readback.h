#pragma once
// What a value control's state means for its setting when the dialog saves.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/setting_def.h"

namespace mf::dialog {

// A check box is ticked for "true" and for the single character 1.
bool IsTickedValue(std::string_view value);
std::string CheckBoxValue(bool checked);

// The text a number box can be saved as, so that the game can read it: blanks around it
// dropped and a decimal comma read as a point. A whole number for Int rows; for Float rows
// any decimal number, with a bare leading or trailing point completed ("0.5", "5.0").
// Nothing when the text is no such number. The range is not checked.
std::optional<std::string> SaveableNumberText(std::string_view typed, settings::SettingKind kind);

struct EditReadBack {
  std::string value;     // what the row holds after the save
  bool rejected = false; // the typed text was not taken; the row kept its value
};

// An edit box's text for its row: Text rows take it exactly as typed; number rows take it
// when it is a number, else keep the row's value (untouched text is never reported).
EditReadBack ReadBackEditText(const settings::SettingDef& row, std::string_view typed);

// The message telling the player which fields were not saved: one line per field, its
// label and what was typed, in the interface language.
struct RejectedField {
  std::string label;  // English; translated in the message
  std::string typed;
};
std::string RejectedFieldsMessage(const std::vector<RejectedField>& fields);

}  // namespace mf::dialog
