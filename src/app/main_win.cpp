// Entry point of PlayMirefall.exe. One executable, two roles: the graphical launcher, or,
// started with "--apply-update ZIP INSTALL_DIR OLD_PID", the update helper that installs a
// downloaded release and never shows the launcher.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/launch_mode.h"
#include "app/launcher_app_win.h"
#include "ui/text_win.h"
#include "ui/win_handles_win.h"
#include "update/update_helper_win.h"

namespace {

// The command line as Windows splits it, UTF-16 as given; empty when it cannot be split
// (the launcher then runs).
std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!wide) return {};
  mf::win::UniqueLocalMemory owner(reinterpret_cast<HLOCAL>(wide));
  return std::vector<std::wstring>(wide, wide + count);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  if (!mf::app::MayAskForUpdateHelper(::GetCommandLineW())) return mf::app::RunLauncher(instance, showCommand);
  const std::vector<std::wstring> wide = CommandLineArguments();
  std::vector<std::string> args;
  for (const std::wstring& arg : wide) args.push_back(mf::ui::WideToUtf8(arg));
  // The helper gets its paths exactly as Windows passed them, whatever characters they hold.
  if (auto request = mf::app::ParseApplyUpdateRequest(args))
    return mf::update::RunUpdateHelper(wide[2], wide[3], request->oldProcessId);
  return mf::app::RunLauncher(instance, showCommand);
}
