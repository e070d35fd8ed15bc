#include "ui/config_save_win.h"

#include <windows.h>

#include "settings/config_writer.h"
#include "ui/text_win.h"

namespace mf::ui {

bool SaveConfigFileOrReport(const std::filesystem::path& configPath, HWND owner) {
  settings::ConfigSaveResult result = settings::WriteConfigFile(configPath);
  if (result.succeeded) return true;
  ReportUnsavedFile(result.path, owner);
  return false;
}

void ReportUnsavedFile(const std::filesystem::path& path, HWND owner) {
  std::wstring text = Utf8ToWide(settings::SaveErrorText(path));
  ::MessageBoxW(owner, text.c_str(), TrPtr(settings::kSaveErrorCaption), MB_ICONERROR | MB_OK);
}

}  // namespace mf::ui
