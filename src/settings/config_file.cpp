#include "settings/config_file.h"

namespace mf::settings {

ConfigFile& LoadedConfigFile() {
  static ConfigFile file;
  return file;
}

std::filesystem::path ConfigFilePath(const std::filesystem::path& executableFolder) {
  return executableFolder / "mirefall.toml";
}

}  // namespace mf::settings
