#pragma once
// The names of the title music's temporary files: "mfmXXXX.tmp.ogg", where XXXX is the
// (up to four) hexadecimal digits GetTempFileNameW chose. A start finds the ones an
// earlier run could not delete by these names, and nothing else.
#include <string_view>

namespace mf::app {

// The pattern FindFirstFileW is given; it may match more (short names), so every name it
// returns is checked again with IsMusicTempFileName.
inline constexpr wchar_t kMusicTempFilePattern[] = L"mfm*.tmp.ogg";

bool IsMusicTempFileName(std::string_view fileName);

}  // namespace mf::app
