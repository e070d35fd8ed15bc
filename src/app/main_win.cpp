// Entry point of PlayMirefall.exe. One executable, two roles: the graphical launcher, or,
// started with "--apply-update ZIP INSTALL_DIR OLD_PID", the update helper that installs a
// downloaded release and never shows the launcher.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/launch_mode.h"
#include "app/launcher_app_win.h"
#include "app/text_win.h"
#include "app/win_handles_win.h"
#include "update/update_helper_win.h"

namespace {

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!wide) return {};  // cannot split: run as the launcher
  mf::win::UniqueLocalMemory owner(reinterpret_cast<HLOCAL>(wide));
  std::vector<std::string> args;
  for (int i = 0; i < count; ++i) args.push_back(mf::app::WideToUtf8(wide[i]));
  return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  if (auto request = mf::app::ParseApplyUpdateRequest(CommandLineArguments()))
    return mf::update::RunUpdateHelper(request->zipPath, request->installDir, request->oldProcessId);
  return mf::app::RunLauncher(instance, showCommand);
}
