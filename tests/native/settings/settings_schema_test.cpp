#include "settings/settings_schema.h"

#include <gtest/gtest.h>

#include "settings_test_support.h"

#include <set>
#include <string>

#include "settings/settings_schema_table.h"

namespace mf::settings {
namespace {

TEST(BuildSettingsSchema, BuildingTwiceGivesTheFullTableAtItsDefaults) {
  BuildSettingsSchema();
  for (SettingDef& row : SettingsSchema()) row.value = "changed";
  BuildSettingsSchema();

  const std::vector<SettingDef>& schema = SettingsSchema();
  const std::vector<SettingDef>& defaults = DefaultSettingRows();
  ASSERT_EQ(schema.size(), 99u);
  ASSERT_EQ(defaults.size(), 99u);
  for (size_t i = 0; i < schema.size(); ++i) {
    EXPECT_EQ(schema[i].key, defaults[i].key);
    EXPECT_EQ(schema[i].value, defaults[i].value) << schema[i].key;
  }
  EXPECT_EQ(schema.front().key, "render_target_path_d3d12");
  EXPECT_EQ(schema[18].key, "monitor");
  EXPECT_EQ(schema.back().key, "log_max_file_size_mb");
}

TEST(BuildSettingsSchema, MonitorRowOffersThePrimaryDisplayFirst) {
  BuildSettingsSchema();
  const SettingDef* monitor = FindSetting("monitor");
  ASSERT_NE(monitor, nullptr);
  EXPECT_EQ(monitor->value, "0");
  ASSERT_FALSE(monitor->choices.empty());
  EXPECT_EQ(monitor->choices.front(), (SettingChoice{"0", "Default (primary)"}));
}

TEST(SettingsTable, RowsAreConsistentWithTheirKind) {
  std::set<std::string> keys;
  for (const SettingDef& row : DefaultSettingRows()) {
    SCOPED_TRACE(row.key);
    EXPECT_TRUE(keys.insert(row.key).second) << "key appears twice";
    EXPECT_NE(row.tab, SettingTab::Experimental);  // that page has no rows
    EXPECT_EQ(row.label.empty(), row.tab == SettingTab::Hidden);
    EXPECT_LE(row.min, row.max);
    if (row.kind == SettingKind::Choice && row.key != "monitor") {
      bool defaultIsAChoice = false;
      for (const SettingChoice& choice : row.choices) defaultIsAChoice |= choice.value == row.value;
      EXPECT_TRUE(defaultIsAChoice);
    } else if (row.kind != SettingKind::Choice) {
      EXPECT_TRUE(row.choices.empty());
    }
    if (row.kind == SettingKind::Bool) {
      EXPECT_TRUE(row.value == "true" || row.value == "false");
    }
    if (row.kind != SettingKind::Int && row.kind != SettingKind::Float) {
      EXPECT_EQ(row.max, 0);
    }
  }
}

TEST(SettingsTable, RowsWithTextThatIsEasyToGetWrong) {
  const std::vector<SettingDef>& rows = DefaultSettingRows();
  auto row = [&](std::string_view key) -> const SettingDef& {
    const SettingDef* found = FindSetting(rows, key);
    EXPECT_NE(found, nullptr) << key;
    return *found;
  };
  // Em dash in the upscaler scale labels, plain hyphen in the native renderer's.
  EXPECT_EQ(row("resolution_scale").choices[0].label, "1x \xE2\x80\x94 1280x720 internal");
  EXPECT_EQ(row("mf_native_scale").choices[0].label, "1x - 1280x720, as the console");
  EXPECT_EQ(row("launcher_share_shader_cache").choices[1].label,
            "On - send my shader cache (anonymous) to the project");
  EXPECT_EQ(row("pso_missing_policy").choices[0].label, "Block (wait per draw, budgeted \xE2\x80\x94 recommended)");
  EXPECT_EQ(row("texture_dump").label, "Texture Dump (textures\\dump)");
  EXPECT_EQ(row("render_target_path_d3d12").choices[2], (SettingChoice{"", "Auto (SDK default)"}));
  EXPECT_EQ(row("audio_channels").choices[1].label, "Stereo (fold 5.1 to 2.0; use if dialogue is quiet or missing)");
  EXPECT_EQ(row("mnk_mode").label, "Mouse & Keyboard Mode");

  std::vector<std::string> gameLanguages;
  for (const SettingChoice& choice : row("user_language").choices) gameLanguages.push_back(choice.value);
  EXPECT_EQ(gameLanguages, (std::vector<std::string>{"1", "3", "4", "5", "6"}));  // there is no "2"

  EXPECT_EQ(row("dualsense_lt_mode").choices, row("dualsense_rt_mode").choices);
  EXPECT_EQ(row("dualsense_rt_mode").choices[2].label, "Weapon (click point \xE2\x80\x94 gun trigger feel)");

  EXPECT_EQ(row("mf_native_render").tooltip,
            "First test version brought to a proper state: DirectX 12 draws the game directly, faster, up to 4x "
            "internal resolution. Off = the stock emulated path, exactly as before. Please report your FPS, your "
            "hardware and anything that looks wrong on GitHub.");
  EXPECT_EQ(row("mnk_aim_axis_floor").tooltip,
            "While aiming, lifts each mouse axis over the game's deadzone separately, so diagonal aim no longer "
            "staircases (#30). Off = 1.4.1 behaviour.");
  int rowsWithTooltips = 0;
  for (const SettingDef& each : rows) rowsWithTooltips += !each.tooltip.empty();
  EXPECT_EQ(rowsWithTooltips, 3);

  const SettingDef& sensitivity = row("mf_mouse_camera_sensitivity");
  EXPECT_EQ(sensitivity.kind, SettingKind::Float);
  EXPECT_DOUBLE_EQ(sensitivity.min, 0.0005);
  EXPECT_DOUBLE_EQ(sensitivity.max, 0.05);
  EXPECT_EQ(row("gpu_plugin").tab, SettingTab::Hidden);
  EXPECT_EQ(row("launcher_prompt_style").tab, SettingTab::Controls);
}

TEST(FindSetting, ExactKeyFirstRow) {
  std::vector<SettingDef> schema = {testing::MakeRow("vsync", SettingKind::Bool, "first"),
                                    testing::MakeRow("vsync", SettingKind::Bool, "second")};
  ASSERT_NE(FindSetting(schema, "vsync"), nullptr);
  EXPECT_EQ(FindSetting(schema, "vsync")->value, "first");
  EXPECT_EQ(FindSetting(schema, "VSync"), nullptr);
  EXPECT_EQ(FindSetting(schema, "vsync "), nullptr);
  EXPECT_EQ(FindSetting(schema, ""), nullptr);
}

TEST(IsLauncherOnlyKey, TheFourLauncherIniOptions) {
  std::vector<std::string> launcherOnly;
  for (const SettingDef& row : DefaultSettingRows())
    if (IsLauncherOnlyKey(row.key)) launcherOnly.push_back(row.key);
  EXPECT_EQ(launcherOnly, (std::vector<std::string>{"launcher_language", "launcher_steam_overlay",
                                                    "launcher_share_shader_cache", "launcher_prompt_style"}));
  EXPECT_FALSE(IsLauncherOnlyKey("Launcher_Language"));
}

}  // namespace
}  // namespace mf::settings
