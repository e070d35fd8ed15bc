#include "settings/toml_statements.h"

#include <gtest/gtest.h>

#include "settings/toml_syntax.h"

namespace mf::settings {
namespace {

using ::testing::PrintToString;
using Kind = TomlStatementKind;

struct Expected {
  Kind kind;
  std::string text;
  size_t table = 0;
  std::string key = {};
};

bool operator==(const TomlStatement& actual, const Expected& expected) {
  return actual.kind == expected.kind && actual.text == expected.text && actual.table == expected.table &&
         actual.key == expected.key;
}

void PrintTo(const TomlStatement& statement, std::ostream* out) {
  *out << "{kind " << static_cast<int>(statement.kind) << ", " << PrintToString(std::string(statement.text))
       << ", table " << statement.table << ", key " << PrintToString(statement.key) << "}";
}

TEST(ScanTomlStatements, WhereEachStatementEnds) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<Expected> statements;
  } cases[] = {
      {"lines of the game's own file",
       "# c\r\nvsync = false\r\n\r\n  window_width=1\r\n",
       {{Kind::Comment, "# c"}, {Kind::KeyValue, "vsync = false", 0, "vsync"}, {Kind::Blank, ""},
        {Kind::KeyValue, "  window_width=1", 0, "window_width"}}},
      {"an array over several lines, with comments and a trailing comma",
       "mods = [\n  \"a\", # first ]\n  [1, 2],\n]\nvsync = false\n",
       {{Kind::KeyValue, "mods = [\n  \"a\", # first ]\n  [1, 2],\n]", 0, "mods"},
        {Kind::KeyValue, "vsync = false", 0, "vsync"}}},
      {"multi-line strings hold lines that look like settings",
       "a = \"\"\"\nvsync = false\n\\\"\"\"\"\" # c\nb = '''\r\n[debug]\r\n'''\r\nc = 1\n",
       {{Kind::KeyValue, "a = \"\"\"\nvsync = false\n\\\"\"\"\"\" # c", 0, "a"},
        {Kind::KeyValue, "b = '''\r\n[debug]\r\n'''", 0, "b"}, {Kind::KeyValue, "c = 1", 0, "c"}}},
      {"an inline table whose array continues over lines",
       "p = { x = [1,\n 2], y = 'z' }\n",
       {{Kind::KeyValue, "p = { x = [1,\n 2], y = 'z' }", 0, "p"}}},
      {"tables and arrays of tables number their keys",
       "x = 1\n[t]\nx = 2\n [[a.b]] # c\nx = 3\n[[a.b]]\n",
       {{Kind::KeyValue, "x = 1", 0, "x"}, {Kind::Header, "[t]", 1}, {Kind::KeyValue, "x = 2", 1, "x"},
        {Kind::Header, " [[a.b]] # c", 2}, {Kind::KeyValue, "x = 3", 2, "x"}, {Kind::Header, "[[a.b]]", 3}}},
      {"quoted and dotted keys have one spelling",
       "\"vsync\" = 1\n'vsync'=2\n\"a b\" = 3\na . \"b\" = 4\n\"a.b\" = 5\n\"q\\\"\" = 6\n\"\" = 7\n",
       {{Kind::KeyValue, "\"vsync\" = 1", 0, "vsync"}, {Kind::KeyValue, "'vsync'=2", 0, "vsync"},
        {Kind::KeyValue, "\"a b\" = 3", 0, "\"a b\""}, {Kind::KeyValue, "a . \"b\" = 4", 0, "a.b"},
        {Kind::KeyValue, "\"a.b\" = 5", 0, "\"a.b\""}, {Kind::KeyValue, "\"q\\\"\" = 6", 0, "\"q\\\"\""},
        {Kind::KeyValue, "\"\" = 7", 0, "\"\""}}},
      {"an unclosed value is one line, as older launchers read it",
       "a = [\nvsync = false\n]\nb = \"\"\"\nc = 1\nd = 'x\ne = \"C:\\mods\\\"\n",
       {{Kind::KeyValue, "a = [", 0, "a"}, {Kind::KeyValue, "vsync = false", 0, "vsync"}, {Kind::Other, "]"},
        {Kind::KeyValue, "b = \"\"\"", 0, "b"}, {Kind::KeyValue, "c = 1", 0, "c"},
        {Kind::KeyValue, "d = 'x", 0, "d"}, {Kind::KeyValue, "e = \"C:\\mods\\\"", 0, "e"}}},
      {"keys TOML refuses keep the text before the first '='",
       "= 5\n\xC3( = 1\na b = 2\n\"\"\"k\"\"\" = 3\n",
       {{Kind::KeyValue, "= 5", 0, ""}, {Kind::KeyValue, "\xC3( = 1", 0, "\xC3("}, {Kind::KeyValue, "a b = 2", 0, "a b"},
        {Kind::KeyValue, "\"\"\"k\"\"\" = 3", 0, "\"\"\"k\"\"\""}}},
      {"a '[' line that is no header opens no table",
       "[x = 1]\n[a] b\n[ [c] ]\n[\nvsync = 1\n",
       {{Kind::Other, "[x = 1]"}, {Kind::Other, "[a] b"}, {Kind::Other, "[ [c] ]"}, {Kind::Other, "["},
        {Kind::KeyValue, "vsync = 1", 0, "vsync"}}},
      {"CR-only line ends and no final line end",
       "a = 1\rb = [\r2]\rjust text",
       {{Kind::KeyValue, "a = 1", 0, "a"}, {Kind::KeyValue, "b = [\r2]", 0, "b"}, {Kind::Other, "just text"}}},
      {"arrays nested deeper than any settings file are not followed",
       "a = " + std::string(100, '[') + std::string(100, ']') + "\nb = 1\n",
       {{Kind::KeyValue, "a = " + std::string(100, '[') + std::string(100, ']'), 0, "a"},
        {Kind::KeyValue, "b = 1", 0, "b"}}},
  };
  for (const Case& c : cases) {
    std::vector<TomlStatement> statements = ScanTomlStatements(c.text);
    ASSERT_EQ(statements.size(), c.statements.size()) << c.name << ": " << PrintToString(statements);
    for (size_t i = 0; i < statements.size(); ++i) EXPECT_EQ(statements[i], c.statements[i]) << c.name << " #" << i;
  }
}

// A value that goes on past its line but is never closed: where it would end depends on the
// lines after it, so the store must know not to rebuild a file around it.
TEST(ScanTomlStatements, AValueNeverClosedIsMarked) {
  const std::pair<std::string, bool> cases[] = {
      {"a = [\n", true},           {"a = [", true},          {"a = '''x", true},     {"a = \"\"\"\nx\n", true},
      {"a = [1,\nmaybe]\n", true}, {"a = { b = [\n", true},  {"a = maybe", false},   {"a = \"x\nb = 1", false},
      {"a = maybe\nb", false},     {"= [\n", false},         {"a = [1]", false},     {"a = 1 2\n", false},
  };
  for (const auto& [text, unclosed] : cases) {
    std::vector<TomlStatement> statements = ScanTomlStatements(text);
    ASSERT_FALSE(statements.empty());
    EXPECT_EQ(statements.front().unclosed, unclosed) << PrintToString(text);
    EXPECT_EQ(statements.front().text, text.substr(0, text.find('\n'))) << PrintToString(text);
  }
}

TEST(MeasureTomlValue, ValuesTomlAccepts) {
  const char* complete[] = {"true", "-17", "1_000", "0x1F", "1e3", "-inf", "1979-05-27 07:32:00Z", "07:32:00",
                            "\"a\\\"b\"", "'a\\'", "\"\"\"a\"\"\"\"\"", "[]", "[1, [2, 'x'],]", "{}",
                            "{ a = 1, b.c = [1,\n2] }"};
  const char* incomplete[] = {"", "maybe", "1 # x", "9223372036854775808", "\"a", "'a\nb'", "\"\"\"a\"\"", "'''a''",
                              "[1 2]", "[1,,]", "[a = 1]", "{ a = 1, }", "{ a = 1\n}", "{ a }"};
  for (const char* value : complete) {
    std::optional<size_t> length = MeasureTomlValue(value);
    EXPECT_EQ(length, std::string_view(value).size()) << PrintToString(value);
  }
  for (const char* value : incomplete) {
    std::optional<size_t> length = MeasureTomlValue(value);
    EXPECT_TRUE(!length || *length < std::string_view(value).size()) << PrintToString(value);
  }
}

}  // namespace
}  // namespace mf::settings
