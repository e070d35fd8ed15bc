#include "settings/toml_text.h"

#include <gtest/gtest.h>

#include <string>

namespace mf::settings {
namespace {

using ::testing::PrintToString;

TEST(ParseTomlValue, ReadsValuesAsTheGameMeantThem) {
  struct Case {
    std::string raw;  // what follows "key =" on the line
    std::string value;
  } cases[] = {
      {" true ", "true"},
      {"5 # note", "5"},
      {"\"E,Space+LMB\"", "E,Space+LMB"},
      {"''x''", "x"},                        // nested quote pairs all peel off
      {"\"\"x\"\"", "x"},
      {"'\"x\"'", "\"x\""},                  // a literal string keeps what is inside it
      {"\"\"", ""},
      {"''", ""},
      {"\"", "\""},                          // a lone quote is no pair
      {"\"a\" # \"b\"", "a"},
      // A '#' inside quotes belongs to the value, not to a comment.
      {"\"a#b\"", "a#b"},
      {"\"C:/C#/db.txt\"  # where the data is", "C:/C#/db.txt"},
      {"'#'", "#"},
      {"\"\\\"#\\\"\" # x", "\"#\""},
      {"\"a#b", "\"a#b"},                    // unterminated: nothing is cut, nothing unquoted
      {"don't # note", "don't"},             // an apostrophe in a bare value opens no string
      // Escapes in double-quoted strings decode as TOML says...
      {"\"C:\\\\mods\"", "C:\\mods"},
      {"\"tab\\there\"", "tab\there"},
      {"\"say \\\"hi\\\"\"", "say \"hi\""},
      {"\"\\b\\f\\n\\r\"", "\b\f\n\r"},
      {"\"\\u00e9\\U0001F600\"", "\xC3\xA9\xF0\x9F\x98\x80"},
      // ...but a backslash that starts no escape stays, so files written before escaping
      // existed still read as they did.
      {"\"C:\\mods\"", "C:\\mods"},
      {"\"50\\%\"", "50\\%"},
      {"\"\\uD800\"", "\\uD800"},            // a surrogate is no character
      {"\"\\u12\"", "\\u12"},
      {"\"\\e\"", "\\e"},
      {"\"ends\\\\\"", "ends\\"},
      {"\"C:\\mods\\\"", "C:\\mods\\"},      // old file: a trailing backslash before the quote
      // Literal strings take backslashes as they are.
      {"'C:\\mods\\new'", "C:\\mods\\new"},
      // Multi-line string delimiters on one line read as their contents.
      {"\"\"\"abc\"\"\"", "abc"},
      {"'''a\\b'''", "a\\b"},
      // ...whatever quotes and hashes they hold.
      {"\"\"\"a\"b#c\"\"\" # note", "a\"b#c"},
      {"'''it's # not a comment'''", "it's # not a comment"},
      {"\"\"\"two quotes at the end\"\"\"\"\"", "two quotes at the end\"\""},
      // Over several lines: the first line end goes, CR LF reads as LF, a backslash at the
      // end of a line joins it to the next.
      {"\"\"\"\r\nline 1\r\nline 2\"\"\"", "line 1\nline 2"},
      {"'''\nC:\\mods\n'''", "C:\\mods\n"},
      {"\"\"\"Q,\\  \n   \n  LMB\\n\"\"\"", "Q,LMB\n"},
      // An array or inline table is kept as written, comments inside included.
      {"[1, # one\n 2] # after", "[1, # one\n 2]"},
      {"{ a = \"#\" }", "{ a = \"#\" }"},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTomlValue(c.raw), c.value) << PrintToString(c.raw);
}

TEST(QuoteTomlString, EscapesWhatTomlRequires) {
  struct Case {
    std::string value;
    std::string quoted;
  } cases[] = {
      {"", "\"\""},
      {"E,Space+LMB", "\"E,Space+LMB\""},
      {"C:\\mods", "\"C:\\\\mods\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"a\tb\nc\rd\be\ff", "\"a\\tb\\nc\\rd\\be\\ff\""},
      {std::string("\0\x1F\x7F", 3), "\"\\u0000\\u001F\\u007F\""},
      {"# not a comment", "\"# not a comment\""},
      {"Ігри — Mirefall", "\"Ігри — Mirefall\""},
      {"bad \xFF byte", "\"bad \xEF\xBF\xBD byte\""},      // not UTF-8: U+FFFD
      {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},            // overlong form
      {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // encoded surrogate
      {"\xE2\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},            // cut-off sequence
  };
  for (const Case& c : cases) EXPECT_EQ(QuoteTomlString(c.value), c.quoted) << PrintToString(c.value);
}

TEST(QuoteTomlString, ReadingBackGivesTheSameText) {
  const std::string values[] = {
      "",
      "\\",
      "\\\\server\\share\\",
      "C:\\temp\\new\\u0041",
      "\"\"",
      "''x''",
      "#\"#'#\\#",
      " padded ",
      "\\\"",
      std::string("nul\0inside", 10),
      "Мій ПК\\Ігри",
      "\xF0\x9F\x8E\xAE",
  };
  for (const std::string& value : values)
    EXPECT_EQ(ParseTomlValue(QuoteTomlString(value)), value) << PrintToString(value);
}

TEST(IsTomlBareValue, AcceptsTomlBooleansAndNumbersOnly) {
  const char* bare[] = {"true", "false", "0", "-1", "+7", "8689", "1_000", "0x1F", "0o17", "0b101",
                        "1.0", "-0.5", "0.003", "1e3", "1E-3", "2.5e+10", "6.02_2e2_3", "inf", "-nan", "+inf"};
  const char* notBare[] = {"", "True", "yes", "01", "1.", ".5", "1e", "e3", "1__0", "_1", "1_", "0x", "+0x1",
                           "1.0.0", "-", "+", ".", "1 ", " 1", "1,5", "inf.0", "nan.0", "\"1\"", "1#", "0b2"};
  for (const char* text : bare) EXPECT_TRUE(IsTomlBareValue(text)) << text;
  for (const char* text : notBare) EXPECT_FALSE(IsTomlBareValue(text)) << text;
}

// A TOML parser must refuse an integer it cannot hold, so the writer quotes such a value.
TEST(IsTomlBareValue, IntegersMustFitInSixtyFourSignedBits) {
  const char* bare[] = {"9223372036854775807", "-9223372036854775808", "+9_223_372_036_854_775_807",
                        "0x7FFFFFFFFFFFFFFF", "0x0000000000000000000001", "0o777777777777777777777"};
  const char* notBare[] = {"9223372036854775808", "-9223372036854775809", "99999999999999999999",
                           "0x8000000000000000", "0xFFFFFFFFFFFFFFFF", "0o1000000000000000000000"};
  for (const char* text : bare) EXPECT_TRUE(IsTomlBareValue(text)) << text;
  for (const char* text : notBare) EXPECT_FALSE(IsTomlBareValue(text)) << text;
}

}  // namespace
}  // namespace mf::settings
