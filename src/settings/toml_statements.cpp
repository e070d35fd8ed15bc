#include "settings/toml_statements.h"

#include <optional>

#include "settings/text_lines.h"
#include "settings/toml_syntax.h"

namespace mf::settings {
namespace {

size_t SkipBlanks(std::string_view text, size_t at) {
  while (at < text.size() && kTomlBlanks.find(text[at]) != std::string_view::npos) ++at;
  return at;
}

// True when text[at..] up to lineEnd is blanks and perhaps a comment.
bool OnlyCommentUntil(std::string_view text, size_t at, size_t lineEnd) {
  at = SkipBlanks(text, at);
  return at == lineEnd || text[at] == '#';
}

size_t LineEndFrom(std::string_view text, size_t at) {
  size_t end = text.find_first_of("\r\n", at);
  return end == std::string_view::npos ? text.size() : end;
}

// [key] or [[key]] with nothing after it but a comment.
bool IsValidHeader(std::string_view text, size_t at, size_t lineEnd) {
  bool arrayOfTables = text.compare(at, 2, "[[") == 0;
  at = SkipBlanks(text, at + (arrayOfTables ? 2 : 1));
  std::optional<TomlKey> key = ScanTomlKey(text.substr(at, lineEnd - at));
  if (!key) return false;
  at = SkipBlanks(text, at + key->length);
  std::string_view close = arrayOfTables ? "]]" : "]";
  if (text.compare(at, close.size(), close) != 0) return false;
  return OnlyCommentUntil(text, at + close.size(), lineEnd);
}

// Fills in a key = value statement starting at text[at]; returns where it ends, or nothing
// when the line holds no '=' to make it one.
std::optional<size_t> ScanKeyValue(std::string_view text, size_t at, size_t lineEnd, TomlStatement& statement) {
  std::optional<TomlKey> key = ScanTomlKey(text.substr(at, lineEnd - at));
  size_t equals = key ? SkipBlanks(text, at + key->length) : lineEnd;
  if (key && equals < lineEnd && text[equals] == '=') {
    statement.key = std::move(key->name);
    size_t valueAt = SkipBlanks(text, equals + 1);
    statement.valueText = text.substr(equals + 1, lineEnd - equals - 1);
    TomlValueScan value = ScanTomlValue(text.substr(valueAt));
    if (value.length) {
      // Whatever follows the value on its last line (a comment, or junk TOML would refuse)
      // belongs to the statement.
      size_t end = LineEndFrom(text, valueAt + *value.length);
      statement.valueText = text.substr(equals + 1, end - equals - 1);
      return end;
    }
    statement.unclosed = valueAt + value.reached > lineEnd || value.ranOut;
    return lineEnd;
  }
  // Not a key TOML accepts: keep what older launchers saw, the text before the first '='.
  size_t firstEquals = text.substr(0, lineEnd).find('=', at);
  if (firstEquals == std::string_view::npos) return std::nullopt;
  statement.key = std::string(Trim(text.substr(at, firstEquals - at), kLineBlanks));
  statement.valueText = text.substr(firstEquals + 1, lineEnd - firstEquals - 1);
  return lineEnd;
}

}  // namespace

std::vector<TomlStatement> ScanTomlStatements(std::string_view text) {
  std::vector<TomlStatement> statements;
  size_t table = 0;
  for (size_t start = 0; start < text.size();) {
    size_t lineEnd = LineEndFrom(text, start);
    size_t first = SkipBlanks(text, start);
    TomlStatement statement;
    size_t end = lineEnd;
    if (first == lineEnd) {
      statement.kind = TomlStatementKind::Blank;
    } else if (text[first] == '#') {
      statement.kind = TomlStatementKind::Comment;
    } else if (text[first] == '[') {
      if (IsValidHeader(text, first, lineEnd)) {
        statement.kind = TomlStatementKind::Header;
        ++table;
      }
    } else if (std::optional<size_t> keyValueEnd = ScanKeyValue(text, first, lineEnd, statement)) {
      statement.kind = TomlStatementKind::KeyValue;
      end = *keyValueEnd;
    }
    statement.text = text.substr(start, end - start);
    statement.offset = start;
    statement.table = table;
    statements.push_back(std::move(statement));

    start = end;
    if (start < text.size()) start += text.compare(start, 2, "\r\n") == 0 ? 2 : 1;
  }
  return statements;
}

std::string KeyInTable(const TomlStatement& statement) {
  return std::to_string(statement.table) + ":" + statement.key;
}

}  // namespace mf::settings
