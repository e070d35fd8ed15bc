#include "source_literals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mf::i18n::testing {
namespace {

std::vector<std::string> TextsIn(const std::string& source) {
  std::vector<std::string> texts;
  for (const DisplayedText& found : FindDisplayedTexts({{"snippet.cpp", source}})) texts.push_back(found.text);
  return texts;
}

struct ScanCase {
  const char* name;
  const char* source;
  std::vector<std::string> expected;
};

class SourceLiteralScanTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(SourceLiteralScanTest, FindsExactlyTheDisplayedLiterals) {
  EXPECT_EQ(TextsIn(GetParam().source), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Snippets, SourceLiteralScanTest,
    ::testing::Values(
        ScanCase{"TrPtrLiteral", R"(MessageBoxW(w, TrPtr("Hello"), nullptr, 0);)", {"Hello"}},
        ScanCase{"TextAndCaption", R"(MessageBoxW(w, TrPtr("Text"), TrPtr("Caption"), MB_OK);)", {"Text", "Caption"}},
        ScanCase{"QualifiedTranslate", R"(auto s = i18n::Translate("Update available: ") + tag;)", {"Update available: "}},
        ScanCase{"AdjacentLiteralsJoin", "TrWide(\"First line.\\n\"\n       \"Second line.\");", {"First line.\nSecond line."}},
        ScanCase{"Escapes", R"(TrWide("a\nb\"c\\d\te");)", {"a\nb\"c\\d\te"}},
        ScanCase{"HexAndOctalEscapes", R"(TrPtr("\x41\102C");)", {"ABC"}},
        ScanCase{"Utf8Passthrough", "Translate(\" \xE2\x80\x94 click to install\");", {" \xE2\x80\x94 click to install"}},
        ScanCase{"RawString", R"src(TrPtr(R"(raw "quoted" \n)");)src", {"raw \"quoted\" \\n"}},
        ScanCase{"VariableArgumentSkipped", "TrPtr(message); TrWide(english ? english : \"\");", {}},
        ScanCase{"ExpressionArgumentSkipped", R"(TrWide(prefix + "x");)", {}},
        ScanCase{"EmptyLiteralSkipped", R"(TrPtr("");)", {}},
        ScanCase{"LineCommentSkipped", "// TrPtr(\"commented out\")\nTrPtr(\"live\");", {"live"}},
        ScanCase{"BlockCommentSkipped", "/* TrWide(\"old\") */ TrWide(\"new\");", {"new"}},
        ScanCase{"QuoteCharacterLiteral", R"(char q = '"'; TrPtr("after quote");)", {"after quote"}},
        ScanCase{"DigitSeparator", R"(int n = 10'080'256; TrPtr("size");)", {"size"}},
        ScanCase{"Declarations", "std::wstring TrWide(std::string_view english);\n"
                                 "const wchar_t* TrPtr(const char* english);\n"
                                 "std::string Translate(std::string_view english) { return {}; }",
                 {}},
        ScanCase{"NamedConstant", "inline constexpr std::string_view kHint = \"Hint text\";\n"
                                  "void Paint() { auto h = TrWide(kHint); auto q = TrWide(app::kHint); }",
                 {"Hint text", "Hint text"}},
        ScanCase{"UnknownConstantSkipped", "auto h = TrWide(kSomethingElse);", {}},
        ScanCase{"ButtonTable", "static constexpr ButtonSpec kButtons[] = {\n"
                                "    {\"PLAY\", MenuAction::Play}, {\"Settings\", MenuAction::Settings},\n"
                                "    {\"Exit\", MenuAction::Exit}};",
                 {"PLAY", "Settings", "Exit"}},
        ScanCase{"OtherTablesIgnored", R"(constexpr Row kRows[] = {{"key", "value"}};)", {}}),
    [](const ::testing::TestParamInfo<ScanCase>& info) { return std::string(info.param.name); });

TEST(SourceLiteralScanTest, ReportsFileAndLine) {
  std::vector<DisplayedText> found = FindDisplayedTexts({{"src/app/a.cpp", "\n\nTrPtr(\"third\");"}});
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].where, "src/app/a.cpp:3");
}

TEST(SourceLiteralScanTest, ResolvesConstantsDefinedInAnotherFile) {
  std::vector<DisplayedText> found = FindDisplayedTexts(
      {{"paint.cpp", "TrWide(kControlHint);"}, {"art.h", "constexpr std::string_view kControlHint = \"Hint\";"}});
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].text, "Hint");
}

}  // namespace
}  // namespace mf::i18n::testing
