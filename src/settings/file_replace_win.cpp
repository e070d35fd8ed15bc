#include <windows.h>

#include "settings/file_replace.h"

namespace mf::settings {

// MoveFileExW swaps the directory entry in one step; write-through returns only once the
// move is on disk. It fails on a read-only or locked target, leaving both files alone.
bool ReplaceFileWith(const std::filesystem::path& replacement, const std::filesystem::path& target) {
  return ::MoveFileExW(replacement.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target) {
  return ::CopyFileW(source.c_str(), target.c_str(), FALSE) != 0;
}

}  // namespace mf::settings
