#include "settings/steam_deck_preset.h"

#include <gtest/gtest.h>

#include <map>

#include "settings/settings_schema.h"

namespace mf::settings {
namespace {

// The preset as the community tested it on the Deck, written out here on its own.
const std::map<std::string, std::string> kTestedPreset = {
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
};

TEST(DeckPreset, SetsExactlyItsFifteenSettings) {
  BuildSettingsSchema();
  std::vector<SettingDef> schema = SettingsSchema();
  for (SettingDef& row : schema) row.value = "player's own";
  ApplyDeckPreset(schema);

  std::map<std::string, std::string> changed;
  for (const SettingDef& row : schema)
    if (row.value != "player's own") changed[row.key] = row.value;
  EXPECT_EQ(changed, kTestedPreset) << "every preset key has a row in the schema and gets its value";
  EXPECT_EQ(DeckPreset().size(), 15u);
}

TEST(DeckPreset, KeysWithoutARowChangeNothing) {
  std::vector<SettingDef> schema(2);
  schema[0].key = "Vsync";  // keys match exactly, letter case included
  schema[0].value = "false";
  schema[1].key = "vsync";
  schema[1].value = "false";
  ApplyDeckPreset(schema);
  EXPECT_EQ(schema[0].value, "false");
  EXPECT_EQ(schema[1].value, "true");
}

TEST(SteamDeckDetection, VariableAndAdapterNames) {
  EXPECT_TRUE(SteamDeckVariableSaysDeck(L"1"));
  EXPECT_TRUE(SteamDeckVariableSaysDeck(L"1 "));
  EXPECT_FALSE(SteamDeckVariableSaysDeck(L"0"));
  EXPECT_FALSE(SteamDeckVariableSaysDeck(L""));
  EXPECT_FALSE(SteamDeckVariableSaysDeck(L" 1"));

  EXPECT_TRUE(IsSteamDeckAdapter(L"AMD Custom GPU 0405"));
  EXPECT_TRUE(IsSteamDeckAdapter(L"AMD Custom GPU 0932 (RADV VANGOGH)"));
  EXPECT_TRUE(IsSteamDeckAdapter(L"AMD Van Gogh APU"));
  EXPECT_FALSE(IsSteamDeckAdapter(L"amd custom gpu 0405"));  // the driver's own spelling only
  EXPECT_FALSE(IsSteamDeckAdapter(L"NVIDIA GeForce GTX 470"));
  EXPECT_FALSE(IsSteamDeckAdapter(L"AMD Radeon RX 6800"));
}

TEST(SteamDeckDetection, OnlyADeckProcessorNeedsTheAdapterQuery) {
  struct Case {
    std::string_view brand;
    bool mayBeDeck;
  };
  const Case cases[] = {
      {"AMD Custom APU 0405", true},
      {"AMD Custom APU 0932", true},
      {"AMD Custom APU 0405                             ", true},  // CPUID pads with spaces
      {"", true},  // no brand to go by: the adapters decide
      {"AMD Ryzen 7 7840U w/ Radeon 780M Graphics", false},
      {"AMD Custom GPU 0405", false},  // the adapter's name, never the processor's
      {"Intel(R) Core(TM) i7-12700H", false},
      {"amd custom apu 0405", false},
  };
  for (const Case& c : cases) EXPECT_EQ(ProcessorMayBeSteamDeckApu(c.brand), c.mayBeDeck) << c.brand;
}

}  // namespace
}  // namespace mf::settings
