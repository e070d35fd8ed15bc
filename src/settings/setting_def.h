#pragma once
// One row of the settings table: a configuration key with its English label, the kind of
// value, the dialog page and the current value as text.
#include <cstdint>
#include <string>
#include <vector>

namespace mf::settings {

enum class SettingKind : std::int32_t { Bool = 0, Int = 1, Float = 2, Text = 3, Choice = 4 };

// The dialog page a row is shown on. Experimental has no rows; Hidden rows are never shown
// but are read, written and seeded like all others.
enum class SettingTab : std::int32_t {
  Graphics = 0,
  Advanced = 1,
  Mouse = 2,
  Controls = 3,
  Debug = 4,
  Experimental = 5,
  Native = 6,
  Hidden = 7,
};

struct SettingChoice {
  std::string value;
  std::string label;  // English; translated when shown

  bool operator==(const SettingChoice&) const = default;
};
using ChoiceList = std::vector<SettingChoice>;

struct SettingDef {
  std::string key;      // exact and case-sensitive
  std::string label;    // English; empty for hidden rows
  std::string tooltip;  // English; empty means no tooltip
  SettingKind kind = SettingKind::Text;
  std::string value;    // current value as UTF-8 text; starts as the default
  SettingTab tab = SettingTab::Hidden;
  double min = 0;       // both 0 where the row has no range
  double max = 0;
  ChoiceList choices;   // Choice rows only
};

}  // namespace mf::settings
