#pragma once
// The four launcher-only rows of the dialog: filled from launcher.ini and the interface
// language when the dialog opens, and stored back into the preferences when it saves.
#include <string>
#include <vector>

#include "i18n/translate.h"
#include "settings/launcher_prefs.h"
#include "settings/setting_def.h"

namespace mf::dialog {

// launcher_language from the interface language; from the process-wide LauncherPrefs (the
// caller re-reads launcher.ini first): the Steam overlay "off" and shader-cache sharing "on"
// only when the preferences say so exactly, and the prompt style as resolved from them.
void FillLauncherRows(std::vector<settings::SettingDef>& schema, i18n::UiLanguage language);

// The rows' values into the preferences: overlay and sharing as "on"/"off", the prompt
// style when it is a known one (else "keyboard"), and the older launcher_key_prompts gone.
void StoreLauncherRows(const std::vector<settings::SettingDef>& schema, settings::PrefsMap& prefs);

// The language code the saved dialog asks for: the launcher_language row's value, or the
// current code when there is no such row.
std::string ChosenLanguageCode(const std::vector<settings::SettingDef>& schema, i18n::UiLanguage current);

}  // namespace mf::dialog
