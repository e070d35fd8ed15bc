// Names from the file system as UTF-8: every UTF-16 sequence converts, none throws.
#include <gtest/gtest.h>

#include <filesystem>

#include "settings/file_io.h"
#include "settings/utf16_to_utf8.h"

namespace mf::settings {
namespace {

TEST(Utf16ToUtf8, EverySequenceConverts) {
  const struct {
    std::u16string text;
    std::string utf8;
    bool wellFormed;
  } cases[] = {
      {u"", "", true},
      {u"Mirefall [GOG]", "Mirefall [GOG]", true},
      {u"\u0406\u0433\u0440\u0438", "\xD0\x86\xD0\xB3\xD1\x80\xD0\xB8", true},
      {u"\u20AC\uFFFD", "\xE2\x82\xAC\xEF\xBF\xBD", true},
      {u"\xD83C\xDFAE", "\xF0\x9F\x8E\xAE", true},                      // a pair: one character
      {u"a\xD800", "a\xEF\xBF\xBD", false},                              // high surrogate at the end
      {u"\xD800z", "\xEF\xBF\xBDz", false},                              // high surrogate, no low after it
      {u"\xDC00z", "\xEF\xBF\xBDz", false},                              // low surrogate alone
      {u"\xDFAE\xD83C", "\xEF\xBF\xBD\xEF\xBF\xBD", false},              // a pair the wrong way round
      {u"\xD83C\xD83C\xDFAE", "\xEF\xBF\xBD\xF0\x9F\x8E\xAE", false},  // a lone high before a pair
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf16ToUtf8(c.text), c.utf8);
    EXPECT_EQ(IsWellFormedUtf16(c.text), c.wellFormed);
  }
}

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
