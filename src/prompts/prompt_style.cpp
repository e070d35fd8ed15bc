#include "prompts/prompt_style.h"

#include <array>

#include "settings/launcher_prefs.h"

namespace mf::prompts {

bool IsKnownPromptStyle(std::string_view style) {
  constexpr std::array<std::string_view, 5> kStyles = {"keyboard", "xbox", "ps_fullsolid", "ps_solid", "ps_outline"};
  for (std::string_view known : kStyles)
    if (style == known) return true;
  return false;
}

std::string CurrentPromptStyle() {
  if (const std::string* stored = settings::FindLauncherPref("launcher_prompt_style"))
    return IsKnownPromptStyle(*stored) ? *stored : "keyboard";
  const std::string* legacy = settings::FindLauncherPref("launcher_key_prompts");
  return legacy && *legacy == "off" ? "xbox" : "keyboard";
}

}  // namespace mf::prompts
