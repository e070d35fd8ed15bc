#include "i18n/utf8.h"

namespace mf::i18n {
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

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

size_t Utf8SequenceLength(std::string_view text, size_t pos) {
  auto byteAt = [&](size_t i) { return pos + i < text.size() ? static_cast<unsigned char>(text[pos + i]) : 0; };
  unsigned char lead = byteAt(0);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char secondMin = 0x80, secondMax = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) secondMin = 0xA0;  // no overlong forms
    if (lead == 0xED) secondMax = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) secondMin = 0x90;
    if (lead == 0xF4) secondMax = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (byteAt(1) < secondMin || byteAt(1) > secondMax) return 0;
  for (size_t i = 2; i < length; ++i)
    if (!IsContinuationByte(byteAt(i))) return 0;
  return length;
}

bool IsWellFormedUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    size_t length = Utf8SequenceLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

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

}  // namespace mf::i18n
