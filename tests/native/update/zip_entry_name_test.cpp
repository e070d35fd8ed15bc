#include "update/zip_entry_name.h"

#include <gtest/gtest.h>

namespace mf::update {
namespace {

TEST(StagingRelativePath, PlainNamesStayUnderStaging) {
  struct Case {
    const char* name;
    std::filesystem::path expected;
  } cases[] = {
      {"PlayMirefall.exe", "PlayMirefall.exe"},
      {"MFRecomp-v2.0.12/prompts/xbox/a.png", std::filesystem::path("MFRecomp-v2.0.12") / "prompts" / "xbox" / "a.png"},
      {"textures/", "textures"},
      {"native\\d3d12.dll", std::filesystem::path("native") / "d3d12.dll"},
      {"console.txt", "console.txt"},  // only the exact device names are devices
      {"COM10", "COM10"},
      {"a.b.c", "a.b.c"},
      {"CONIN", "CONIN"},
      {"COMA", "COMA"},
      {"LPT\xC2\xB4", std::filesystem::path(u8"LPT\xC2\xB4")},  // an acute accent is no digit
      {"\xF4\x8F\xBF\xBF.bin", std::filesystem::path(u8"\xF4\x8F\xBF\xBF.bin")},  // U+10FFFF, the last code point
  };
  for (const Case& c : cases) {
    std::optional<std::filesystem::path> path = StagingRelativePath(c.name);
    ASSERT_TRUE(path) << c.name;
    EXPECT_EQ(*path, c.expected) << c.name;
  }
  EXPECT_EQ(*StagingRelativePath("\xD0\x9C\xD1\x96\xD1\x80/\xD1\x84.txt"),
            std::filesystem::path(u8"Мір") / std::filesystem::path(u8"ф.txt"));
}

TEST(StagingRelativePath, HostileOrUnwritableNamesAreSkipped) {
  const char* skipped[] = {
      "",           "../evil.exe",  "..\\evil.exe", "a/../../evil.exe", "a..b",     "/etc/passwd",
      "\\evil.exe", "C:\\evil.exe", "C:evil.exe",   "a:b",              "file.txt:stream",
      "CON",        "con.txt",      "folder/NUL",   "nul.tar.gz",       "COM1",     "lpt9.log",
      "AUX ",       "CON .txt",     "trailing.",    "trailing ",        "dir./x",   "a//b",
      "./x",        "a/./b",        "what?.txt",    "a*b",              "pipe|x",   "tab\tx",
      "/",
      // Device names that the short table missed: the console, the clock, port 0 and the
      // superscript digits Windows reads as 1, 2 and 3.
      "CONIN$",     "conout$.txt",  "CLOCK$",       "COM0",             "lpt0.log", "COM\xC2\xB9",
      "com\xC2\xB2.txt", "LPT\xC2\xB3", "lpt\xC2\xB9.dat", "folder/CONOUT$",
      // Bytes that are not UTF-8 have no Windows spelling: an overlong '/', lead bytes past
      // U+10FFFF, a surrogate, a lone continuation byte, a cut sequence.
      "a\xC0\xAF" "b", "\xF5\x80\x80\x80", "\xF7\xBF\xBF\xBF.exe", "\xED\xA0\x80", "\x80x", "x\xD0",
      "\xE0\x80\xAF", "\xF4\x90\x80\x80", "\xFF",
  };
  for (const char* name : skipped) EXPECT_FALSE(StagingRelativePath(name)) << '"' << name << '"';
}

TEST(IsFolderEntryName, TrailingSeparatorMarksAFolder) {
  EXPECT_TRUE(IsFolderEntryName("prompts/"));
  EXPECT_TRUE(IsFolderEntryName("prompts\\"));
  EXPECT_FALSE(IsFolderEntryName("prompts"));
  EXPECT_FALSE(IsFolderEntryName(""));
}

}  // namespace
}  // namespace mf::update
