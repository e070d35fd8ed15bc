#pragma once
// mirefall.toml, the game's configuration file beside the launcher. Its known keys live in
// the settings schema; what the launcher does not know is kept here so a save puts it back.
#include <filesystem>
#include <string>
#include <vector>

namespace mf::settings {

struct ConfigFile {
  // The statements the launcher keeps as written, in file order: top-level keys that match
  // no setting, then each table header with the keys under it. A statement whose value
  // continues over several lines is one entry, with its inner line ends.
  std::vector<std::string> extraLines;
};

// The process-wide record of the last read, owned by the UI thread.
ConfigFile& LoadedConfigFile();

// executableFolder / "mirefall.toml"
std::filesystem::path ConfigFilePath(const std::filesystem::path& executableFolder);

}  // namespace mf::settings
