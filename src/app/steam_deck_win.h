#pragma once
// Steam Deck detection and the one-time handheld preset, as start-up runs them.
#include <filesystem>
#include <future>

namespace mf::app {

// True on a Steam Deck: Steam's SteamDeck variable is "1", or a graphics adapter is the
// Deck's APU. A failing graphics query means "not a Deck".
bool IsSteamDeck();

// Runs IsSteamDeck on another thread when the preset may still be due, for
// ApplySteamDeckPresetOnce to collect: the graphics query can take longer than all the
// start-up work before and beside it. Nothing (an invalid future) when it is not needed.
std::future<bool> StartSteamDeckDetection(const std::filesystem::path& executableFolder);

// On the first start on a Deck: writes the preset into mirefall.toml, records it in
// launcher.ini and tells the player in a box without owner. Does nothing on other machines,
// once the preset was applied, or while launcher.ini cannot be read (the record of an
// earlier application might be in it). Takes the answer from a detection already started,
// or finds it out itself.
void ApplySteamDeckPresetOnce(const std::filesystem::path& executableFolder, std::future<bool> detection = {});

}  // namespace mf::app
