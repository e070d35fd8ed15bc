#include "app/config_save_win.h"

#include <windows.h>

#include "app/text_win.h"
#include "settings/config_writer.h"

namespace mf::app {

bool SaveConfigFileOrReport(const std::filesystem::path& configPath) {
  settings::ConfigSaveResult result = settings::WriteConfigFile(configPath);
  if (result.succeeded) return true;
  std::wstring text = Utf8ToWide(settings::SaveErrorText(result.path));
  ::MessageBoxW(nullptr, text.c_str(), TrPtr(settings::kSaveErrorCaption), MB_ICONERROR | MB_OK);
  return false;
}

}  // namespace mf::app
