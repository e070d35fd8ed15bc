#include "settings/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mf::settings {
namespace {

TEST(SplitLines, EveryLineEndStyleEndsALine) {
  struct Case {
    std::string text;
    std::vector<std::string_view> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\rc", {"a", "b", "c"}},      // classic Mac line ends
      {"a\n\nb", {"a", "", "b"}},        // a blank line stays a line
      {"a\r\r\nb", {"a", "", "b"}},      // CR, then CR LF
      {"a\n\r\nb", {"a", "", "b"}},
      {"\n", {""}},
      {std::string("x\0y\nz", 5), {std::string_view("x\0y", 3), "z"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << ::testing::PrintToString(c.text);
}

TEST(StripUtf8Bom, OnlyALeadingMarkGoes) {
  EXPECT_EQ(StripUtf8Bom("\xEF\xBB\xBFvsync = true"), "vsync = true");
  EXPECT_EQ(StripUtf8Bom("\xEF\xBB\xBF"), "");
  EXPECT_EQ(StripUtf8Bom("\xEF\xBB"), "\xEF\xBB");
  EXPECT_EQ(StripUtf8Bom("a\xEF\xBB\xBF"), "a\xEF\xBB\xBF");
  EXPECT_EQ(StripUtf8Bom("\xEF\xBB\xBF\xEF\xBB\xBFx"), "\xEF\xBB\xBFx");  // one mark, not all
}

TEST(Trim, RemovesOnlyTheGivenCharacters) {
  EXPECT_EQ(Trim(" \t\r\nab c\n\r\t ", kLineBlanks), "ab c");
  EXPECT_EQ(Trim(" \t\r\n", kLineBlanks), "");
  EXPECT_EQ(TrimLeft("\r a \r", kSpaceTab), "\r a \r");
  EXPECT_EQ(TrimRight("\r a \t", kSpaceTab), "\r a");
}

}  // namespace
}  // namespace mf::settings
