#include "app/game_launch_plan.h"

#include <gtest/gtest.h>

namespace mf::app {
namespace {

const std::filesystem::path kFolder = std::filesystem::path("games") / "Mirefall Recompilation";

TEST(PlanGameLaunch, StartsTheGameInItsFolderWithTheDataRoot) {
  GameLaunchPlan plan = PlanGameLaunch(kFolder, {});
  EXPECT_EQ(plan.executable, kFolder / "mirefall.exe");
  EXPECT_EQ(plan.workingDirectory, kFolder);
  std::string exe = (kFolder / "mirefall.exe").string();
  EXPECT_EQ(plan.commandLine, "\"" + exe + "\" --game_data_root assets");
}

TEST(PlanGameLaunch, UsEditionNeedsBothTheDataSizeAndItsExecutable) {
  struct Case {
    std::optional<std::uint64_t> xexSize;
    bool usExe;
    const char* expected;
  } cases[] = {
      {10'080'256, true, "mirefall_usa.exe"},
      {10'080'256, false, "mirefall.exe"},
      {10'080'255, true, "mirefall.exe"},
      {10'080'257, true, "mirefall.exe"},
      {10'080'256ull + (1ull << 32), true, "mirefall.exe"},  // a high size word is not the US file
      {std::nullopt, true, "mirefall.exe"},
  };
  for (const Case& c : cases) {
    GameLaunchPlan plan = PlanGameLaunch(kFolder, {c.xexSize, c.usExe});
    EXPECT_EQ(plan.executable.filename(), c.expected);
    EXPECT_NE(plan.commandLine.find(c.expected), std::string::npos);
  }
}

TEST(PlanGameLaunch, NonAsciiFolderStaysUtf8) {
  std::filesystem::path folder = std::filesystem::path(u8"Ігри") / u8"Мірфол";
  GameLaunchPlan plan = PlanGameLaunch(folder, {});
  EXPECT_NE(plan.commandLine.find("\xD0\x86\xD0\xB3\xD1\x80\xD0\xB8"), std::string::npos);  // "Ігри"
}

TEST(SteamOverlay, HiddenOnlyForExactlyOff) {
  std::string off = "off", offCapital = "Off", on = "on", quoted = "\"off\"";
  EXPECT_TRUE(WantsSteamOverlayHidden(&off));
  EXPECT_FALSE(WantsSteamOverlayHidden(&offCapital));
  EXPECT_FALSE(WantsSteamOverlayHidden(&on));
  EXPECT_FALSE(WantsSteamOverlayHidden(&quoted));
  EXPECT_FALSE(WantsSteamOverlayHidden(nullptr));
}

}  // namespace
}  // namespace mf::app
