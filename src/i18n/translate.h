#pragma once
// Display translation of the launcher's English UI texts.
//
// Every text the launcher shows is written in the code as its English UTF-8 literal; that
// literal is the key. In Ukrainian mode a text found in the table is replaced by its
// Ukrainian rendering, anything else is shown as written.
#include <string>
#include <string_view>

namespace mf::i18n {

enum class UiLanguage : int { English = 0, Ukrainian = 1 };

// The interface language of this process. Chosen once at start-up.
UiLanguage CurrentUiLanguage();
void SetUiLanguage(UiLanguage language);

// The Ukrainian text for an exact English key, or nullptr when the table has none.
const std::string* FindUkrainian(std::string_view english);

// The text to display for an English literal in the current language (UTF-8).
std::string Translate(std::string_view english);

}  // namespace mf::i18n
