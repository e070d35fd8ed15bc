#pragma once
// The fixed English-to-Ukrainian table, compiled into the program.
#include <span>
#include <string_view>

namespace mf::i18n {

struct TranslationPair {
  std::string_view english;    // the exact English text the code displays (UTF-8)
  std::string_view ukrainian;  // its Ukrainian rendering (UTF-8)
};

std::span<const TranslationPair> TranslationPairs();

}  // namespace mf::i18n
