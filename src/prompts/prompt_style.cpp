#include "prompts/prompt_style.h"

#include <algorithm>

#include "settings/launcher_prefs.h"
#include "settings/settings_schema.h"
#include "settings/settings_schema_table.h"

namespace mf::prompts {

bool IsKnownPromptStyle(std::string_view style) {
  // The styles are the choices of the Settings dialog's row, kept in the settings table.
  const settings::SettingDef* row = settings::FindSetting(settings::DefaultSettingRows(), "launcher_prompt_style");
  if (!row) return false;
  return std::any_of(row->choices.begin(), row->choices.end(),
                     [&](const settings::SettingChoice& choice) { return choice.value == style; });
}

bool IsIconStyle(std::string_view style) { return style.starts_with(kIconStylePrefix); }

std::string CurrentPromptStyle() {
  if (const std::string* style = settings::FindLauncherPref("launcher_prompt_style"))
    return IsKnownPromptStyle(*style) ? *style : std::string(kKeyboardStyle);
  if (const std::string* legacy = settings::FindLauncherPref("launcher_key_prompts"); legacy && *legacy == "off")
    return std::string(kXboxStyle);
  return std::string(kKeyboardStyle);
}

}  // namespace mf::prompts
