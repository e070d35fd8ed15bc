#pragma once
// mirefall.toml, the game's configuration file beside the launcher. Its known keys live in
// the settings schema; what the launcher does not know is kept here so a save puts it back.
#include <filesystem>
#include <string>
#include <vector>

namespace mf::settings {

struct ConfigFile {
  // The raw text of each line whose key matched no setting, in file order.
  std::vector<std::string> extraLines;
};

// The process-wide record of the last read, owned by the UI thread.
ConfigFile& LoadedConfigFile();

// executableFolder / "mirefall.toml"
std::filesystem::path ConfigFilePath(const std::filesystem::path& executableFolder);

}  // namespace mf::settings
