#pragma once
// Reads a PowerShell single-quoted string literal the way PowerShell's tokenizer does, for
// tests that check what a generated script means. Shared by the unit and the Wine tests.
#include <optional>
#include <string>
#include <string_view>

namespace mf::share::testing {

// The length of the quote character at text[at] (', or the UTF-8 typographic ‘ ’ ‚ ‛ that
// PowerShell takes as single quotes too), or 0.
inline size_t PowerShellQuoteAt(std::string_view text, size_t at) {
  if (at < text.size() && text[at] == '\'') return 1;
  if (at + 2 < text.size() && text.substr(at, 2) == "\xE2\x80") {
    unsigned char last = static_cast<unsigned char>(text[at + 2]);
    if (last >= 0x98 && last <= 0x9B) return 3;
  }
  return 0;
}

// The value of the literal that opens at text[0]; end is set past its closing quote. Two
// quote characters in a row stand for one; a lone one closes the literal. Nothing when
// text does not start with a quote or the literal never closes.
inline std::optional<std::string> ParsePowerShellSingleQuoted(std::string_view text, size_t& end) {
  size_t at = PowerShellQuoteAt(text, 0);
  if (at == 0) return std::nullopt;
  std::string value;
  while (at < text.size()) {
    size_t quote = PowerShellQuoteAt(text, at);
    if (quote == 0) {
      value += text[at++];
      continue;
    }
    size_t next = PowerShellQuoteAt(text, at + quote);
    if (next == 0) {
      end = at + quote;
      return value;
    }
    value += text.substr(at + quote, next);  // the second of the pair is the one kept
    at += quote + next;
  }
  return std::nullopt;
}

}  // namespace mf::share::testing
