#include "dialog/launcher_rows.h"

#include "prompts/prompt_style.h"
#include "settings/launcher_language.h"
#include "settings/settings_schema.h"

namespace mf::dialog {
namespace {

using settings::FindSetting;

bool PrefIs(std::string_view key, std::string_view value) {
  const std::string* stored = settings::FindLauncherPref(key);
  return stored && *stored == value;
}

void SetRow(std::vector<settings::SettingDef>& schema, std::string_view key, std::string value) {
  if (settings::SettingDef* row = FindSetting(schema, key)) row->value = std::move(value);
}

}  // namespace

void FillLauncherRows(std::vector<settings::SettingDef>& schema, i18n::UiLanguage language) {
  SetRow(schema, "launcher_language", std::string(settings::LanguageCode(language)));
  SetRow(schema, "launcher_steam_overlay", PrefIs("launcher_steam_overlay", "off") ? "off" : "on");
  SetRow(schema, "launcher_share_shader_cache", PrefIs("launcher_share_shader_cache", "on") ? "on" : "off");
  SetRow(schema, "launcher_prompt_style", prompts::CurrentPromptStyle());
}

void StoreLauncherRows(const std::vector<settings::SettingDef>& schema, settings::PrefsMap& prefs) {
  for (const settings::SettingDef& row : schema) {
    if (row.key == "launcher_steam_overlay") {
      prefs[row.key] = row.value == "off" ? "off" : "on";
    } else if (row.key == "launcher_share_shader_cache") {
      prefs[row.key] = row.value == "on" ? "on" : "off";
    } else if (row.key == "launcher_prompt_style") {
      prefs[row.key] = prompts::IsKnownPromptStyle(row.value) ? row.value : "keyboard";
      prefs.erase("launcher_key_prompts");
    }
  }
}

std::string ChosenLanguageCode(const std::vector<settings::SettingDef>& schema, i18n::UiLanguage current) {
  const settings::SettingDef* row = FindSetting(schema, "launcher_language");
  return row ? row->value : std::string(settings::LanguageCode(current));
}

}  // namespace mf::dialog
