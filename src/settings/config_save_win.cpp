#include "settings/config_save_win.h"

#include <windows.h>

#include <string>

#include "settings/config_writer.h"
#include "settings/utf_convert_win.h"

namespace mf::settings {

bool SaveConfigFileOrReport(const std::filesystem::path& configPath) {
  ConfigSaveResult result = WriteConfigFile(configPath);
  if (result.succeeded) return true;
  std::wstring text = WideFromUtf8(SaveErrorText(result.path));
  std::wstring caption = WideFromUtf8(kSaveErrorCaption);
  ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_ICONERROR | MB_OK);
  return false;
}

}  // namespace mf::settings
