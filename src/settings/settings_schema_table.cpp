#include "settings/settings_schema_table.h"

#include <utility>

namespace mf::settings {
namespace {

using enum SettingTab;

SettingDef BoolRow(const char* key, const char* label, SettingTab tab, const char* value) {
  return {key, label, "", SettingKind::Bool, value, tab, 0, 0, {}};
}

SettingDef IntRow(const char* key, const char* label, SettingTab tab, const char* value, double min, double max) {
  return {key, label, "", SettingKind::Int, value, tab, min, max, {}};
}

SettingDef FloatRow(const char* key, const char* label, SettingTab tab, const char* value, double min, double max) {
  return {key, label, "", SettingKind::Float, value, tab, min, max, {}};
}

SettingDef TextRow(const char* key, const char* label, SettingTab tab, const char* value) {
  return {key, label, "", SettingKind::Text, value, tab, 0, 0, {}};
}

SettingDef ChoiceRow(const char* key, const char* label, SettingTab tab, const char* value, ChoiceList choices) {
  return {key, label, "", SettingKind::Choice, value, tab, 0, 0, std::move(choices)};
}

SettingDef WithTooltip(SettingDef row, const char* tooltip) {
  row.tooltip = tooltip;
  return row;
}

constexpr const char* kNativeRenderTooltip =
    "First test version brought to a proper state: DirectX 12 draws the game directly, faster, up to "
    "4x internal resolution. Off = the stock emulated path, exactly as before. Please report your "
    "FPS, your hardware and anything that looks wrong on GitHub.";

constexpr const char* kNativeScaleTooltip =
    "Renders the whole frame at this multiple of the console's resolution and scales it down to your "
    "window: sharper image, no jagged edges. Needs the native renderer above; the cost is video "
    "memory and GPU time.";

constexpr const char* kAimAxisFloorTooltip =
    "While aiming, lifts each mouse axis over the game's deadzone separately, so diagonal aim no "
    "longer staircases (#30). Off = 1.4.1 behaviour.";

// Both adaptive triggers offer the same effect modes.
const ChoiceList kTriggerEffectModes = {{"off", "Off (pass-through)"},
                                        {"feedback", "Feedback (constant resistance)"},
                                        {"weapon", "Weapon (click point — gun trigger feel)"},
                                        {"vibration", "Vibration (buzz on pull)"}};

std::vector<SettingDef> MakeDefaultRows() {
  // The order is binding: it is the dialog order and the order of keys in mirefall.toml.
  return {
      ChoiceRow("render_target_path_d3d12", "Render Target Path", Graphics, "rov",
                {{"rov", "ROV (recommended)"}, {"rtv", "RTV (compatibility)"}, {"", "Auto (SDK default)"}}),
      ChoiceRow("resolution_scale", "Internal Resolution Scale", Graphics, "2",
                {{"1", "1x — 1280x720 internal"}, {"2", "2x — 2560x1440 internal (recommended)"},
                 {"3", "3x — 3840x2160 internal"}, {"4", "4x — 5120x2880 internal (slowest)"}}),
      BoolRow("native_2x_msaa", "Native 2x MSAA", Graphics, "true"),
      ChoiceRow("anisotropic_override", "Anisotropic Filtering", Graphics, "3",
                {{"-1", "Game default"}, {"0", "Off"}, {"1", "1x"}, {"2", "2x"}, {"3", "4x"}, {"4", "8x"},
                 {"5", "16x"}}),
      ChoiceRow("swap_post_effect", "Post-process Anti-Aliasing", Graphics, "fxaa",
                {{"none", "Off (sharp, more aliasing)"}, {"fxaa", "FXAA (recommended)"},
                 {"fxaa_extreme", "FXAA Extreme (heavier blur, hides specks)"}}),
      ChoiceRow("present_effect", "Upscaler / Sharpener", Graphics, "fsr3",
                {{"bilinear", "Bilinear (off)"}, {"cas", "AMD CAS (sharpening)"}, {"fsr", "AMD FSR 1 (spatial)"},
                 {"fsr2", "AMD FSR 2 (temporal)"}, {"fsr3", "AMD FSR 3 (temporal+)"}}),
      ChoiceRow("present_fsr_quality_mode", "FSR Quality Mode", Graphics, "nativeaa",
                {{"auto", "Auto"}, {"nativeaa", "Native AA"}, {"quality", "Quality"}, {"balanced", "Balanced"},
                 {"performance", "Performance"}, {"ultra_performance", "Ultra Performance"}}),
      FloatRow("present_fsr_sharpness_reduction", "FSR Softness (0 = sharpest)", Graphics, "1.6", 0, 2),
      FloatRow("present_cas_additional_sharpness", "CAS Extra Sharpness", Graphics, "0.0", 0, 1),
      BoolRow("present_letterbox", "Preserve Aspect (Letterbox)", Graphics, "true"),
      BoolRow("mf_60fps", "60 FPS (ovk patch)", Graphics, "true"),
      BoolRow("show_shader_compile_indicator", "Shader Compile Indicator", Graphics, "true"),
      BoolRow("shader_compile_indicator_verbose", "Shader Indicator: Verbose", Graphics, "false"),
      BoolRow("d3d12_pso_library_enable", "PSO Library (disk cache)", Graphics, "true"),
      BoolRow("vsync", "VSync", Graphics, "true"),
      BoolRow("fullscreen", "Fullscreen", Graphics, "false"),
      IntRow("window_width", "Window Width (0 = auto)", Graphics, "0", 0, 8192),
      IntRow("window_height", "Window Height (0 = auto)", Graphics, "0", 0, 8192),
      ChoiceRow("monitor", "Monitor", Graphics, "0", {}),  // choices: the displays attached at build time
      BoolRow("d3d12_allow_variable_refresh_rate_and_tearing", "Allow VRR / Tearing", Graphics, "true"),
      BoolRow("present_dither", "Output Dithering", Graphics, "false"),
      ChoiceRow("launcher_language", "Launcher Language", Advanced, "en", {{"en", "English"}, {"uk", "Ukrainian"}}),
      ChoiceRow("launcher_steam_overlay", "Steam Overlay", Advanced, "on",
                {{"on", "On (Steam default)"}, {"off", "Off (fixes black screen / tinted quarter frame)"}}),
      ChoiceRow("launcher_share_shader_cache", "Share Shader Cache", Advanced, "off",
                {{"off", "Off"}, {"on", "On - send my shader cache (anonymous) to the project"}}),
      ChoiceRow("input_backend", "Input Backend", Advanced, "sdl",
                {{"sdl", "SDL (recommended, DualSense support)"}, {"xinput", "XInput (Xbox controllers only)"}}),
      BoolRow("texture_dump", "Texture Dump (textures\\dump)", Advanced, "false"),
      WithTooltip(BoolRow("mf_native_render", "Native Renderer (test)", Native, "false"), kNativeRenderTooltip),
      WithTooltip(ChoiceRow("mf_native_scale", "Internal Resolution", Native, "1",
                            {{"1", "1x - 1280x720, as the console"}, {"2", "2x - 2560x1440 (recommended)"},
                             {"3", "3x - 3840x2160"}, {"4", "4x - 5120x2880"}}),
                  kNativeScaleTooltip),
      BoolRow("texture_replacement", "", Hidden, "true"),
      TextRow("texture_path", "", Hidden, ""),
      TextRow("hid_mappings_file", "Controller Mappings (SDL)", Advanced, "gamecontrollerdb.txt"),
      ChoiceRow("user_language", "Game Language", Advanced, "1",
                {{"1", "English"}, {"3", "German (Deutsch)"}, {"4", "French (Francais)"},
                 {"5", "Spanish (Espanol)"}, {"6", "Italian (Italiano)"}}),
      ChoiceRow("d3d12_adapter", "GPU Adapter", Advanced, "-1",
                {{"-1", "Auto (first physical GPU)"}, {"0", "Adapter 0"}, {"1", "Adapter 1"}, {"2", "Adapter 2"}}),
      BoolRow("async_shader_compilation", "Async Shader Compilation", Advanced, "true"),
      IntRow("texture_cache_memory_limit_soft", "Texture Cache Soft Limit (MB)", Advanced, "384", 64, 4096),
      IntRow("texture_cache_memory_limit_hard", "Texture Cache Hard Limit (MB)", Advanced, "768", 128, 8192),
      BoolRow("audio_mute", "Mute Game Audio", Advanced, "false"),
      ChoiceRow("audio_channels", "Audio Output", Advanced, "auto",
                {{"auto", "Auto (follow the Windows output device)"},
                 {"stereo", "Stereo (fold 5.1 to 2.0; use if dialogue is quiet or missing)"},
                 {"surround", "Surround (always send 5.1)"}}),
      ChoiceRow("mf_skip_intro", "Skip Intro", Advanced, "off",
                {{"off", "Off (publisher logos and the opening movie, then the title screen)"},
                 {"logos", "Skip the logos and the opening movie (straight to the title screen)"},
                 {"menu", "Skip the logos and the movie, press Start (straight to the main menu)"}}),
      BoolRow("mnk_mode", "Mouse & Keyboard Mode", Mouse, "true"),
      ChoiceRow("launcher_prompt_style", "Button Prompts", Controls, "keyboard",
                {{"keyboard", "Keyboard (keys from your bindings)"}, {"xbox", "Xbox (original icons)"},
                 {"ps_fullsolid", "PlayStation - solid (DualShock / DualSense)"},
                 {"ps_solid", "PlayStation - solid with ring"}, {"ps_outline", "PlayStation - outline"}}),
      BoolRow("mf_mouse_camera", "Mouse Camera Hook (direct)", Mouse, "true"),
      FloatRow("mf_mouse_camera_sensitivity", "Camera Hook Sensitivity", Mouse, "0.003", 0.0005, 0.05),
      BoolRow("mf_mouse_camera_invert_y", "Camera Hook Invert Y", Mouse, "false"),
      BoolRow("mf_mouse_camera_direct", "Camera Hook: Direct Yaw", Mouse, "true"),
      BoolRow("mf_mouse_camera_catchup", "Camera Hook: Catch-up", Mouse, "true"),
      IntRow("mf_mouse_camera_hold_ms", "Camera Auto-center Hold (ms)", Mouse, "120", 0, 2000),
      BoolRow("mnk_mouse", "Mouse as Right Stick", Mouse, "true"),
      FloatRow("mnk_sensitivity", "Mouse Sensitivity", Mouse, "1.0", 0.05, 5),
      FloatRow("mnk_stick_scale", "Stick Scale (units per pixel)", Mouse, "300.0", 10, 5000),
      IntRow("mnk_deadzone_floor", "Deadzone Floor (stick units)", Mouse, "8689", 0, 32767),
      BoolRow("mnk_invert_y", "Invert Mouse Y", Mouse, "false"),
      WithTooltip(BoolRow("mnk_aim_axis_floor", "Aim: per-axis mouse floor", Mouse, "true"), kAimAxisFloorTooltip),
      FloatRow("mnk_key_stick_ramp_ms", "Key Stick Ramp (ms)", Mouse, "60.0", 0, 300),
      BoolRow("mnk_auto_shake", "Auto-shake (hold A + D)", Mouse, "false"),
      FloatRow("mnk_auto_shake_hz", "Auto-shake Rate (Hz)", Mouse, "12.0", 2, 30),
      ChoiceRow("mf_pad_layout", "Controller Layout", Controls, "original",
                {{"original", "Original (RT aims, A fires, LT holds breath)"},
                 {"qn", "Quenlor (LT aims, RT fires, A holds breath)"}}),
      BoolRow("dualsense_adaptive_triggers", "DualSense Adaptive Triggers", Controls, "true"),
      ChoiceRow("dualsense_rt_mode", "Right Trigger Effect Mode", Controls, "weapon", kTriggerEffectModes),
      IntRow("dualsense_rt_start", "Right Trigger Start Position", Controls, "3", 0, 9),
      IntRow("dualsense_rt_end", "Right Trigger End Position", Controls, "6", 0, 9),
      IntRow("dualsense_rt_strength", "Right Trigger Strength", Controls, "5", 0, 8),
      ChoiceRow("dualsense_lt_mode", "Left Trigger Effect Mode", Controls, "feedback", kTriggerEffectModes),
      IntRow("dualsense_lt_start", "Left Trigger Start Position", Controls, "2", 0, 9),
      IntRow("dualsense_lt_end", "Left Trigger End Position", Controls, "0", 0, 9),
      IntRow("dualsense_lt_strength", "Left Trigger Strength", Controls, "4", 0, 8),
      TextRow("keybind_a", "A button (action / fire)", Controls, "E,Space+LMB"),
      TextRow("keybind_b", "B button", Controls, "R"),
      TextRow("keybind_x", "X button", Controls, "Shift"),
      TextRow("keybind_y", "Y button", Controls, "F"),
      TextRow("keybind_left_trigger", "Left Trigger", Controls, "Control"),
      TextRow("keybind_right_trigger", "Right Trigger (aim)", Controls, "Space"),
      TextRow("keybind_left_shoulder", "Left Shoulder", Controls, "Z"),
      TextRow("keybind_right_shoulder", "Right Shoulder", Controls, "X"),
      TextRow("keybind_lstick_press", "Left Stick Press", Controls, "C"),
      TextRow("keybind_rstick_press", "Right Stick Press", Controls, "K"),
      TextRow("keybind_lstick_up", "Move Forward", Controls, "W"),
      TextRow("keybind_lstick_down", "Move Backward", Controls, "S"),
      TextRow("keybind_lstick_left", "Strafe Left", Controls, "A"),
      TextRow("keybind_lstick_right", "Strafe Right", Controls, "D"),
      TextRow("keybind_dpad_up", "D-Pad Up", Controls, "WheelUp"),
      TextRow("keybind_dpad_down", "D-Pad Down", Controls, "WheelDown"),
      TextRow("keybind_dpad_left", "D-Pad Left", Controls, "Shift+Left"),
      TextRow("keybind_dpad_right", "D-Pad Right", Controls, "Shift+Right"),
      TextRow("keybind_back", "Back", Controls, "M"),
      TextRow("keybind_start", "Start (pause menu)", Controls, "Return"),
      TextRow("gpu_plugin", "", Hidden, "xenos"),
      FloatRow("video_mode_refresh_rate", "", Hidden, "60.0", 24, 240),
      BoolRow("gpu_allow_invalid_fetch_constants", "", Hidden, "false"),
      ChoiceRow("log_level", "Log Level", Debug, "info",
                {{"off", "Off (no logs)"}, {"error", "Error"}, {"warn", "Warn"}, {"info", "Info (recommended)"},
                 {"debug", "Debug (verbose)"}, {"trace", "Trace (very verbose)"}}),
      BoolRow("readback_memexport", "Memexport Readback (keep on)", Debug, "true"),
      BoolRow("occlusion_query_enable", "Occlusion Queries", Debug, "true"),
      ChoiceRow("pso_missing_policy", "PSO Missing Policy", Debug, "block",
                {{"block", "Block (wait per draw, budgeted — recommended)"},
                 {"skip", "Skip (no block, pop-in on miss)"}, {"sync", "Sync (inline compile, longest stutter)"}}),
      FloatRow("d3d12_pso_block_per_draw_budget_ms", "PSO Block Budget (ms)", Debug, "8.0", 0.5, 500),
      BoolRow("d3d12_pso_no_block_at_submission_end", "No PSO Wait At Frame End", Debug, "true"),
      BoolRow("d3d12_debug", "D3D12 Debug Layer (slow)", Debug, "false"),
      BoolRow("store_shaders", "Shader Storage Cache", Debug, "true"),
      IntRow("log_max_files", "Log Files To Keep", Debug, "20", 1, 100),
      IntRow("log_max_file_size_mb", "Log File Size Limit (MB)", Debug, "5", 1, 100),
  };
}

}  // namespace

const std::vector<SettingDef>& DefaultSettingRows() {
  static const std::vector<SettingDef> rows = MakeDefaultRows();
  return rows;
}

}  // namespace mf::settings
