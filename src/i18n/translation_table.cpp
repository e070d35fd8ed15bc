#include "i18n/translation_table.h"

namespace mf::i18n {
namespace {

// English text exactly as the code displays it, then its Ukrainian rendering.
constexpr TranslationPair kPairs[] = {
    {"PLAY", "ГРАТИ"},
    {"Update available: ", "Доступне оновлення: "},
    {" — click to install", " — натисніть, щоб встановити"},
    {"Yes", "Так"},
    {"No", "Ні"},
    {"Settings", "Налаштування"},
    {"Exit", "Вихід"},
    {"D-Pad: Select Option   A: Confirm", "D-Pad: Вибір   A: Підтвердити"},
    {"Failed to launch mirefall.exe.\nMake sure it exists next to PlayMirefall.exe.",
     "Не вдалося запустити mirefall.exe.\nПереконайтеся, що він лежить поруч із PlayMirefall.exe."},
};

}  // namespace

std::span<const TranslationPair> TranslationPairs() { return kPairs; }

}  // namespace mf::i18n
