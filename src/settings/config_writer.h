#pragma once
// Writing the settings schema and the kept unknown lines to mirefall.toml.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/setting_def.h"

namespace mf::settings {

// The whole file: the header line, every row except the launcher-only ones in table order,
// game_data_root, then the kept statements (top-level unknown keys first, then the tables).
// Every line the writer adds ends in CR LF; a kept statement keeps its inner line ends.
std::string FormatConfigText(const std::vector<SettingDef>& schema, const std::vector<std::string>& extraLines);

struct ConfigSaveResult {
  bool succeeded = false;
  std::filesystem::path path;  // the file that was (or could not be) written
};

// Saves the process-wide schema and extra lines to path after copying the old file to
// path + ".backup". Fails without touching anything when the file exists but cannot be
// read (the lines it holds that the launcher does not know would be lost) or is UTF-16
// text (which the launcher does not read, and would turn into a mix of encodings).
ConfigSaveResult WriteConfigFile(const std::filesystem::path& path);

// The error box shown when a save fails: its caption (an English literal, translated when
// shown) and its text naming the full path, in the interface language.
inline constexpr char kSaveErrorCaption[] = "MFLauncher — Save error";
std::string SaveErrorText(const std::filesystem::path& path);

}  // namespace mf::settings
