#pragma once
// The interface language at start-up: the launcher.ini preference, else the top-level
// launcher_language key of mirefall.toml, else the first line of the older launcher.lang,
// which is moved into launcher.ini once and deleted.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "i18n/translate.h"

namespace mf::settings {

// The launcher.ini key that holds the language code.
inline constexpr std::string_view kLanguagePrefKey = "launcher_language";

// "uk" for Ukrainian, "en" for English.
std::string_view LanguageCode(i18n::UiLanguage language);

// The value of the first top-level launcher_language key of mirefall.toml text, if any.
std::optional<std::string> FindLauncherLanguageInConfigText(std::string_view configText);

// Loads launcher.ini into LauncherPrefs and decides the language from the files in the
// executable folder: Ukrainian only when the deciding value is exactly "uk". A "uk" or "en"
// found in launcher.lang is stored in launcher.ini, and launcher.lang is then deleted.
i18n::UiLanguage DecideStartupLanguage(const std::filesystem::path& executableFolder);

// The language DecideStartupLanguage would choose, worked out without writing anything
// (launcher.lang is read but not moved): for a window shown before start-up may change
// files.
i18n::UiLanguage PeekStartupLanguage(const std::filesystem::path& executableFolder);

// Stores the language as launcher_language in launcher.ini, so after every start the file
// holds it. False when launcher.ini could not be written.
bool StoreLanguagePreference(const std::filesystem::path& executableFolder, i18n::UiLanguage language);

}  // namespace mf::settings
