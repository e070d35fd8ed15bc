// UTF-8 checked, and names from the file system as UTF-8: every UTF-16 sequence converts,
// none throws.
#include <gtest/gtest.h>

#include "i18n/utf8.h"

namespace mf::i18n {
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

TEST(Utf8, OnlyWellFormedSequencesPass) {
  const struct {
    const char* text;
    bool wellFormed;
  } cases[] = {
      {"", true},
      {"PlayMirefall.exe", true},
      {"\xD0\x9C\xD1\x96\xD1\x80", true},       // Cyrillic
      {"\xF4\x8F\xBF\xBF", true},                 // U+10FFFF, the last code point
      {"\xC0\xAF", false},                         // '/' spelt overlong
      {"\xE0\x80\xAF", false},                     // the same in three bytes
      {"\xED\xA0\x80", false},                     // a surrogate
      {"\xF4\x90\x80\x80", false},                 // past U+10FFFF
      {"\xF5\x80\x80\x80", false},                 // a lead byte no character uses
      {"a\xD0", false},                             // cut off
      {"\x80", false},                              // a continuation byte alone
  };
  for (const auto& c : cases) EXPECT_EQ(IsWellFormedUtf8(c.text), c.wellFormed) << c.text;
}
}  // namespace
}  // namespace mf::i18n
