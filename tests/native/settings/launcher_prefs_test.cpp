#include "settings/launcher_prefs.h"

#include <gtest/gtest.h>

namespace mf::settings {
namespace {

TEST(ParseLauncherPrefs, KeysLowerCasedValuesAsWritten) {
  PrefsMap prefs = ParseLauncherPrefs(
      "; MFLauncher persistent settings\r\n"
      "Launcher_Language=uk\r\n"
      "  launcher_steam_overlay =   off  \t\r\n"
      "launcher_prompt_style = \"xbox\" # kept\n"
      "# comment = ignored\n"
      "[section]\n"
      "no equals sign\n"
      "launcher_language = en\n"  // a later line wins
      "empty =\n");
  EXPECT_EQ(prefs.at("launcher_language"), "en");
  EXPECT_EQ(prefs.at("launcher_steam_overlay"), "off");
  EXPECT_EQ(prefs.at("launcher_prompt_style"), "\"xbox\" # kept");
  EXPECT_EQ(prefs.at("empty"), "");
  EXPECT_EQ(prefs.count("# comment"), 0u);
  EXPECT_EQ(prefs.size(), 4u);
}

TEST(ParseLauncherPrefs, LastLineWithoutLineEnd) {
  PrefsMap prefs = ParseLauncherPrefs("launcher_steam_overlay = off");
  EXPECT_EQ(prefs.at("launcher_steam_overlay"), "off");
}

}  // namespace
}  // namespace mf::settings
