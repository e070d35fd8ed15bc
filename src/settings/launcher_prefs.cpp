#include "settings/launcher_prefs.h"

#include "settings/file_io.h"
#include "settings/text_lines.h"

namespace mf::settings {
namespace {

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
  line = TrimLeft(line, kLineBlanks);
  if (line.empty() || line.front() == '#' || line.front() == ';' || line.front() == '[') return;
  size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;

  std::string_view key = TrimRight(line.substr(0, equals), kSpaceTab);
  std::string_view value = TrimRight(TrimLeft(line.substr(equals + 1), kSpaceTab), kLineBlanks);
  prefs[ToLowerAscii(key)] = std::string(value);
}

// Set by a read that found the file but could not read it; cleared by the next good read.
bool& LastReadFailed() {
  static bool failed = false;
  return failed;
}

}  // namespace

PrefsMap& LauncherPrefs() {
  static PrefsMap prefs = MakeEmptyPrefs();
  return prefs;
}

std::filesystem::path LauncherPrefsPath(const std::filesystem::path& executableFolder) {
  return executableFolder / "launcher.ini";
}

PrefsMap ParseLauncherPrefs(std::string_view text) {
  PrefsMap prefs = MakeEmptyPrefs();
  for (std::string_view line : SplitLines(StripUtf8Bom(text))) ParseLine(line, prefs);
  return prefs;
}

std::string FormatLauncherPrefs(const PrefsMap& prefs) {
  std::string text =
      "; MFLauncher persistent settings (read by launcher only — SDK never\r\n"
      "; touches this file, so settings survive F4 SaveConfig wipes).\r\n";
  for (const auto& [key, value] : prefs) text += key + " = " + value + "\r\n";
  return text;
}

bool ReadLauncherPrefs(const std::filesystem::path& iniPath) {
  std::optional<std::string> text = ReadWholeFile(iniPath);
  LauncherPrefs() = text ? ParseLauncherPrefs(*text) : MakeEmptyPrefs();
  LastReadFailed() = !text && !IsSurelyAbsent(iniPath);
  return !LastReadFailed();
}

bool WriteLauncherPrefs(const std::filesystem::path& iniPath) {
  if (LastReadFailed()) return false;
  return WriteFileAtomically(iniPath, FormatLauncherPrefs(LauncherPrefs()));
}

const std::string* FindLauncherPref(std::string_view key) {
  const PrefsMap& prefs = LauncherPrefs();
  auto found = prefs.find(std::string(key));
  return found == prefs.end() ? nullptr : &found->second;
}

}  // namespace mf::settings
