#include "app/game_launch_plan.h"

#include "settings/file_io.h"

namespace mf::app {

GameLaunchPlan PlanGameLaunch(const std::filesystem::path& launcherFolder, const GameFolderFacts& facts) {
  bool usEdition = facts.defaultXexSize == kUsEditionDataSize && facts.usEditionExeExists;
  GameLaunchPlan plan;
  plan.executable = launcherFolder / (usEdition ? "mirefall_usa.exe" : "mirefall.exe");
  plan.commandLine = "\"" + settings::PathToUtf8(plan.executable) + "\" --game_data_root assets";
  plan.workingDirectory = launcherFolder;
  return plan;
}

bool WantsSteamOverlayHidden(const std::string* steamOverlayPref) {
  return steamOverlayPref && *steamOverlayPref == "off";
}

}  // namespace mf::app
