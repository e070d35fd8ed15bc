#pragma once
// launcher.ini: the preferences only the launcher reads. The game never touches this file,
// so what is kept here survives the game rewriting its own configuration.
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

namespace mf::settings {

using PrefsMap = std::unordered_map<std::string, std::string>;

// The process-wide preferences map. Every user re-reads the file before use.
PrefsMap& LauncherPrefs();

// Parses launcher.ini text: "key = value" lines, keys lower-cased, values taken as written
// (no quotes removed, no comments cut). Lines starting with '#', ';' or '[' are skipped;
// a later line with the same key wins.
PrefsMap ParseLauncherPrefs(std::string_view text);

// Replaces the process-wide map with the file's contents; a missing or unreadable file
// leaves the map empty.
void ReadLauncherPrefs(const std::filesystem::path& iniPath);

// The value of a key in the process-wide map, or nullptr.
const std::string* FindLauncherPref(std::string_view key);

}  // namespace mf::settings
