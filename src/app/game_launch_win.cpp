#include "app/game_launch_win.h"

#include "app/game_launch_plan.h"
#include "prompts/prompt_overlay_win.h"
#include "settings/launcher_prefs.h"
#include "ui/text_win.h"
#include "ui/win_handles_win.h"

namespace mf::app {
namespace {

GameFolderFacts InspectGameFolder(const std::filesystem::path& folder) {
  GameFolderFacts facts;
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  std::filesystem::path xex = folder / "assets" / "default.xex";
  if (::GetFileAttributesExW(xex.c_str(), GetFileExInfoStandard, &data))
    facts.defaultXexSize = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  std::filesystem::path usExe = folder / "mirefall_usa.exe";
  facts.usEditionExeExists = ::GetFileAttributesW(usExe.c_str()) != INVALID_FILE_ATTRIBUTES;
  return facts;
}

}  // namespace

void LaunchGame(HWND titleWindow) {
  prompts::WaitForPromptOverlay();  // the game reads the overlay as it starts
  std::filesystem::path folder = ui::ExecutableFolder();
  GameLaunchPlan plan = PlanGameLaunch(folder, InspectGameFolder(folder));

  // What is on disk now counts, not what was read at start-up.
  settings::ReadLauncherPrefs(settings::LauncherPrefsPath(folder));
  if (WantsSteamOverlayHidden(settings::FindLauncherPref("launcher_steam_overlay")))
    ::SetEnvironmentVariableW(ui::Utf8ToWide(kSteamOverlayHiddenVariable).c_str(), L"1");

  std::wstring commandLine = ui::Utf8ToWide(plan.commandLine);  // CreateProcessW may write to it
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (::CreateProcessW(plan.executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       plan.workingDirectory.c_str(), &startup, &process)) {
    win::UniqueKernelHandle gameProcess(process.hProcess), gameThread(process.hThread);
    ::PostMessageW(titleWindow, WM_CLOSE, 0, 0);  // the game runs on; the launcher is done
    return;
  }
  ::MessageBoxW(titleWindow, ui::TrPtr("Failed to launch mirefall.exe.\nMake sure it exists next to PlayMirefall.exe."),
                ui::TrPtr("Mirefall Recompilation"), MB_ICONERROR | MB_OK);
}

}  // namespace mf::app
