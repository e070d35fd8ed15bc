#include "settings/launcher_prefs.h"

#include "settings/file_io.h"

namespace mf::settings {
namespace {

constexpr std::string_view kLineBlanks = " \t\r\n";
constexpr std::string_view kSpaceTab = " \t";

PrefsMap MakeEmptyPrefs() {
  PrefsMap prefs(8);
  prefs.max_load_factor(1.0f);
  return prefs;
}

std::string ToLowerAscii(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lowered;
}

void ParseLine(std::string_view line, PrefsMap& prefs) {
  size_t start = line.find_first_not_of(kLineBlanks);
  if (start == std::string_view::npos) return;
  line.remove_prefix(start);
  if (line.front() == '#' || line.front() == ';' || line.front() == '[') return;
  size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;

  std::string_view key = line.substr(0, equals);
  size_t keyEnd = key.find_last_not_of(kSpaceTab);
  key = keyEnd == std::string_view::npos ? std::string_view{} : key.substr(0, keyEnd + 1);

  std::string_view value = line.substr(equals + 1);
  size_t valueStart = value.find_first_not_of(kSpaceTab);
  value = valueStart == std::string_view::npos ? std::string_view{} : value.substr(valueStart);
  size_t valueEnd = value.find_last_not_of(kLineBlanks);
  value = valueEnd == std::string_view::npos ? std::string_view{} : value.substr(0, valueEnd + 1);

  prefs[ToLowerAscii(key)] = std::string(value);
}

}  // namespace

PrefsMap& LauncherPrefs() {
  static PrefsMap prefs = MakeEmptyPrefs();
  return prefs;
}

PrefsMap ParseLauncherPrefs(std::string_view text) {
  PrefsMap prefs = MakeEmptyPrefs();
  while (!text.empty()) {
    size_t lineEnd = text.find('\n');
    std::string_view line = text.substr(0, lineEnd);
    ParseLine(line, prefs);
    if (lineEnd == std::string_view::npos) break;
    text.remove_prefix(lineEnd + 1);
  }
  return prefs;
}

void ReadLauncherPrefs(const std::filesystem::path& iniPath) {
  std::optional<std::string> text = ReadWholeFile(iniPath);
  LauncherPrefs() = text ? ParseLauncherPrefs(*text) : MakeEmptyPrefs();
}

const std::string* FindLauncherPref(std::string_view key) {
  const PrefsMap& prefs = LauncherPrefs();
  auto found = prefs.find(std::string(key));
  return found == prefs.end() ? nullptr : &found->second;
}

}  // namespace mf::settings
