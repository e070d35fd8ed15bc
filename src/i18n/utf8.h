#pragma once
// UTF-8, the program's text inside: checking it, writing characters into it, and taking
// in the UTF-16 names Windows hands out. NTFS takes any 16-bit units as a name, a lone
// surrogate among them, so that conversion accepts every sequence. Plain code, no Windows.
#include <cstddef>
#include <string>
#include <string_view>

namespace mf::i18n {

// The length of the well-formed UTF-8 sequence at text[pos], or 0 when the bytes there are
// not one: no overlong forms, no surrogates, nothing past U+10FFFF, nothing cut off.
size_t Utf8SequenceLength(std::string_view text, size_t pos);

// True when the whole text is well-formed UTF-8 (and so has a UTF-16 spelling).
bool IsWellFormedUtf8(std::string_view text);

// Appends one character, U+0000 to U+10FFFF, in UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// Every well-formed character converted; each unpaired surrogate becomes U+FFFD. Never throws
// for bad input.
std::string Utf16ToUtf8(std::u16string_view text);

// True when text holds no unpaired surrogate, so Utf16ToUtf8 keeps every character.
bool IsWellFormedUtf16(std::u16string_view text);

}  // namespace mf::i18n
