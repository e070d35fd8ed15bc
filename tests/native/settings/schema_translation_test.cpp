// Every text the settings dialog shows from the schema reads in Ukrainian too.
#include <gtest/gtest.h>

#include "i18n/translate.h"
#include "settings/settings_schema.h"

namespace mf::settings {
namespace {

TEST(SchemaTranslation, EveryLabelChoiceAndTooltipHasUkrainian) {
  BuildSettingsSchema();
  std::vector<std::string> missing;
  auto check = [&](const std::string& english) {
    if (!english.empty() && !i18n::FindUkrainian(english)) missing.push_back(english);
  };
  for (const SettingDef& row : SettingsSchema()) {
    check(row.label);
    check(row.tooltip);
    // The monitor entries other than the first name displays and are shown as built.
    if (row.key == "monitor") {
      check(row.choices.front().label);
      continue;
    }
    for (const SettingChoice& choice : row.choices) check(choice.label);
  }
  EXPECT_TRUE(missing.empty()) << testing::PrintToString(missing);
}

}  // namespace
}  // namespace mf::settings
