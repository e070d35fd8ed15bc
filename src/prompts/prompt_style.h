#pragma once
// The button-prompt style: which pictures cover the game's controller prompts. A launcher
// preference ("launcher_prompt_style" in launcher.ini).
#include <string>
#include <string_view>

namespace mf::prompts {

// True exactly for "keyboard", "xbox", "ps_fullsolid", "ps_solid" and "ps_outline"
// (case-sensitive, whole text).
bool IsKnownPromptStyle(std::string_view style);

// The style the preferences hold, read from the process-wide LauncherPrefs: the stored style
// when it is known, else "keyboard"; without a stored style, the older
// launcher_key_prompts = "off" stands for "xbox". The caller re-reads launcher.ini first.
std::string CurrentPromptStyle();

}  // namespace mf::prompts
