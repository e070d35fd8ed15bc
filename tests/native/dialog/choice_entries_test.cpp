#include <gtest/gtest.h>

#include "dialog/choice_entries.h"
#include "i18n/translate.h"

namespace mf::dialog {
namespace {

settings::SettingDef EffectRow(const char* value) {
  settings::SettingDef row;
  row.key = "present_effect";
  row.kind = settings::SettingKind::Choice;
  row.value = value;
  row.choices = {{"bilinear", "Bilinear (off)"}, {"fsr3", "AMD FSR 3 (temporal+)"}};
  return row;
}

class ChoiceEntriesTest : public testing::Test {
 protected:
  void TearDown() override { i18n::SetUiLanguage(i18n::UiLanguage::English); }
};

TEST_F(ChoiceEntriesTest, OneEntryPerChoiceTranslated) {
  i18n::SetUiLanguage(i18n::UiLanguage::Ukrainian);
  std::vector<ChoiceEntry> entries = ChoiceEntriesFor(EffectRow("fsr3"));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].value, "bilinear");
  EXPECT_EQ(entries[0].label, "Білінійне (вимк.)");
  EXPECT_EQ(SelectedEntryFor(entries, "fsr3"), 1);
}

// A newer game's value, or one edited by hand, is shown as an entry of its own and stays
// selected, so saving without touching the row keeps it.
TEST_F(ChoiceEntriesTest, UnknownValueGetsAnEntryOfItsOwn) {
  std::vector<ChoiceEntry> entries = ChoiceEntriesFor(EffectRow("fsr4"));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[2].value, "fsr4");
  EXPECT_EQ(entries[2].label, "fsr4 (from mirefall.toml)");
  EXPECT_EQ(SelectedEntryFor(entries, "fsr4"), 2);

  i18n::SetUiLanguage(i18n::UiLanguage::Ukrainian);
  EXPECT_EQ(ChoiceEntriesFor(EffectRow("")).back().label, "(порожньо) (з mirefall.toml)");
  EXPECT_EQ(ChoiceEntriesFor(EffectRow("")).back().value, "");
}

TEST_F(ChoiceEntriesTest, LastMatchingEntryIsSelected) {
  std::vector<ChoiceEntry> entries = {{"a", "A"}, {"b", "B"}, {"a", "A again"}};
  EXPECT_EQ(SelectedEntryFor(entries, "a"), 2);
  EXPECT_EQ(SelectedEntryFor(entries, "z"), 0);
}

TEST_F(ChoiceEntriesTest, MonitorEntriesTranslateTheirEndings) {
  i18n::SetUiLanguage(i18n::UiLanguage::Ukrainian);
  EXPECT_EQ(ChoiceLabelText("1: DISPLAY1  2560x1440  (primary)"), "1: DISPLAY1  2560x1440  (основний)");
  EXPECT_EQ(ChoiceLabelText("3: (not connected)"), "3: (не підключено)");
  EXPECT_EQ(ChoiceLabelText("2: DISPLAY2  1920x1080"), "2: DISPLAY2  1920x1080");
  EXPECT_EQ(ChoiceLabelText("Default (primary)"), "Основний");
  i18n::SetUiLanguage(i18n::UiLanguage::English);
  EXPECT_EQ(ChoiceLabelText("1: DISPLAY1  2560x1440  (primary)"), "1: DISPLAY1  2560x1440  (primary)");
}

}  // namespace
}  // namespace mf::dialog
