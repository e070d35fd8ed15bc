#include "prompts/prompt_style.h"

#include <gtest/gtest.h>

#include "settings/launcher_prefs.h"

namespace mf::prompts {
namespace {

TEST(IsKnownPromptStyle, ExactlyTheFiveStyles) {
  for (const char* style : {"keyboard", "xbox", "ps_fullsolid", "ps_solid", "ps_outline"})
    EXPECT_TRUE(IsKnownPromptStyle(style)) << style;
  for (const char* style : {"", "PS_SOLID", "Keyboard", "ps_", "ps_custom", " xbox", "xbox ", "off"})
    EXPECT_FALSE(IsKnownPromptStyle(style)) << style;
}

TEST(CurrentPromptStyle, FromThePreferences) {
  struct Case {
    settings::PrefsMap prefs;
    const char* style;
  } cases[] = {
      {{}, "keyboard"},
      {{{"launcher_prompt_style", "ps_outline"}}, "ps_outline"},
      {{{"launcher_prompt_style", "xbox"}, {"launcher_key_prompts", "on"}}, "xbox"},
      {{{"launcher_prompt_style", "PS_SOLID"}}, "keyboard"},
      {{{"launcher_prompt_style", ""}, {"launcher_key_prompts", "off"}}, "keyboard"},  // the new key wins
      {{{"launcher_key_prompts", "off"}}, "xbox"},
      {{{"launcher_key_prompts", "on"}}, "keyboard"},
      {{{"launcher_key_prompts", "OFF"}}, "keyboard"},
  };
  for (const Case& c : cases) {
    settings::LauncherPrefs() = c.prefs;
    EXPECT_EQ(CurrentPromptStyle(), c.style);
  }
  settings::LauncherPrefs().clear();
}

}  // namespace
}  // namespace mf::prompts
