#include "app/native_renderer_offer_win.h"

#include <windows.h>

#include "settings/config_file.h"
#include "settings/config_reader.h"
#include "settings/launcher_prefs.h"
#include "settings/native_renderer_offer.h"
#include "settings/settings_schema.h"
#include "ui/config_save_win.h"
#include "ui/confirm_dialog_win.h"
#include "ui/text_win.h"

namespace mf::app {
namespace {

// The row the game reads; should the table ever hold the key twice, the game's reader keeps
// the last line written, so the last row is the one that counts.
settings::SettingDef* FindNativeRenderRow() {
  settings::SettingDef* found = nullptr;
  for (settings::SettingDef& row : settings::SettingsSchema())
    if (row.key == settings::kNativeRenderKey) found = &row;
  return found;
}

void RecordAnswer(const std::filesystem::path& iniPath, std::string_view answer) {
  settings::LauncherPrefs()[std::string(settings::kNativeOfferKey)] = std::string(answer);
  settings::WriteLauncherPrefs(iniPath);
}

}  // namespace

void OfferNativeRenderer(const std::filesystem::path& executableFolder) {
  const std::filesystem::path iniPath = settings::LauncherPrefsPath(executableFolder);
  if (!settings::ReadLauncherPrefs(iniPath) || settings::FindLauncherPref(settings::kNativeOfferKey)) return;

  if (settings::SettingsSchema().empty()) settings::BuildSettingsSchema();
  const std::filesystem::path configPath = settings::ConfigFilePath(executableFolder);
  settings::ReadConfigFile(configPath);
  settings::SettingDef* row = FindNativeRenderRow();
  if (!row) return;

  if (row->value == "true") {
    RecordAnswer(iniPath, settings::kNativeOfferAlreadyOn);
    return;
  }

  std::wstring text = ui::Utf8ToWide(settings::NativeRendererOfferText());
  // The launcher's own question, so that a Ukrainian question has Ukrainian buttons.
  bool accepted = ui::ConfirmYesNo(nullptr, text, ui::TrWide(settings::kNativeOfferCaption)) == IDYES;
  RecordAnswer(iniPath, accepted ? settings::kNativeOfferAccepted : settings::kNativeOfferDeclined);
  if (!accepted) return;
  row->value = "true";
  ui::SaveConfigFileOrReport(configPath);
}

}  // namespace mf::app
