#pragma once
// mirefall.toml as TOML statements rather than lines. A statement is a key = value pair (one
// whose value continues over several lines is still one statement), a [table] or
// [[array of tables]] header, a comment, a blank line, or a line that is none of these.
// Every key belongs to the table opened by the last header before it; keys before the
// first header are the top-level keys, the only ones the game reads as its settings.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mf::settings {

enum class TomlStatementKind {
  Blank,
  Comment,
  KeyValue,  // a key, '=' and a value; also a line with '=' whose key TOML would refuse
  Header,    // [table] or [[array of tables]]
  Other,     // anything else, including a '[' line that is no valid header
};

struct TomlStatement {
  TomlStatementKind kind = TomlStatementKind::Other;
  std::string_view text;       // as written, without the line end after it
  size_t offset = 0;           // of text in the scanned text
  size_t table = 0;            // 0 for top level, n for keys under the n-th header (and that header)
  std::string key;             // KeyValue: the key's single spelling (see TomlKey), or the
                               // blank-trimmed text before '=' when TOML would refuse the key
  std::string_view valueText;  // KeyValue: everything after the '='
  // KeyValue: the value goes on past its first line but is never closed, so the statement
  // is that line alone. Where it would end depends on what follows it, so a file rebuilt
  // from kept statements must not keep this one: it could swallow what comes after it.
  bool unclosed = false;
};

// The statements of text in order. Their texts and the line ends between them make up the
// whole text. A value continues onto the next lines only when TOML's grammar says so and it
// is closed in the end (the statement then ends with the line that closes it); otherwise
// its statement is the one line, as in older launchers.
std::vector<TomlStatement> ScanTomlStatements(std::string_view text);

// Whether a statement assigns a key in a table (rather than at the top level).
inline bool IsTopLevelKey(const TomlStatement& statement) {
  return statement.kind == TomlStatementKind::KeyValue && statement.table == 0;
}

// A text naming the statement's key within its table, for finding a key written twice.
std::string KeyInTable(const TomlStatement& statement);

}  // namespace mf::settings
