// Paths as text: every name Windows accepts converts, none throws.
#include <gtest/gtest.h>

#include <filesystem>

#include "settings/file_io.h"

namespace mf::settings {
namespace {

#ifdef _WIN32
// NTFS takes a lone surrogate in a name; the shader-cache scan and the save-error message
// turn such paths into text.
TEST(PathToUtf8, NameWithALoneSurrogate) {
  std::filesystem::path path(L"C:\\Games\\Mire\xD800" L"fall\\mirefall.toml");
  EXPECT_EQ(PathToUtf8(path), "C:\\Games\\Mire\xEF\xBF\xBD" "fall\\mirefall.toml");
  EXPECT_FALSE(PathToExactUtf8(path));
  EXPECT_EQ(PathToExactUtf8(std::filesystem::path(L"C:\\Ігри\\Mirefall [GOG]")),
            "C:\\\xD0\x86\xD0\xB3\xD1\x80\xD0\xB8\\Mirefall [GOG]");
}
#endif

}  // namespace
}  // namespace mf::settings
