#include <gtest/gtest.h>

#include "dialog/setting_readback.h"
#include "i18n/translate.h"

namespace mf::dialog {
namespace {

using settings::SettingDef;
using settings::SettingKind;

TEST(SettingReadback, CheckBoxes) {
  EXPECT_TRUE(IsTickedValue("true"));
  EXPECT_TRUE(IsTickedValue("1"));
  EXPECT_FALSE(IsTickedValue("True"));
  EXPECT_FALSE(IsTickedValue("yes"));
  EXPECT_FALSE(IsTickedValue("11"));
  EXPECT_EQ(CheckBoxValue(true), "true");
  EXPECT_EQ(CheckBoxValue(false), "false");
}

struct NumberCase {
  const char* typed;
  SettingKind kind;
  const char* saved;  // nullptr: not a number
};

class SaveableNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(SaveableNumber, IsWhatTheGameCanRead) {
  const NumberCase& c = GetParam();
  std::optional<std::string> saved = SaveableNumberText(c.typed, c.kind);
  if (c.saved) {
    ASSERT_TRUE(saved) << c.typed;
    EXPECT_EQ(*saved, c.saved);
  } else {
    EXPECT_FALSE(saved) << c.typed << " -> " << saved.value_or("");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveableNumber,
    testing::Values(NumberCase{"12", SettingKind::Int, "12"}, NumberCase{" -3 ", SettingKind::Int, "-3"},
                    NumberCase{"+4", SettingKind::Int, "+4"}, NumberCase{"007", SettingKind::Int, "7"},
                    NumberCase{"0", SettingKind::Int, "0"}, NumberCase{"40000", SettingKind::Int, "40000"},
                    NumberCase{"1.5", SettingKind::Int, nullptr}, NumberCase{"12abc", SettingKind::Int, nullptr},
                    NumberCase{"", SettingKind::Int, nullptr}, NumberCase{"-", SettingKind::Int, nullptr},
                    NumberCase{"99999999999999999999", SettingKind::Int, nullptr},
                    NumberCase{"0.25", SettingKind::Float, "0.25"}, NumberCase{"7,5", SettingKind::Float, "7.5"},
                    NumberCase{".5", SettingKind::Float, "0.5"}, NumberCase{"-.5", SettingKind::Float, "-0.5"},
                    NumberCase{"5.", SettingKind::Float, "5.0"}, NumberCase{"3", SettingKind::Float, "3"},
                    NumberCase{"1e-3", SettingKind::Float, "1e-3"}, NumberCase{"2.5E+2", SettingKind::Float, "2.5E+2"},
                    NumberCase{"00.5", SettingKind::Float, "0.5"}, NumberCase{"fast", SettingKind::Float, nullptr},
                    NumberCase{".", SettingKind::Float, nullptr}, NumberCase{"1e", SettingKind::Float, nullptr},
                    NumberCase{"inf", SettingKind::Float, nullptr}, NumberCase{"nan", SettingKind::Float, nullptr},
                    NumberCase{"1,000.5", SettingKind::Float, nullptr}, NumberCase{"0x10", SettingKind::Float, nullptr},
                    NumberCase{"1 2", SettingKind::Float, nullptr}));

SettingDef Row(SettingKind kind, const char* value) {
  SettingDef row;
  row.key = "k";
  row.label = "Mouse Sensitivity";
  row.kind = kind;
  row.value = value;
  row.min = 0.05;
  row.max = 5;
  return row;
}

TEST(SettingReadback, TextRowsTakeTheTextExactly) {
  EditReadBack result = ReadBackEditText(Row(SettingKind::Text, "W"), "  Shift+Left ");
  EXPECT_EQ(result.value, "  Shift+Left ");
  EXPECT_FALSE(result.rejected);
}

TEST(SettingReadback, NumberRowsKeepTheirValueForANonNumber) {
  EditReadBack result = ReadBackEditText(Row(SettingKind::Float, "1.0"), "fast");
  EXPECT_EQ(result.value, "1.0");
  EXPECT_TRUE(result.rejected);
  EXPECT_EQ(ReadBackEditText(Row(SettingKind::Float, "1.0"), "9").value, "9") << "out of range is saved as typed";
}

// The file may hold something odd in a number row; if the player leaves it alone, it stays
// and nobody is told about a field they never touched.
TEST(SettingReadback, UntouchedOddValueStaysQuietly) {
  EditReadBack result = ReadBackEditText(Row(SettingKind::Int, "auto"), "auto");
  EXPECT_EQ(result.value, "auto");
  EXPECT_FALSE(result.rejected);
}

TEST(SettingReadback, MessageNamesTheFieldsInTheInterfaceLanguage) {
  std::string english = RejectedFieldsMessage({{"Mouse Sensitivity", "fast"}, {"Log Files To Keep", "many"}});
  EXPECT_EQ(english,
            "These fields do not hold a number and kept their previous values:\n\n"
            "Mouse Sensitivity: \"fast\"\nLog Files To Keep: \"many\"");
  i18n::SetUiLanguage(i18n::UiLanguage::Ukrainian);
  std::string ukrainian = RejectedFieldsMessage({{"Mouse Sensitivity", "fast"}});
  i18n::SetUiLanguage(i18n::UiLanguage::English);
  EXPECT_NE(ukrainian.find("Ці поля не містять числа, тому для них залишено попередні значення:\n\nЧутливість миші: «fast»"),
            std::string::npos)
      << ukrainian;
}

}  // namespace
}  // namespace mf::dialog
