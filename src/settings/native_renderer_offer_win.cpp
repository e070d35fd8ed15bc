#include "settings/native_renderer_offer_win.h"

#include <windows.h>

#include "app/config_save_win.h"
#include "app/text_win.h"
#include "settings/config_file.h"
#include "settings/config_reader.h"
#include "settings/launcher_prefs.h"
#include "settings/native_renderer_offer.h"
#include "settings/settings_schema.h"

namespace mf::settings {
namespace {

// The row the game reads; should the table ever hold the key twice, the game's reader keeps
// the last line written, so the last row is the one that counts.
SettingDef* FindNativeRenderRow() {
  SettingDef* found = nullptr;
  for (SettingDef& row : SettingsSchema())
    if (row.key == kNativeRenderKey) found = &row;
  return found;
}

void RecordAnswer(const std::filesystem::path& iniPath, std::string_view answer) {
  LauncherPrefs()[std::string(kNativeOfferKey)] = std::string(answer);
  WriteLauncherPrefs(iniPath);
}

}  // namespace

void OfferNativeRenderer(const std::filesystem::path& executableFolder) {
  const std::filesystem::path iniPath = LauncherPrefsPath(executableFolder);
  if (!ReadLauncherPrefs(iniPath) || FindLauncherPref(kNativeOfferKey)) return;

  if (SettingsSchema().empty()) BuildSettingsSchema();
  const std::filesystem::path configPath = ConfigFilePath(executableFolder);
  ReadConfigFile(configPath);
  SettingDef* row = FindNativeRenderRow();
  if (!row) return;

  if (row->value == "true") {
    RecordAnswer(iniPath, kNativeOfferAlreadyOn);
    return;
  }

  std::wstring text = app::Utf8ToWide(NativeRendererOfferText());
  int choice = ::MessageBoxW(nullptr, text.c_str(), app::TrPtr(kNativeOfferCaption), MB_YESNO | MB_ICONQUESTION);
  bool accepted = choice == IDYES;
  RecordAnswer(iniPath, accepted ? kNativeOfferAccepted : kNativeOfferDeclined);
  if (!accepted) return;
  row->value = "true";
  app::SaveConfigFileOrReport(configPath);
}

}  // namespace mf::settings
