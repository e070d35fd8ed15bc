#include "settings/utf16_to_utf8.h"

namespace mf::settings {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The character that starts at text[at] and how many units it takes; an unpaired surrogate
// is one unit standing for U+FFFD.
char32_t CharacterAt(std::u16string_view text, size_t at, size_t& units) {
  char16_t first = text[at];
  units = 1;
  if (IsHighSurrogate(first) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
    units = 2;
    return 0x10000 + ((static_cast<char32_t>(first) - 0xD800) << 10) + (static_cast<char32_t>(text[at + 1]) - 0xDC00);
  }
  if (IsHighSurrogate(first) || IsLowSurrogate(first)) return kReplacementCharacter;
  return first;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0, units = 0; at < text.size(); at += units) AppendUtf8(out, CharacterAt(text, at, units));
  return out;
}

bool IsWellFormedUtf16(std::u16string_view text) {
  for (size_t at = 0, units = 0; at < text.size(); at += units)
    if (CharacterAt(text, at, units) == kReplacementCharacter && text[at] != kReplacementCharacter) return false;
  return true;
}

}  // namespace mf::settings
