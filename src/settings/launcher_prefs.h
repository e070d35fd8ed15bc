#pragma once
// launcher.ini: the preferences only the launcher reads. The game never touches this file,
// so what is kept here survives the game rewriting its own configuration.
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mf::settings {

using PrefsMap = std::unordered_map<std::string, std::string>;

// The process-wide preferences map. Every user re-reads the file before use.
PrefsMap& LauncherPrefs();

// executableFolder / "launcher.ini"
std::filesystem::path LauncherPrefsPath(const std::filesystem::path& executableFolder);

// Parses launcher.ini text: "key = value" lines, keys lower-cased, values taken as written
// (no quotes removed, no comments cut). Lines starting with '#', ';' or '[' are skipped;
// a later line with the same key wins. A leading byte-order mark is skipped.
PrefsMap ParseLauncherPrefs(std::string_view text);

// The keys of launcher.ini text (lower-cased, each once) in the order they first appear.
std::vector<std::string> LauncherPrefsKeyOrder(std::string_view text);

// The file text for a map: two comment lines, then "key = value" per entry: first the keys
// of keyOrder (the file's order when it was read), then keys new since, by name. So saving
// twice gives the same bytes. Lines end in CR LF.
std::string FormatLauncherPrefs(const PrefsMap& prefs, const std::vector<std::string>& keyOrder = {});

// Replaces the process-wide map with the file's contents, remembering their order for the
// next write; a missing or unreadable file leaves the map empty. False when the file is
// there but could not be read (held open by another program, access denied): the map then
// does not know what the file holds.
bool ReadLauncherPrefs(const std::filesystem::path& iniPath);

// Rewrites the file from the process-wide map in one step, keys in the order of the last
// read with new keys after them. False when it could not be written; the old file then
// stays as it was. Refuses while the last read could not read an existing file: the map
// lacks what that file holds (the one-time flags, the player's answers), and writing it
// would lose them. A file that already holds exactly these bytes is not written again.
bool WriteLauncherPrefs(const std::filesystem::path& iniPath);

// The value of a key in the process-wide map, or nullptr.
const std::string* FindLauncherPref(std::string_view key);

}  // namespace mf::settings
