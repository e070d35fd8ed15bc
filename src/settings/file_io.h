#pragma once
// Whole-file reading for the launcher's small text files. Paths are std::filesystem::path,
// which is wide on Windows, so folders with non-ASCII names work.
#include <filesystem>
#include <optional>
#include <string>

namespace mf::settings {

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

}  // namespace mf::settings
