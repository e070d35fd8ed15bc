#include "settings/config_repair.h"

#include <algorithm>
#include <unordered_set>

#include "settings/file_io.h"
#include "settings/setting_value_format.h"
#include "settings/settings_schema.h"
#include "settings/text_lines.h"

namespace mf::settings {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

struct KeyLine {
  std::string_view key;
  std::string_view line;  // the whole line as read
};

// Lines that assign a key; blank lines, comments and lines without '=' are not key lines.
std::vector<KeyLine> CollectKeyLines(std::string_view text) {
  std::vector<KeyLine> keyLines;
  for (std::string_view line : SplitLines(StripUtf8Bom(text))) {
    std::string_view rest = TrimLeft(line, kLineBlanks);
    if (rest.empty() || rest.front() == '#') continue;
    size_t equals = rest.find('=');
    if (equals == std::string_view::npos) continue;
    keyLines.push_back({TrimRight(rest.substr(0, equals), kSpaceTab), line});
  }
  return keyLines;
}

bool HasDuplicateKey(const std::vector<KeyLine>& keyLines) {
  std::vector<std::string_view> keys;
  keys.reserve(keyLines.size());
  for (const KeyLine& keyLine : keyLines) keys.push_back(keyLine.key);
  std::sort(keys.begin(), keys.end());
  return std::adjacent_find(keys.begin(), keys.end()) != keys.end();
}

// The key lines with every key kept once, at its first occurrence.
std::string DeduplicatedText(const std::vector<KeyLine>& keyLines) {
  std::string text = "# Auto-deduplicated by MFLauncher";
  text += kLineEnd;
  std::unordered_set<std::string_view> written;
  for (const KeyLine& keyLine : keyLines) {
    if (!written.insert(keyLine.key).second) continue;
    text += keyLine.line;
    text += kLineEnd;
  }
  return text;
}

// "key = value" lines for the game keys the file lacks, or empty when it lacks none.
std::string SeededDefaults(const std::vector<KeyLine>& keyLines, const std::vector<SettingDef>& schema) {
  std::unordered_set<std::string_view> presentKeys;
  for (const KeyLine& keyLine : keyLines) presentKeys.insert(keyLine.key);

  std::string seeded;
  for (const SettingDef& row : schema) {
    if (IsLauncherOnlyKey(row.key) || presentKeys.count(row.key)) continue;
    seeded += row.key + " = " + FormatValueForSeed(row);
    seeded += kLineEnd;
  }
  return seeded;
}

}  // namespace

std::optional<std::string> RepairConfigText(std::string_view text, const std::vector<SettingDef>& schema) {
  std::vector<KeyLine> keyLines = CollectKeyLines(text);
  bool deduplicate = HasDuplicateKey(keyLines);
  std::string seeded = SeededDefaults(keyLines, schema);
  if (!deduplicate && seeded.empty()) return std::nullopt;

  std::string repaired = deduplicate ? DeduplicatedText(keyLines) : std::string(text);
  if (!seeded.empty()) {
    // Appended to the file as it stands: the first line end closes its last line (or
    // leaves a blank line when that line was already closed).
    repaired += kLineEnd;
    repaired += "# Auto-tuned defaults (seeded by launcher — self-heals F4 SaveConfig wipes)";
    repaired += kLineEnd;
    repaired += seeded;
  }
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
