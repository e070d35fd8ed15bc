#pragma once
// UTF-16 text as UTF-8, for names Windows hands out. NTFS takes any 16-bit units as a name,
// a lone surrogate among them, so the conversion must accept every sequence.
#include <string>
#include <string_view>

namespace mf::settings {

// Every well-formed character converted; each unpaired surrogate becomes U+FFFD. Never throws
// for bad input.
std::string Utf16ToUtf8(std::u16string_view text);

// True when text holds no unpaired surrogate, so Utf16ToUtf8 keeps every character.
bool IsWellFormedUtf16(std::u16string_view text);

}  // namespace mf::settings
