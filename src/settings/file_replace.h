#pragma once
// The file-system steps behind every settings save: the backup copy and the one-step swap.
#include <filesystem>

namespace mf::settings {

// Moves replacement over target in one step (target may or may not exist). On failure
// both files stay as they were.
bool ReplaceFileWith(const std::filesystem::path& replacement, const std::filesystem::path& target);

// Copies source over target, replacing an older target. False when it could not.
bool CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace mf::settings
