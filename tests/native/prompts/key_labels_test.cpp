#include "prompts/key_labels.h"

#include <gtest/gtest.h>

namespace mf::prompts {
namespace {

std::string Printable(const std::u16string& text) {
  std::string out;
  for (char16_t unit : text)
    out += unit < 0x80 ? std::string(1, static_cast<char>(unit)) : "U+" + std::to_string(static_cast<int>(unit));
  return out;
}

TEST(KeyCapLabel, Bindings) {
  struct Case {
    const char* binding;
    std::u16string label;
  } cases[] = {
      {"E,Space+LMB", u"E"},  // only the first alternative counts
      {"Space+LMB", u"SPACE+LMB"},
      {"Shift+Left", u"SHIFT+\u2190"},
      {" shift + left ", u"SHIFT+\u2190"},
      {"WheelUp", u"WHL\u2191"},
      {"wheeldown", u"WHL\u2193"},
      {"Control", u"CTRL"},
      {"Return", u"ENTER"},
      {"Enter", u"ENTER"},
      {"lcontrol+LShift+Menu", u"CTRL+SHIFT+ALT"},
      {"Tab+Escape+Backspace+CapsLock", u"TAB+ESC+BKSP+CAPS"},
      {"Up+Down+Right", u"\u2191+\u2193+\u2192"},
      {"e", u"E"},
      {"LMB", u"LMB"},
      {"rshift", u"RSHIFT"},
      {"pagedown", u"PAGEDO"},  // cut to six bytes
      {"Ctrl+", u"CTRL"},       // the empty token after '+' adds nothing
      {"+E", u"E"},
      {"A++B", u"A+B"},
      {"F1,F2", u"F1"},
      {"\tE", u"\tE"},  // only spaces are trimmed
  };
  for (const Case& c : cases) EXPECT_EQ(Printable(KeyCapLabel(c.binding)), Printable(c.label)) << c.binding;
}

TEST(KeyCapLabel, NothingUsableIsAQuestionMark) {
  for (const char* binding : {"", ",", "+", " ", " + ", ",E", "++"})
    EXPECT_EQ(KeyCapLabel(binding), u"?") << "[" << binding << "]";
}

TEST(KeyCapLabel, NonAsciiNamesAreKeptAndCutByBytes) {
  EXPECT_EQ(KeyCapLabel("\xD0\xB6"), u"\u0436");  // Cyrillic is not upper-cased
  // Eight bytes of Cyrillic cut to six: three whole letters.
  EXPECT_EQ(KeyCapLabel("\xD0\xB6\xD0\xB6\xD0\xB6\xD0\xB6"), u"\u0436\u0436\u0436");
  // A cut through the middle of a letter leaves a replacement character.
  EXPECT_EQ(KeyCapLabel("a\xD0\xB6\xD0\xB6\xD0\xB6"), u"A\u0436\u0436\uFFFD");
  EXPECT_EQ(KeyCapLabel("\xF0\x9F\x98\x80"), u"\U0001F600");  // one code point outside the BMP
}

TEST(Utf8ToUtf16, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFD" "b");
  EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), u"\uFFFD\uFFFD");          // overlong
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // a surrogate
  EXPECT_EQ(Utf8ToUtf16("\xE2\x86"), u"\uFFFD\uFFFD");          // cut short
  EXPECT_EQ(Utf8ToUtf16("\xE2\x86\x90"), u"\u2190");
}

}  // namespace
}  // namespace mf::prompts
