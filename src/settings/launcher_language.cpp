#include "settings/launcher_language.h"

#include "settings/config_file.h"
#include "settings/file_io.h"
#include "settings/launcher_prefs.h"
#include "settings/text_lines.h"
#include "settings/toml_statements.h"
#include "settings/toml_text.h"

namespace mf::settings {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLanguageKey = kLanguagePrefKey;

bool IsKnownLanguageCode(std::string_view code) { return code == "uk" || code == "en"; }

// The first line of launcher.lang, or nothing when the file cannot be read.
std::optional<std::string> ReadLegacyLanguageFile(const fs::path& path) {
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return std::nullopt;
  std::vector<std::string_view> lines = SplitLines(StripUtf8Bom(*text));
  return std::string(lines.empty() ? std::string_view{} : TrimRight(lines.front(), kLineBlanks));
}

}  // namespace

std::string_view LanguageCode(i18n::UiLanguage language) {
  return language == i18n::UiLanguage::Ukrainian ? "uk" : "en";
}

std::optional<std::string> FindLauncherLanguageInConfigText(std::string_view configText) {
  for (const TomlStatement& statement : ScanTomlStatements(StripUtf8Bom(configText)))
    if (IsTopLevelKey(statement) && statement.key == kLanguageKey) return ParseTomlValue(statement.valueText);
  return std::nullopt;
}

namespace {

i18n::UiLanguage LanguageOfCode(std::string_view code) {
  return code == "uk" ? i18n::UiLanguage::Ukrainian : i18n::UiLanguage::English;
}

// The code from launcher.ini (loaded into LauncherPrefs), else from mirefall.toml.
std::string LanguageFromSettingsFiles(const fs::path& executableFolder) {
  ReadLauncherPrefs(LauncherPrefsPath(executableFolder));
  const std::string* stored = FindLauncherPref(kLanguageKey);
  std::string language = stored ? *stored : std::string();
  if (language.empty()) {
    if (std::optional<std::string> configText = ReadWholeFile(ConfigFilePath(executableFolder)))
      language = FindLauncherLanguageInConfigText(*configText).value_or(std::string());
  }
  return language;
}

}  // namespace

i18n::UiLanguage PeekStartupLanguage(const fs::path& executableFolder) {
  std::string language = LanguageFromSettingsFiles(executableFolder);
  if (!IsKnownLanguageCode(language))
    language = ReadLegacyLanguageFile(executableFolder / "launcher.lang").value_or(language);
  return LanguageOfCode(language);
}

i18n::UiLanguage DecideStartupLanguage(const fs::path& executableFolder) {
  fs::path iniPath = LauncherPrefsPath(executableFolder);
  std::string language = LanguageFromSettingsFiles(executableFolder);

  if (!IsKnownLanguageCode(language)) {
    fs::path legacyPath = executableFolder / "launcher.lang";
    if (std::optional<std::string> legacy = ReadLegacyLanguageFile(legacyPath)) {
      language = *legacy;
      if (IsKnownLanguageCode(language)) {
        LauncherPrefs()[std::string(kLanguageKey)] = language;
        // Only once the choice is safe in launcher.ini may the old file go.
        std::error_code ignored;
        if (WriteLauncherPrefs(iniPath)) fs::remove(legacyPath, ignored);
      }
    }
  }
  return LanguageOfCode(language);
}

bool StoreLanguagePreference(const fs::path& executableFolder, i18n::UiLanguage language) {
  fs::path iniPath = LauncherPrefsPath(executableFolder);
  ReadLauncherPrefs(iniPath);
  LauncherPrefs()[std::string(kLanguageKey)] = std::string(LanguageCode(language));
  return WriteLauncherPrefs(iniPath);
}

}  // namespace mf::settings
