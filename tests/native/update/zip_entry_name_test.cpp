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
