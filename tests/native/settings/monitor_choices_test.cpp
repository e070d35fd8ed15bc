#include "settings/monitor_choices.h"

#include <gtest/gtest.h>

#include "settings_test_support.h"

namespace mf::settings {
namespace {

const MonitorRecord kSidePanel = {false, 1920, 1080, "\\\\.\\DISPLAY1"};
const MonitorRecord kMainScreen = {true, 2560, 1440, "\\\\.\\DISPLAY2"};
const MonitorRecord kTelevision = {false, 3840, 2160, "\\\\.\\DISPLAY3"};

TEST(BuildMonitorChoices, PrimaryFirstThenEnumerationOrder) {
  struct Case {
    const char* name;
    std::string currentValue;
    std::vector<MonitorRecord> monitors;
    ChoiceList expected;
  } cases[] = {
      {"no display reported", "0", {}, {{"0", "Default (primary)"}}},
      {"second display is primary",
       "0",
       {kSidePanel, kMainScreen, kTelevision},
       {{"0", "Default (primary)"},
        {"1", "1: DISPLAY2  2560x1440  (primary)"},
        {"2", "2: DISPLAY1  1920x1080"},
        {"3", "3: DISPLAY3  3840x2160"}}},
      {"stored display unplugged",
       "3",
       {kSidePanel, kMainScreen},
       {{"0", "Default (primary)"},
        {"1", "1: DISPLAY2  2560x1440  (primary)"},
        {"2", "2: DISPLAY1  1920x1080"},
        {"3", "3: (not connected)"}}},
      {"empty stored value adds nothing", "", {kMainScreen}, {{"0", "Default (primary)"},
                                                              {"1", "1: DISPLAY2  2560x1440  (primary)"}}},
      {"odd stored text is kept", "x#1", {}, {{"0", "Default (primary)"}, {"x#1", "x#1: (not connected)"}}},
      {"name without a backslash",
       "1",
       {{true, 800, 600, "Мій екран"}},
       {{"0", "Default (primary)"}, {"1", "1: Мій екран  800x600  (primary)"}}},
      {"name ending in a backslash", "0", {{false, 1, 2, "a\\"}}, {{"0", "Default (primary)"}, {"1", "1:   1x2"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(BuildMonitorChoices(c.currentValue, c.monitors), c.expected) << c.name;
}

}  // namespace
}  // namespace mf::settings
