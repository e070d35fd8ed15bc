#include "settings/toml_syntax.h"

#include "settings/toml_text.h"

namespace mf::settings {
namespace {

constexpr int kMaxNesting = 64;  // deeper arrays are not a settings file; refuse rather than recurse

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

bool IsBareKeyCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

// Characters of booleans, numbers, dates and times.
bool IsScalarCharacter(char c) { return IsBareKeyCharacter(c) || c == '+' || c == '.' || c == ':'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A date (1979-05-27), a time (07:32:00) or both: loosely, a digit first and a '-' or ':'
// among digits. The game has no date settings; this only has to end such a value where TOML
// ends it.
bool LooksLikeDateOrTime(std::string_view text) {
  return !text.empty() && IsDigit(text.front()) && text.find_first_of("-:") != std::string_view::npos;
}

// A multi-line string: the opening delimiter is at text[0..3). TOML lets up to two quotes
// stand just before the closing delimiter, so a run of three to five closes it (a longer
// run, which TOML refuses, is taken to close it too: only the end of the text leaves a
// multi-line string open).
std::optional<size_t> MeasureMultiLineString(std::string_view text, char quote) {
  for (size_t i = 3; i < text.size();) {
    if (quote == '"' && text[i] == '\\') {
      i += 2;
      continue;
    }
    if (text[i] != quote) {
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < text.size() && text[i + run] == quote) ++run;
    if (run >= 3) return i + run;
    i += run;
  }
  return std::nullopt;
}

std::optional<size_t> MeasureOneLineString(std::string_view text, char quote) {
  for (size_t i = 1; i < text.size(); ++i) {
    char c = text[i];
    if (IsLineEnd(c)) return std::nullopt;
    if (c == quote) return i + 1;
    if (quote == '"' && c == '\\') {
      if (i + 1 == text.size() || IsLineEnd(text[i + 1])) return std::nullopt;
      ++i;
    }
  }
  return std::nullopt;
}

class ValueScanner {
 public:
  explicit ValueScanner(std::string_view text) : text_(text) {}

  TomlValueScan Scan() {
    bool complete = Value();
    // Stopped at the end of the text with the value still open (not on a bad number there).
    bool ranOut = !complete && AtEnd() && !badScalar_;
    return {complete ? std::optional<size_t>(at_) : std::nullopt, at_, ranOut};
  }

 private:
  bool AtEnd() const { return at_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[at_]; }

  void SkipBlanks() {
    while (!AtEnd() && kTomlBlanks.find(text_[at_]) != std::string_view::npos) ++at_;
  }

  // Between array elements: blanks, line ends and comments.
  void SkipArrayFiller() {
    for (;;) {
      SkipBlanks();
      if (Peek() == '#') {
        while (!AtEnd() && !IsLineEnd(text_[at_])) ++at_;
      } else if (!AtEnd() && IsLineEnd(text_[at_])) {
        ++at_;
      } else {
        return;
      }
    }
  }

  bool Value() {
    char c = Peek();
    if (c == '"' || c == '\'') {
      std::optional<size_t> length = MeasureTomlString(text_.substr(at_));
      if (!length) {
        if (text_.compare(at_, 3, std::string(3, c)) == 0) at_ = text_.size();  // searched to the end
        return false;
      }
      at_ += *length;
      return true;
    }
    if (c == '[') return Nested(&ValueScanner::ArrayBody);
    if (c == '{') return Nested(&ValueScanner::InlineTableBody);
    return Scalar();
  }

  bool Nested(bool (ValueScanner::*body)()) {
    if (depth_ == kMaxNesting) return false;
    ++depth_;
    ++at_;  // the opening bracket
    bool complete = (this->*body)();
    --depth_;
    return complete;
  }

  bool ArrayBody() {
    SkipArrayFiller();
    for (;;) {
      if (Peek() == ']') break;
      if (!Value()) return false;
      SkipArrayFiller();
      if (Peek() == ',') {
        ++at_;
        SkipArrayFiller();
      } else if (Peek() != ']') {
        return false;
      }
    }
    ++at_;
    return true;
  }

  // TOML 1.0: pairs on one line (values inside may still span lines), no trailing comma.
  bool InlineTableBody() {
    SkipBlanks();
    if (Peek() == '}') {
      ++at_;
      return true;
    }
    for (;;) {
      std::optional<TomlKey> key = ScanTomlKey(text_.substr(at_));
      if (!key) return false;
      at_ += key->length;
      SkipBlanks();
      if (Peek() != '=') return false;
      ++at_;
      SkipBlanks();
      if (!Value()) return false;
      SkipBlanks();
      if (Peek() == '}') {
        ++at_;
        return true;
      }
      if (Peek() != ',') return false;
      ++at_;
      SkipBlanks();
    }
  }

  bool Scalar() {
    size_t start = at_;
    while (!AtEnd() && IsScalarCharacter(text_[at_])) ++at_;
    std::string_view scalar = text_.substr(start, at_ - start);
    // "1979-05-27 07:32:00": a date and a time may be joined by one space.
    if (LooksLikeDateOrTime(scalar) && Peek() == ' ' && at_ + 1 < text_.size() && IsDigit(text_[at_ + 1])) {
      ++at_;
      while (!AtEnd() && IsScalarCharacter(text_[at_])) ++at_;
    }
    if (IsTomlBareValue(scalar) || LooksLikeDateOrTime(scalar)) return true;
    badScalar_ = !scalar.empty();
    return false;
  }

  std::string_view text_;
  size_t at_ = 0;
  int depth_ = 0;
  bool badScalar_ = false;
};

// One part of a dotted key, appended to name in its single spelling.
std::optional<size_t> ScanKeyPart(std::string_view text, std::string& name) {
  if (text.empty()) return std::nullopt;
  if (text.front() == '"' || text.front() == '\'') {
    if (text.substr(0, 3) == "\"\"\"" || text.substr(0, 3) == "'''") return std::nullopt;  // not a key
    std::optional<size_t> length = MeasureTomlString(text);
    if (!length) return std::nullopt;
    std::string part = DecodeTomlString(text.substr(0, *length));
    bool bare = !part.empty();
    for (char c : part) bare = bare && IsBareKeyCharacter(c);
    if (bare) {
      name += part;
    } else {
      name += '"';
      for (char c : part) {
        if (c == '"' || c == '\\') name += '\\';
        name += c;
      }
      name += '"';
    }
    return length;
  }
  size_t length = 0;
  while (length < text.size() && IsBareKeyCharacter(text[length])) ++length;
  if (length == 0) return std::nullopt;
  name.append(text.substr(0, length));
  return length;
}

size_t SkipBlanksFrom(std::string_view text, size_t at) {
  while (at < text.size() && kTomlBlanks.find(text[at]) != std::string_view::npos) ++at;
  return at;
}

}  // namespace

std::optional<size_t> MeasureTomlString(std::string_view text) {
  if (text.empty() || (text.front() != '"' && text.front() != '\'')) return std::nullopt;
  char quote = text.front();
  if (text.size() >= 3 && text[1] == quote && text[2] == quote) return MeasureMultiLineString(text, quote);
  return MeasureOneLineString(text, quote);
}

TomlValueScan ScanTomlValue(std::string_view text) { return ValueScanner(text).Scan(); }

std::optional<size_t> MeasureTomlValue(std::string_view text) { return ScanTomlValue(text).length; }

std::optional<TomlKey> ScanTomlKey(std::string_view text) {
  TomlKey key;
  size_t at = 0;
  for (;;) {
    std::optional<size_t> part = ScanKeyPart(text.substr(at), key.name);
    if (!part) return std::nullopt;
    at += *part;
    key.length = at;
    size_t next = SkipBlanksFrom(text, at);
    if (next == text.size() || text[next] != '.') return key;
    key.name += '.';
    at = SkipBlanksFrom(text, next + 1);
  }
}

}  // namespace mf::settings
