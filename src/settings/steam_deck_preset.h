#pragma once
// The handheld preset a Steam Deck gets on its first start: a fixed set of game settings
// that the community tested on the Deck, applied once per installation.
#include <span>
#include <string_view>
#include <vector>

#include "settings/setting_def.h"

namespace mf::settings {

struct PresetValue {
  std::string_view key;
  std::string_view value;  // as it goes into mirefall.toml
};

// The preset's 15 settings, in the order they are applied.
std::span<const PresetValue> DeckPreset();

// Sets every schema row the preset names to the preset's value; preset keys without a row
// change nothing.
void ApplyDeckPreset(std::vector<SettingDef>& schema);

// launcher.ini key whose presence means the preset was applied on this installation.
inline constexpr std::string_view kDeckPresetAppliedKey = "deck_preset_applied";
inline constexpr std::string_view kDeckPresetAppliedValue = "1";

// The value of the SteamDeck environment variable that Steam sets on a Deck: "1" there.
bool SteamDeckVariableSaysDeck(std::wstring_view value);

// True when a graphics adapter description names the Deck's APU.
bool IsSteamDeckAdapter(std::wstring_view description);

// Whether a processor with this CPUID brand string may carry a Deck's graphics adapter.
// The Deck's GPU is part of its APU, and every Deck's processor calls itself "AMD Custom APU
// 0405" or "AMD Custom APU 0932" through CPUID, which neither Windows nor Proton rewrites.
// A brand without "AMD Custom APU" therefore rules the adapters out, and asking DXGI (which
// brings up the whole graphics stack) can be skipped. An empty brand (CPUID could not say)
// rules nothing out.
bool ProcessorMayBeSteamDeckApu(std::string_view cpuBrand);

// The box that tells the player the preset was applied (English; translated when shown).
inline constexpr const char* kDeckPresetCaption = "Steam Deck preset";
inline constexpr const char* kDeckPresetMessage =
    "Steam Deck detected - the community-tested Deck preset was applied (RTV, 1x, 2x MSAA, 16x AF, "
    "FXAA + CAS, 30 FPS, VSync, fullscreen 1280x800). You can change anything in Settings; this "
    "will not be applied again.";

}  // namespace mf::settings
