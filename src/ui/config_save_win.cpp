#include "ui/config_save_win.h"

#include <windows.h>

#include "settings/config_writer.h"
#include "ui/text_win.h"

namespace mf::ui {

bool SaveConfigFileOrReport(const std::filesystem::path& configPath) {
  settings::ConfigSaveResult result = settings::WriteConfigFile(configPath);
  if (result.succeeded) return true;
  std::wstring text = Utf8ToWide(settings::SaveErrorText(result.path));
  ::MessageBoxW(nullptr, text.c_str(), TrPtr(settings::kSaveErrorCaption), MB_ICONERROR | MB_OK);
  return false;
}

}  // namespace mf::ui
