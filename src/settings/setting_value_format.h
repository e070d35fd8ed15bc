#pragma once
// How a setting's value text stands after "key = " in mirefall.toml.
#include <string>
#include <string_view>

#include "settings/setting_def.h"

namespace mf::settings {

// The Choice-value test that decides between bare and quoted: not empty, an optional sign
// followed by at least one character, then only digits with at most one '.'.
bool IsNumericChoiceValue(std::string_view value);

// As the config writer puts it: Bool and Int bare, Float bare with ".0" added when it has no
// '.', 'e' or 'E', numeric Choice values bare, everything else as a quoted TOML string. A
// bare form TOML could not read (a typed "abc" in a number row, an empty Float) is written
// as a quoted string instead, so one odd value never makes the whole file unreadable.
std::string FormatValueForConfig(const SettingDef& row);

// As config repair seeds a missing key: the same, except that Float values get no ".0".
std::string FormatValueForSeed(const SettingDef& row);

}  // namespace mf::settings
