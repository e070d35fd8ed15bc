#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "i18n/translate.h"
#include "i18n/translation_table.h"

namespace mf::i18n {
namespace {

// Restores English after every test, whatever the test switched to.
class TranslationTest : public ::testing::Test {
 protected:
  void TearDown() override { SetUiLanguage(UiLanguage::English); }
};

// --- Rows whose wording is fixed -------------------------------------------------------

struct FixedRow {
  std::string_view english;
  std::string_view ukrainian;
};

constexpr FixedRow kFixedRows[] = {
    {"PLAY", "ГРАТИ"},
    {"Update available: ", "Доступне оновлення: "},
    {" — click to install", " — натисніть, щоб встановити"},
    {"Yes", "Так"},
    {"No", "Ні"},
    {"Settings", "Налаштування"},
    {"Exit", "Вихід"},
    {"D-Pad: Select Option   A: Confirm", "D-Pad: Вибір   A: Підтвердити"},
    {"Off", "Вимк."},
    {"Auto", "Авто"},
    {"English", "Англійська"},
    {"Ukrainian", "Українська"},
};

class FixedRowTest : public TranslationTest, public ::testing::WithParamInterface<FixedRow> {};

TEST_P(FixedRowTest, TranslatesExactly) {
  const FixedRow& row = GetParam();
  const std::string* found = FindUkrainian(row.english);
  ASSERT_NE(found, nullptr) << row.english;
  EXPECT_EQ(*found, row.ukrainian);

  SetUiLanguage(UiLanguage::Ukrainian);
  EXPECT_EQ(Translate(row.english), row.ukrainian);
  SetUiLanguage(UiLanguage::English);
  EXPECT_EQ(Translate(row.english), row.english);
}

INSTANTIATE_TEST_SUITE_P(TellingRows, FixedRowTest, ::testing::ValuesIn(kFixedRows));

// --- Shape of the table ------------------------------------------------------------------

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    size_t length;
    std::uint32_t cp;
    if (byte < 0x80) {
      ++i;
      continue;
    } else if ((byte & 0xE0) == 0xC0) {
      length = 2, cp = byte & 0x1F;
    } else if ((byte & 0xF0) == 0xE0) {
      length = 3, cp = byte & 0x0F;
    } else if ((byte & 0xF8) == 0xF0) {
      length = 4, cp = byte & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3F);
    }
    const std::uint32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < shortest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

size_t CountOf(std::string_view text, char c) { return static_cast<size_t>(std::count(text.begin(), text.end(), c)); }

std::string_view LeadingBlank(std::string_view text) {
  return text.substr(0, std::min(text.size(), text.find_first_not_of(" \n")));
}

std::string_view TrailingBlank(std::string_view text) {
  size_t last = text.find_last_not_of(" \n");
  return last == std::string_view::npos ? text : text.substr(last + 1);
}

// printf-style conversions ("%llu", "%d", ...) in order of appearance.
std::vector<std::string> FormatSpecifiers(std::string_view text) {
  std::vector<std::string> specifiers;
  for (size_t i = text.find('%'); i != std::string_view::npos; i = text.find('%', i + 1)) {
    size_t end = text.find_first_of("diouxXeEfgGcsp%", i + 1);
    if (end == std::string_view::npos) break;
    specifiers.emplace_back(text.substr(i, end - i + 1));
    i = end;
  }
  return specifiers;
}

bool HasCyrillic(std::string_view text) {
  // Cyrillic letters U+0400..U+04FF are encoded with a lead byte 0xD0..0xD3.
  return std::any_of(text.begin(), text.end(), [](char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte >= 0xD0 && byte <= 0xD3;
  });
}

TEST_F(TranslationTest, TableIsNotEmpty) { EXPECT_GE(TranslationPairs().size(), 190u); }

TEST_F(TranslationTest, NoEnglishKeyAppearsTwice) {
  std::set<std::string_view> seen;
  for (const TranslationPair& pair : TranslationPairs())
    EXPECT_TRUE(seen.insert(pair.english).second) << "repeated key: \"" << pair.english << "\"";
}

TEST_F(TranslationTest, EveryRowIsWellFormed) {
  for (const TranslationPair& pair : TranslationPairs()) {
    SCOPED_TRACE(std::string(pair.english));
    EXPECT_FALSE(pair.english.empty());
    EXPECT_FALSE(pair.ukrainian.empty());
    EXPECT_TRUE(IsValidUtf8(pair.english));
    EXPECT_TRUE(IsValidUtf8(pair.ukrainian));
    EXPECT_EQ(CountOf(pair.ukrainian, '\n'), CountOf(pair.english, '\n')) << "line breaks";
    EXPECT_EQ(CountOf(pair.ukrainian, '\r'), CountOf(pair.english, '\r'));
    EXPECT_EQ(LeadingBlank(pair.ukrainian), LeadingBlank(pair.english)) << "leading spaces";
    EXPECT_EQ(TrailingBlank(pair.ukrainian), TrailingBlank(pair.english)) << "trailing spaces";
    EXPECT_EQ(FormatSpecifiers(pair.ukrainian), FormatSpecifiers(pair.english)) << "placeholders";
    EXPECT_EQ(pair.ukrainian.find('\t'), std::string_view::npos);
  }
}

// Only names and numbers read the same in both languages; every other row is translated.
TEST_F(TranslationTest, EveryRowButNamesIsTranslated) {
  const std::set<std::string_view> kSameInBothLanguages = {
      "1x", "2x", "4x", "8x", "16x", "VSync", "Mirefall Recompilation", "Mirefall"};
  // Only the dash differs: Ukrainian sets a spaced em dash where English makes do with a hyphen.
  const std::set<std::string_view> kOnlyTypography = {"3x - 3840x2160", "4x - 5120x2880"};
  // Quotation marks around a typed text: Ukrainian uses «…».
  const std::map<std::string_view, std::string_view> kQuotationMarks = {{": \"", ": «"}, {"\"", "»"}};
  for (const TranslationPair& pair : TranslationPairs()) {
    if (auto quote = kQuotationMarks.find(pair.english); quote != kQuotationMarks.end()) {
      EXPECT_EQ(pair.ukrainian, quote->second);
    } else if (kOnlyTypography.count(pair.english)) {
      std::string dashed(pair.english);
      dashed.replace(dashed.find(" - "), 3, " \u2014 ");
      EXPECT_EQ(pair.ukrainian, dashed);
    } else if (kSameInBothLanguages.count(pair.english)) {
      EXPECT_EQ(pair.ukrainian, pair.english);
    } else {
      EXPECT_TRUE(HasCyrillic(pair.ukrainian)) << "untranslated: \"" << pair.english << "\"";
    }
  }
}

// Ukrainian typography: a spaced em dash for a dash, a real ellipsis, a real arrow, and a
// no-break space between a number and its unit, so "МБ" never starts a line alone.
TEST_F(TranslationTest, UkrainianTypography) {
  for (const TranslationPair& pair : TranslationPairs()) {
    SCOPED_TRACE(std::string(pair.english));
    EXPECT_EQ(pair.ukrainian.find(" - "), std::string_view::npos) << "a hyphen used as a dash";
    EXPECT_EQ(pair.ukrainian.find("..."), std::string_view::npos) << "three dots for an ellipsis";
    EXPECT_EQ(pair.ukrainian.find("->"), std::string_view::npos) << "an arrow drawn with a hyphen";
    for (size_t at = pair.ukrainian.find("МБ"); at != std::string_view::npos; at = pair.ukrainian.find("МБ", at + 1)) {
      // "(МБ)" or ", МБ" after a label names a unit; after a number the space is a no-break one.
      if (at > 0 && pair.ukrainian[at - 1] == '(') continue;
      if (at > 1 && pair.ukrainian.substr(at - 2, 2) == ", ") continue;
      EXPECT_EQ(pair.ukrainian.substr(at - 2, 2), "\u00A0") << "no no-break space before МБ";
    }
  }
  EXPECT_EQ(*FindUkrainian("Update — preparing installer..."), "Оновлення — підготовка інсталятора\u2026");
}

// Rows whose first wording misled or read unnaturally.
TEST_F(TranslationTest, RevisedWordings) {
  const std::pair<std::string_view, std::string_view> kRows[] = {
      {"Feedback (constant resistance)", "Опір (постійний)"},
      {"Controller Layout", "Схема керування"},
      {"Render Target Path", "Режим рендер-цілей"},
      {"Right Trigger (aim)", "Правий тригер (прицілювання)"},
      {"Auto (follow the Windows output device)", "Авто (за пристроєм виведення Windows)"},
      {"Log Files To Keep", "Скільки файлів журналу зберігати"},
      {"Launcher language changed. Restart to apply.",
       "Мову лаунчера змінено. Перезапустіть лаунчер, щоб застосувати зміни."},
      {"Experimental", "Експериментальне"},
      {"Native Renderer (test)", "Нативний рендер (тестовий)"},
      {"  (primary)", "  (основний)"},
      {": (not connected)", ": (не підключено)"},
      {"1x — 1280x720 internal", "1x — 1280x720 (внутрішня)"},
      {"2x — 2560x1440 internal (recommended)", "2x — 2560x1440 (внутрішня, рекомендовано)"},
      {"4x — 5120x2880 internal (slowest)", "4x — 5120x2880 (внутрішня, найповільніше)"},
      {"Off (fixes black screen / tinted quarter frame)", "Вимк. (усуває чорний екран / кольорову чверть кадру)"},
      {"Please play with it and tell us how it goes: your impressions, your FPS and your hardware "
       "(graphics card and processor), in the project's GitHub issues",
       "Будь ласка, випробуйте його й напишіть про свої враження, FPS і конфігурацію (відеокарту та процесор) у "
       "розділі Issues проєкту на GitHub"},
      {"Controller Mappings (SDL)", "Відповідності кнопок (SDL)"},
      {"Input Backend", "Бекенд введення"},
      {"Output Dithering", "Дизеринг на виході"},
      {"Texture Cache Soft Limit (MB)", "Кеш текстур: м’який ліміт (МБ)"},
      {"Texture Cache Hard Limit (MB)", "Кеш текстур: жорсткий ліміт (МБ)"},
      {"Preserve Aspect (Letterbox)", "Зберігати пропорції (чорні смуги)"},
      {"Default (primary)", "Основний"},
      {"RTV (compatibility)", "RTV (для сумісності)"},
      {"Stick Scale (units per pixel)", "Масштаб стіка (од. на піксель)"},
      {"These fields do not hold a number and kept their previous values:",
       "Ці поля не містять числа, тому для них залишено попередні значення:"},
      {"MFLauncher — Save error", "MFLauncher — помилка збереження"},
      {"Failed to launch mirefall.exe.\nMake sure it exists next to PlayMirefall.exe.",
       "Не вдалося запустити mirefall.exe.\nПереконайтеся, що цей файл є в тій самій теці, що й PlayMirefall.exe."},
      {"French (Francais)", "Французька (Français)"},
      {"Spanish (Espanol)", "Іспанська (Español)"},
      // Controller layouts name what each button does, not who does it.
      {"Original (RT aims, A fires, LT holds breath)",
       "Оригінальна (RT — прицілювання, A — постріл, LT — затримати дихання)"},
      {"Quenlor (LT aims, RT fires, A holds breath)", "Quenlor (LT — прицілювання, RT — постріл, A — затримати дихання)"},
      {"D3D12 Debug Layer (slow)", "Шар налагодження D3D12 (повільно)"},
      {"Memexport Readback (keep on)", "Зчитування Memexport (не вимикати)"},
      {"Aim: per-axis mouse floor", "Прицілювання: поріг для кожної осі"},
  };
  for (const auto& [english, ukrainian] : kRows) {
    const std::string* found = FindUkrainian(english);
    ASSERT_NE(found, nullptr) << english;
    EXPECT_EQ(*found, ukrainian);
  }
  // Every row of the mouse camera hook starts alike, so they read as one group.
  for (std::string_view english : {"Mouse Camera Hook (direct)", "Camera Hook Sensitivity", "Camera Hook Invert Y",
                                   "Camera Hook: Direct Yaw", "Camera Hook: Catch-up"})
    EXPECT_EQ(FindUkrainian(english)->rfind("Хук камери: ", 0), 0u) << english;
}

TEST_F(TranslationTest, EveryRowIsFoundByItsExactKey) {
  for (const TranslationPair& pair : TranslationPairs()) {
    const std::string* found = FindUkrainian(pair.english);
    ASSERT_NE(found, nullptr) << pair.english;
    EXPECT_EQ(*found, pair.ukrainian);
  }
}

TEST_F(TranslationTest, BackslashAndLineBreakKeysAreExact) {
  // Written with escapes in the code: the key holds one backslash and real line breaks.
  ASSERT_NE(FindUkrainian("Texture Dump (textures\\dump)"), nullptr);
  EXPECT_EQ(FindUkrainian("Texture Dump (textures\\\\dump)"), nullptr);
  ASSERT_NE(FindUkrainian("Failed to write settings to:\n"), nullptr);
  EXPECT_EQ(FindUkrainian("Failed to write settings to:\\n"), nullptr);
}

// --- Lookup rules ------------------------------------------------------------------------

TEST_F(TranslationTest, EnglishModeReturnsEveryTextUnchanged) {
  SetUiLanguage(UiLanguage::English);
  for (const TranslationPair& pair : TranslationPairs()) EXPECT_EQ(Translate(pair.english), pair.english);
  EXPECT_EQ(Translate("Not a table text"), "Not a table text");
  EXPECT_EQ(Translate(""), "");
}

class NearMissTest : public TranslationTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(NearMissTest, IsShownInEnglishInUkrainianMode) {
  SetUiLanguage(UiLanguage::Ukrainian);
  EXPECT_EQ(Translate(GetParam()), GetParam());
  EXPECT_EQ(FindUkrainian(GetParam()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(CaseAndSpaces, NearMissTest,
                         ::testing::Values("play", "Play", "PLAY ", " PLAY", "settings", "Settings ",
                                           "Update available:", "Update available:  ", "— click to install",
                                           "OFF", "off", "Off ", "auto", "YES", "english",
                                           "Launcher language changed. Restart to apply. ",
                                           "D-Pad: Select Option A: Confirm", "Save & Close", ""));

TEST_F(TranslationTest, UkrainianModeTranslatesTableTexts) {
  SetUiLanguage(UiLanguage::Ukrainian);
  EXPECT_EQ(CurrentUiLanguage(), UiLanguage::Ukrainian);
  for (const TranslationPair& pair : TranslationPairs()) EXPECT_EQ(Translate(pair.english), pair.ukrainian);
}

TEST_F(TranslationTest, TextBuiltFromFragmentsKeepsTheInsertedPart) {
  SetUiLanguage(UiLanguage::Ukrainian);
  std::string banner = Translate("Update available: ") + "v2.0.12" + Translate(" — click to install");
  EXPECT_EQ(banner, "Доступне оновлення: v2.0.12 — натисніть, щоб встановити");
}

}  // namespace
}  // namespace mf::i18n
