#include "app/music_temp_files.h"

#include <cctype>

namespace mf::app {

bool IsMusicTempFileName(std::string_view fileName) {
  constexpr std::string_view prefix = "mfm", suffix = ".tmp.ogg";
  if (fileName.size() <= prefix.size() + suffix.size() || fileName.size() > prefix.size() + 4 + suffix.size())
    return false;
  if (!fileName.starts_with(prefix) || !fileName.ends_with(suffix)) return false;
  for (char c : fileName.substr(prefix.size(), fileName.size() - prefix.size() - suffix.size()))
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

}  // namespace mf::app
