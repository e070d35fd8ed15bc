#pragma once
// The button-prompt style: which pictures the overlay puts over the game's controller
// prompts. A launcher-only preference ("launcher_prompt_style" in launcher.ini).
#include <string>
#include <string_view>

namespace mf::prompts {

inline constexpr std::string_view kKeyboardStyle = "keyboard";
inline constexpr std::string_view kXboxStyle = "xbox";
// Styles beginning with this draw the icons of the folder prompts\<style>.
inline constexpr std::string_view kIconStylePrefix = "ps_";

// True exactly for the values the Settings dialog offers (case-sensitive, whole text).
bool IsKnownPromptStyle(std::string_view style);

bool IsIconStyle(std::string_view style);

// The style from the preferences map as last read: "launcher_prompt_style" when it holds a
// known style, "keyboard" when it holds anything else; without it, "xbox" when the older
// "launcher_key_prompts" is exactly "off"; else "keyboard". The caller re-reads
// launcher.ini first.
std::string CurrentPromptStyle();

}  // namespace mf::prompts
