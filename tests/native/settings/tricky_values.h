#pragma once
// Values that have broken naive TOML handling: paths with backslashes, '#' and quotes,
// control characters, non-ASCII text. Shared by the round-trip and the TOML-parser tests.
#include <string>
#include <utility>
#include <vector>

namespace mf::settings::testing {

using namespace std::string_literals;

// (key, value) pairs for rows that are written as strings.
inline std::vector<std::pair<std::string, std::string>> TrickyStringValues() {
  return {
      {"texture_path", "C:\\mods\\new\\textures"},
      {"hid_mappings_file", "C:/C#/db.txt"},
      {"keybind_a", "\"quoted\" and 'single' # not a comment"},
      {"keybind_b", "\\"},
      {"keybind_x", "ends with a backslash\\"},
      {"keybind_y", "tab\there\nnew line\r\x01\x1F\x7F"},
      {"keybind_left_trigger", "\\\\server\\share\\\"x\""},
      {"keybind_right_trigger", "Ігри — «Mirefall» \xF0\x9F\x8E\xAE"},
      {"keybind_left_shoulder", "''x''"},
      {"keybind_right_shoulder", "\"\"x\"\""},
      {"keybind_lstick_press", "\\u0041 is not an escape here"},
      {"keybind_rstick_press", "a\0b"s},
      {"keybind_back", "   padded   "},
      {"keybind_start", "###"},
      {"gpu_plugin", "="},
      {"render_target_path_d3d12", ""},
      {"swap_post_effect", "fxaa\"#"},
      {"log_level", "'"},
  };
}

}  // namespace mf::settings::testing
