#include "i18n/translate.h"

#include <atomic>
#include <map>

#include "i18n/translation_table.h"

namespace mf::i18n {
namespace {

std::atomic<UiLanguage> g_uiLanguage{UiLanguage::English};

using Table = std::map<std::string, std::string, std::less<>>;

// Built on first use; a function-local static is initialised exactly once even when the
// first lookup comes from a worker thread.
const Table& TranslationTable() {
  static const Table table = [] {
    Table built;
    for (const TranslationPair& pair : TranslationPairs())
      built.emplace(pair.english, pair.ukrainian);  // the first row of a key wins
    return built;
  }();
  return table;
}

}  // namespace

UiLanguage CurrentUiLanguage() { return g_uiLanguage.load(std::memory_order_relaxed); }

void SetUiLanguage(UiLanguage language) { g_uiLanguage.store(language, std::memory_order_relaxed); }

const std::string* FindUkrainian(std::string_view english) {
  const Table& table = TranslationTable();
  auto found = table.find(english);
  return found == table.end() ? nullptr : &found->second;
}

std::string Translate(std::string_view english) {
  if (CurrentUiLanguage() == UiLanguage::Ukrainian) {
    if (const std::string* ukrainian = FindUkrainian(english)) return *ukrainian;
  }
  return std::string(english);
}

}  // namespace mf::i18n
