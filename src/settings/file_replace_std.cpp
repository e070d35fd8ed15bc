#include "settings/file_replace.h"

namespace mf::settings {

// POSIX rename replaces an existing target atomically.
bool ReplaceFileWith(const std::filesystem::path& replacement, const std::filesystem::path& target) {
  std::error_code error;
  std::filesystem::rename(replacement, target, error);
  return !error;
}

bool CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target) {
  std::error_code error;
  return std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing, error);
}

}  // namespace mf::settings
