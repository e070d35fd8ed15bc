#include "app/game_launch_plan.h"

namespace mf::app {
namespace {

std::string PathToUtf8(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

GameLaunchPlan PlanGameLaunch(const std::filesystem::path& launcherFolder, const GameFolderFacts& facts) {
  bool usEdition = facts.defaultXexSize == kUsEditionDataSize && facts.usEditionExeExists;
  GameLaunchPlan plan;
  plan.executable = launcherFolder / (usEdition ? "mirefall_usa.exe" : "mirefall.exe");
  plan.commandLine = "\"" + PathToUtf8(plan.executable) + "\" --game_data_root assets";
  plan.workingDirectory = launcherFolder;
  return plan;
}

bool WantsSteamOverlayHidden(const std::string* steamOverlayPref) {
  return steamOverlayPref && *steamOverlayPref == "off";
}

}  // namespace mf::app
