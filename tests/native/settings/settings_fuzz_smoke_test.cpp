// A bounded, deterministic stand-in for the libFuzzer run: a few thousand random and
// mutated inputs through the settings parsers, checked for the same properties.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "settings/config_writer.h"
#include "settings/settings_schema_table.h"
#include "settings_fuzz_checks.h"

namespace mf::settings {
namespace {

using namespace std::string_literals;

// Pieces that reach the interesting branches of the parsers.
const std::vector<std::string> kTokens = {
    "=", " = ", "#", "\"", "'", "\\", "\\\"", "\\u00e9", "\\U0001F600", "\\uD800", "\r", "\n", "\r\n", "[", "]",
    "\t", " ", ";", "\xEF\xBB\xBF", "\xFF", "\xC3", "\xE2\x80\x94", "\0"s, "vsync", "monitor", "game_data_root",
    "launcher_language", "keybind_a", "mnk_sensitivity", "render_target_path_d3d12", "true", "1e3", "-1", ".",
    "''", "\"\"", "\"\"\"", "'''", "uk", "en", "[[", "]]", "{", "}", ",", "\"vsync\"", "'keybind_a'", "\\\n",
    "\n[t]\n", "\n[[a]]\n", " = [\n", " = \"\"\"\n", "\xFF\xFE", "9223372036854775808", "1979-05-27 07:32:00"};

std::vector<std::string> SeedInputs() {
  return {
      FormatConfigText({DefaultSettingRows().begin(), DefaultSettingRows().begin() + 12}, {"mod = 'x' # note"}),
      "game_data_root = \"./assets\"\r\nvsync = false\r\nvsync = true\r\n",
      "texture_path = \"C:\\\\mods\\\\#1\" # c\nkeybind_a = 'lit\\eral'\n[section]\n",
      "; MFLauncher\r\nLauncher_Language=uk\r\nlauncher_steam_overlay = off\r\n",
      "\xEF\xBB\xBFlauncher_language = \"uk\"\rmonitor = 3\r",
      "mods = [\n  \"a\", # c\n]\nkeybind_a = \"\"\"\nQ,\\\n LMB\"\"\"\nx = '''\nvsync = 1\n'''\n"
      "p = { a = [1,\n2] }\n[debug]\nvsync = false\n[[m]]\nx = 1\n[[m]]\nx = 1\n",
  };
}

std::string Mutate(std::string input, std::mt19937& random) {
  auto pick = [&](size_t bound) { return std::uniform_int_distribution<size_t>(0, bound)(random); };
  int steps = 1 + static_cast<int>(pick(7));
  for (int step = 0; step < steps; ++step) {
    size_t at = pick(input.size());
    switch (pick(4)) {
      case 0: input.insert(at, kTokens[pick(kTokens.size() - 1)]); break;
      case 1: input.erase(at, pick(16)); break;
      case 2:
        if (!input.empty()) input[at % input.size()] = static_cast<char>(pick(255));
        break;
      case 3: input.insert(at, input.substr(pick(input.size()), pick(64))); break;
      default: input.insert(at, 1, static_cast<char>(pick(255))); break;
    }
  }
  return input;
}

std::string RandomBytes(std::mt19937& random) {
  std::string bytes(std::uniform_int_distribution<size_t>(0, 512)(random), '\0');
  for (char& byte : bytes) byte = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
  return bytes;
}

TEST(SettingsFuzzSmoke, RandomAndMutatedInputsKeepEveryProperty) {
  std::mt19937 random(20240611);  // fixed, so a failure repeats
  const std::vector<std::string> seeds = SeedInputs();
  for (int i = 0; i < 3000; ++i) {
    std::string input = i % 4 == 0 ? RandomBytes(random) : Mutate(seeds[i % seeds.size()], random);
    std::string broken = fuzzing::CheckSettingsParsers(input);
    ASSERT_EQ(broken, "") << "input " << i << ": " << ::testing::PrintToString(input);
  }
}

}  // namespace
}  // namespace mf::settings
