#include "settings/toml_text.h"

#include <cstdint>

#include "i18n/utf8.h"
#include "settings/text_lines.h"
#include "settings/toml_syntax.h"

namespace mf::settings {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code point of exactly `digits` hex digits, or nothing when they are not all hex or do
// not name a Unicode scalar value.
bool ParseUnicodeEscape(std::string_view hex, size_t digits, std::uint32_t& codePoint) {
  if (hex.size() < digits) return false;
  codePoint = 0;
  for (size_t i = 0; i < digits; ++i) {
    int value = HexDigitValue(hex[i]);
    if (value < 0) return false;
    codePoint = codePoint * 16 + static_cast<std::uint32_t>(value);
  }
  return codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF);
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// The length of a line-ending backslash's run at contents[i] ('\' then blanks, a line end,
// then any blanks and line ends), or 0 when the backslash at i ends no line.
size_t LineEndingBackslashRun(std::string_view contents, size_t i) {
  size_t at = i + 1;
  while (at < contents.size() && (contents[at] == ' ' || contents[at] == '\t')) ++at;
  if (at == contents.size() || !IsLineEnd(contents[at])) return 0;
  while (at < contents.size() && (contents[at] == ' ' || contents[at] == '\t' || IsLineEnd(contents[at]))) ++at;
  return at - i;
}

// Decodes the escapes of a basic string's contents. An unknown escape keeps its backslash.
// In a multi-line string a backslash at the end of a line also joins it to the next.
std::string DecodeTomlEscapes(std::string_view contents, bool multiLine) {
  std::string decoded;
  decoded.reserve(contents.size());
  for (size_t i = 0; i < contents.size(); ++i) {
    char c = contents[i];
    if (c != '\\' || i + 1 == contents.size()) {
      decoded += c;
      continue;
    }
    if (size_t run = multiLine ? LineEndingBackslashRun(contents, i) : 0) {
      i += run - 1;
      continue;
    }
    char escape = contents[i + 1];
    std::uint32_t codePoint = 0;
    switch (escape) {
      case 'b': decoded += '\b'; ++i; break;
      case 't': decoded += '\t'; ++i; break;
      case 'n': decoded += '\n'; ++i; break;
      case 'f': decoded += '\f'; ++i; break;
      case 'r': decoded += '\r'; ++i; break;
      case '"': decoded += '"'; ++i; break;
      case '\\': decoded += '\\'; ++i; break;
      case 'u':
      case 'U': {
        size_t digits = escape == 'u' ? 4 : 8;
        if (ParseUnicodeEscape(contents.substr(i + 2), digits, codePoint)) {
          i18n::AppendUtf8(decoded, codePoint);
          i += 1 + digits;
        } else {
          decoded += c;
        }
        break;
      }
      default: decoded += c; break;  // not an escape: the backslash is part of the text
    }
  }
  return decoded;
}

// A multi-line string's contents as a TOML parser sees them: a line end right after the
// opening delimiter is not part of them, and every CR LF inside is a plain LF.
std::string MultiLineContents(std::string_view contents) {
  if (contents.substr(0, 2) == "\r\n") contents.remove_prefix(2);
  else if (!contents.empty() && IsLineEnd(contents.front())) contents.remove_prefix(1);
  std::string normalized;
  normalized.reserve(contents.size());
  for (size_t i = 0; i < contents.size(); ++i)
    if (!(contents[i] == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n')) normalized += contents[i];
  return normalized;
}

// The position of the quote that closes the basic string opening at text[0], or npos.
size_t BasicStringEnd(std::string_view text) {
  for (size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '\\') ++i;
    else if (text[i] == '"') return i;
  }
  return std::string_view::npos;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits of one kind with single underscores between them ("1_000"); true when the whole
// text is such a run.
template <typename IsDigitOfBase>
bool IsDigitRun(std::string_view text, IsDigitOfBase isDigit) {
  if (text.empty() || !isDigit(text.front()) || !isDigit(text.back())) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_') {
      if (!isDigit(text[i + 1])) return false;  // the last character is a digit, so i + 1 exists
    } else if (!isDigit(text[i])) {
      return false;
    }
  }
  return true;
}

bool IsDecimalRun(std::string_view text) { return IsDigitRun(text, IsDigit); }

// A decimal integer without sign: "0" or digits without a leading zero.
bool IsUnsignedDecimalInteger(std::string_view text) {
  return text == "0" || (!text.empty() && text.front() != '0' && IsDecimalRun(text));
}

std::string_view WithoutSign(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  return text;
}

// True when the digits (of the given base, underscores allowed) stand for at most limit.
bool FitsIn(std::string_view digits, std::uint64_t base, std::uint64_t limit) {
  std::uint64_t value = 0;
  for (char c : digits) {
    if (c == '_') continue;
    auto digit = static_cast<std::uint64_t>(HexDigitValue(c));
    if (value > (limit - digit) / base) return false;
    value = value * base + digit;
  }
  return true;
}

// TOML integers are signed 64-bit: a parser must refuse one it cannot hold.
bool IsTomlInteger(std::string_view text) {
  constexpr std::uint64_t kMax = 9223372036854775807u;
  if (text.size() > 2 && text[0] == '0') {
    std::string_view digits = text.substr(2);
    switch (text[1]) {
      case 'x': return IsDigitRun(digits, [](char c) { return HexDigitValue(c) >= 0; }) && FitsIn(digits, 16, kMax);
      case 'o': return IsDigitRun(digits, [](char c) { return c >= '0' && c <= '7'; }) && FitsIn(digits, 8, kMax);
      case 'b': return IsDigitRun(digits, [](char c) { return c == '0' || c == '1'; }) && FitsIn(digits, 2, kMax);
      default: break;
    }
  }
  std::string_view digits = WithoutSign(text);
  return IsUnsignedDecimalInteger(digits) && FitsIn(digits, 10, text.front() == '-' ? kMax + 1 : kMax);
}

bool IsTomlFloat(std::string_view text) {
  text = WithoutSign(text);
  if (text == "inf" || text == "nan") return true;
  size_t exponentAt = text.find_first_of("eE");
  std::string_view mantissa = text.substr(0, exponentAt);
  size_t pointAt = mantissa.find('.');
  if (!IsUnsignedDecimalInteger(mantissa.substr(0, pointAt))) return false;
  if (pointAt != std::string_view::npos && !IsDecimalRun(mantissa.substr(pointAt + 1))) return false;
  if (exponentAt == std::string_view::npos) return pointAt != std::string_view::npos;
  return IsDecimalRun(WithoutSign(text.substr(exponentAt + 1)));
}

}  // namespace

std::string QuoteTomlString(std::string_view value) {
  std::string quoted = "\"";
  quoted.reserve(value.size() + 2);
  for (size_t i = 0; i < value.size();) {
    unsigned char c = static_cast<unsigned char>(value[i]);
    size_t length = i18n::Utf8SequenceLength(value, i);
    if (length == 0) {
      quoted += kReplacementCharacter;
      ++i;
      continue;
    }
    if (length > 1) {
      quoted.append(value.substr(i, length));
      i += length;
      continue;
    }
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\b': quoted += "\\b"; break;
      case '\t': quoted += "\\t"; break;
      case '\n': quoted += "\\n"; break;
      case '\f': quoted += "\\f"; break;
      case '\r': quoted += "\\r"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          constexpr char kHex[] = "0123456789ABCDEF";
          quoted += "\\u00";
          quoted += kHex[c >> 4];
          quoted += kHex[c & 0xF];
        } else {
          quoted += static_cast<char>(c);
        }
    }
    ++i;
  }
  quoted += '"';
  return quoted;
}

std::string_view CutTomlComment(std::string_view valueText) {
  // Only a value that starts as a string (or an array or table of them) holds quotes that
  // matter; in a bare value such as  don't # note  the apostrophe is just a character.
  if (valueText.empty() || std::string_view("\"'[{").find(valueText.front()) == std::string_view::npos)
    return valueText.substr(0, valueText.find('#'));
  char openQuote = 0;  // the quote of the string we are in, or 0 outside strings
  for (size_t i = 0; i < valueText.size(); ++i) {
    char c = valueText[i];
    if (openQuote == 0) {
      if (c == '#') return valueText.substr(0, i);
      if (c == '"' || c == '\'') openQuote = c;
    } else if (openQuote == '"' && c == '\\') {
      ++i;  // an escaped character never ends the string
    } else if (c == openQuote) {
      openQuote = 0;
    }
  }
  return valueText;
}

std::string UnquoteTomlValue(std::string_view valueText) {
  while (valueText.size() >= 2 && (valueText.front() == '"' || valueText.front() == '\'') &&
         valueText.back() == valueText.front()) {
    size_t lastIndex = valueText.size() - 1;
    std::string_view contents = valueText.substr(1, lastIndex - 1);
    if (valueText.front() == '"' && BasicStringEnd(valueText) == lastIndex) return DecodeTomlEscapes(contents, false);
    if (valueText.front() == '\'' && valueText.find('\'', 1) == lastIndex) return std::string(contents);
    valueText = contents;
  }
  return std::string(valueText);
}

std::string DecodeTomlString(std::string_view token) {
  if (token.size() >= 6 && (token.substr(0, 3) == "\"\"\"" || token.substr(0, 3) == "'''")) {
    std::string contents = MultiLineContents(token.substr(3, token.size() - 6));
    return token.front() == '"' ? DecodeTomlEscapes(contents, true) : contents;
  }
  if (token.size() < 2) return std::string(token);
  std::string_view contents = token.substr(1, token.size() - 2);
  return token.front() == '"' ? DecodeTomlEscapes(contents, false) : std::string(contents);
}

std::string ParseTomlValue(std::string_view valueText) {
  valueText = TrimLeft(valueText, kLineBlanks);
  // A value TOML reads whole (a string of any kind, an array, a number), followed by nothing
  // but a comment, reads as TOML reads it...
  if (std::optional<size_t> length = MeasureTomlValue(valueText)) {
    std::string_view rest = TrimLeft(valueText.substr(*length), kLineBlanks);
    if (rest.empty() || rest.front() == '#') {
      std::string_view value = valueText.substr(0, *length);
      if (value.front() == '"' || value.front() == '\'') return DecodeTomlString(value);
      return std::string(value);
    }
  }
  // ...anything else as older launchers and hand edits left it: cut at the first '#' outside
  // quotes, then matching quote pairs peeled off.
  valueText = Trim(CutTomlComment(valueText), kLineBlanks);
  return UnquoteTomlValue(valueText);
}

bool IsTomlBareValue(std::string_view text) {
  return text == "true" || text == "false" || IsTomlInteger(text) || IsTomlFloat(text);
}

}  // namespace mf::settings
