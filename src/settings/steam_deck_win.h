#pragma once
// Steam Deck detection and the one-time handheld preset, as start-up runs them.
#include <filesystem>

namespace mf::settings {

// True on a Steam Deck: Steam's SteamDeck variable is "1", or a graphics adapter is the
// Deck's APU. A failing graphics query means "not a Deck".
bool IsSteamDeck();

// On the first start on a Deck: writes the preset into mirefall.toml, records it in
// launcher.ini and tells the player in a box without owner. Does nothing on other machines,
// once the preset was applied, or while launcher.ini cannot be read (the record of an
// earlier application might be in it).
void ApplySteamDeckPresetOnce(const std::filesystem::path& executableFolder);

}  // namespace mf::settings
