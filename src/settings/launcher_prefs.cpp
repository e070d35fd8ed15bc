#include "settings/launcher_prefs.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

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

// Calls store(key, value) for each "key = value" line of launcher.ini text, in file order.
template <typename Store>
void ForEachPref(std::string_view text, Store store) {
  for (std::string_view line : SplitLines(StripUtf8Bom(text))) {
    line = TrimLeft(line, kLineBlanks);
    if (line.empty() || line.front() == '#' || line.front() == ';' || line.front() == '[') continue;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;

    std::string_view key = TrimRight(line.substr(0, equals), kSpaceTab);
    std::string_view value = TrimRight(TrimLeft(line.substr(equals + 1), kSpaceTab), kLineBlanks);
    store(ToLowerAscii(key), value);
  }
}

// The keys of launcher.ini in the order of the last read, so that a save keeps them there.
std::vector<std::string>& LoadedKeyOrder() {
  static std::vector<std::string> order;
  return order;
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
  ForEachPref(text, [&](std::string key, std::string_view value) { prefs[std::move(key)] = std::string(value); });
  return prefs;
}

std::vector<std::string> LauncherPrefsKeyOrder(std::string_view text) {
  std::vector<std::string> order;
  std::unordered_set<std::string> seen;
  ForEachPref(text, [&](std::string key, std::string_view) {
    if (seen.insert(key).second) order.push_back(std::move(key));
  });
  return order;
}

std::string FormatLauncherPrefs(const PrefsMap& prefs, const std::vector<std::string>& keyOrder) {
  std::vector<const std::string*> keys;
  std::unordered_set<std::string_view> placed;
  for (const std::string& key : keyOrder)
    if (prefs.count(key) && placed.insert(key).second) keys.push_back(&key);
  size_t firstNew = keys.size();
  for (const auto& entry : prefs)
    if (!placed.count(entry.first)) keys.push_back(&entry.first);
  std::sort(keys.begin() + static_cast<std::ptrdiff_t>(firstNew), keys.end(),
            [](const std::string* a, const std::string* b) { return *a < *b; });

  std::string text =
      "; MFLauncher persistent settings (read by launcher only — SDK never\r\n"
      "; touches this file, so settings survive F4 SaveConfig wipes).\r\n";
  for (const std::string* key : keys) text += *key + " = " + prefs.at(*key) + "\r\n";
  return text;
}

bool ReadLauncherPrefs(const std::filesystem::path& iniPath) {
  std::optional<std::string> text = ReadWholeFile(iniPath);
  LauncherPrefs() = text ? ParseLauncherPrefs(*text) : MakeEmptyPrefs();
  LoadedKeyOrder() = text ? LauncherPrefsKeyOrder(*text) : std::vector<std::string>();
  LastReadFailed() = !text && !IsSurelyAbsent(iniPath);
  return !LastReadFailed();
}

bool WriteLauncherPrefs(const std::filesystem::path& iniPath) {
  if (LastReadFailed()) return false;
  std::string text = FormatLauncherPrefs(LauncherPrefs(), LoadedKeyOrder());
  // Start-up stores the language on every start; a file that already says so is left alone
  // (no write, no flush) and so is never at risk.
  if (ReadWholeFile(iniPath) == text) return true;
  return WriteFileAtomically(iniPath, text);
}

const std::string* FindLauncherPref(std::string_view key) {
  const PrefsMap& prefs = LauncherPrefs();
  auto found = prefs.find(std::string(key));
  return found == prefs.end() ? nullptr : &found->second;
}

}  // namespace mf::settings
