#include "settings/steam_deck_preset.h"

#include <array>

namespace mf::settings {
namespace {

constexpr std::array<PresetValue, 15> kDeckPreset = {{
    {"render_target_path_d3d12", "rtv"},
    {"resolution_scale", "1"},
    {"native_2x_msaa", "true"},
    {"anisotropic_override", "5"},
    {"swap_post_effect", "fxaa"},
    {"present_effect", "cas"},
    {"present_fsr_quality_mode", "auto"},
    {"mf_60fps", "false"},
    {"vsync", "true"},
    {"fullscreen", "true"},
    {"window_width", "1280"},
    {"window_height", "800"},
    {"monitor", "0"},
    {"d3d12_allow_variable_refresh_rate_and_tearing", "false"},
    {"present_dither", "false"},
}};

// The Deck's APU as its driver names it: two board revisions, and the chip's code name.
constexpr std::array<std::wstring_view, 3> kDeckAdapterNames = {L"AMD Custom GPU 0405", L"AMD Custom GPU 0932",
                                                                 L"Van Gogh"};

}  // namespace

std::span<const PresetValue> DeckPreset() { return kDeckPreset; }

void ApplyDeckPreset(std::vector<SettingDef>& schema) {
  for (SettingDef& row : schema)
    for (const PresetValue& preset : kDeckPreset)
      if (row.key == preset.key) row.value = std::string(preset.value);
}

bool SteamDeckVariableSaysDeck(std::wstring_view value) { return !value.empty() && value.front() == L'1'; }

bool ProcessorMayBeSteamDeckApu(std::string_view cpuBrand) {
  return cpuBrand.empty() || cpuBrand.find("AMD Custom APU") != std::string_view::npos;
}

bool IsSteamDeckAdapter(std::wstring_view description) {
  for (std::wstring_view name : kDeckAdapterNames)
    if (description.find(name) != std::wstring_view::npos) return true;
  return false;
}

}  // namespace mf::settings
