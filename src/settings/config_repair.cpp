#include "settings/config_repair.h"

#include <unordered_set>

#include "settings/file_io.h"
#include "settings/setting_value_format.h"
#include "settings/settings_schema.h"
#include "settings/text_lines.h"
#include "settings/toml_statements.h"

namespace mf::settings {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool HasDuplicateKey(const std::vector<TomlStatement>& statements) {
  std::unordered_set<std::string> keys;
  for (const TomlStatement& statement : statements)
    if (statement.kind == TomlStatementKind::KeyValue && !keys.insert(KeyInTable(statement)).second) return true;
  return false;
}

// The statements a deduplicated file is rebuilt from: table headers and every key once in
// its table, at its first occurrence. Comments, blank and malformed lines go, and so does a
// key whose value is never closed: in the rebuilt file it could swallow the lines after it.
std::vector<const TomlStatement*> KeptStatements(const std::vector<TomlStatement>& statements) {
  std::vector<const TomlStatement*> kept;
  std::unordered_set<std::string> written;
  for (const TomlStatement& statement : statements) {
    bool keep = statement.kind == TomlStatementKind::Header ||
                (statement.kind == TomlStatementKind::KeyValue && !statement.unclosed &&
                 written.insert(KeyInTable(statement)).second);
    if (keep) kept.push_back(&statement);
  }
  return kept;
}

std::string DeduplicatedText(const std::vector<const TomlStatement*>& kept) {
  std::string text = "# Auto-deduplicated by MFLauncher";
  text += kLineEnd;
  for (const TomlStatement* statement : kept) {
    text += statement->text;
    text += kLineEnd;
  }
  return text;
}

// "key = value" lines for the game keys the top level lacks, or empty when it lacks none.
std::string SeededDefaults(const std::vector<const TomlStatement*>& statements, const std::vector<SettingDef>& schema) {
  std::unordered_set<std::string_view> presentKeys;
  for (const TomlStatement* statement : statements)
    if (IsTopLevelKey(*statement)) presentKeys.insert(statement->key);

  std::string seeded;
  for (const SettingDef& row : schema) {
    if (IsLauncherOnlyKey(row.key) || presentKeys.count(row.key)) continue;
    seeded += row.key + " = " + FormatValueForSeed(row);
    seeded += kLineEnd;
  }
  return seeded;
}

// Where the first table header starts, or the end of the text when there is none: the
// top-level keys, which the game reads as its settings, all stand before it.
size_t TopLevelEnd(std::string_view text) {
  std::string_view withoutBom = StripUtf8Bom(text);
  size_t bomLength = text.size() - withoutBom.size();
  for (const TomlStatement& statement : ScanTomlStatements(withoutBom))
    if (statement.kind == TomlStatementKind::Header) return bomLength + statement.offset;
  return text.size();
}

}  // namespace

std::optional<std::string> RepairConfigText(std::string_view text, const std::vector<SettingDef>& schema) {
  if (StartsWithUtf16Bom(text)) return std::nullopt;  // not UTF-8: not the launcher's to change
  std::string_view withoutBom = StripUtf8Bom(text);
  std::vector<TomlStatement> statements = ScanTomlStatements(withoutBom);
  bool deduplicate = HasDuplicateKey(statements);
  std::vector<const TomlStatement*> kept;
  if (deduplicate) {
    kept = KeptStatements(statements);
  } else {
    for (const TomlStatement& statement : statements) kept.push_back(&statement);
  }
  std::string seeded = SeededDefaults(kept, schema);
  if (!deduplicate && seeded.empty()) return std::nullopt;

  std::string repaired = deduplicate ? DeduplicatedText(kept) : std::string(text);
  if (seeded.empty()) return repaired;

  // The seeded keys go at the end of the top level. When a table follows, they go before its
  // header, with a blank line between; otherwise they are appended to the file as it
  // stands, the first line end closing its last line (or leaving a blank line when that line
  // was already closed).
  size_t insertAt = TopLevelEnd(repaired);
  std::string block;
  block += kLineEnd;
  block += "# Auto-tuned defaults (seeded by launcher — self-heals F4 SaveConfig wipes)";
  block += kLineEnd;
  block += seeded;
  if (insertAt < repaired.size()) block += kLineEnd;
  repaired.insert(insertAt, block);
  return repaired;
}

void RepairConfigFile(const std::filesystem::path& path) {
  if (SettingsSchema().empty()) BuildSettingsSchema();
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return;
  if (std::optional<std::string> repaired = RepairConfigText(*text, SettingsSchema()))
    WriteFileAtomically(path, *repaired);
}

}  // namespace mf::settings
