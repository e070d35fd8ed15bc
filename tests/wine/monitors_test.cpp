// The monitor list from the displays Windows reports: under the test display, one primary
// 1920 x 1080 screen.
#include <gtest/gtest.h>

#include "settings/monitor_choices.h"
#include "wine_test_support.h"

namespace mf::test {
namespace {

TEST(AttachedMonitors, ListsThePrimaryDisplayFirst) {
  std::vector<settings::MonitorRecord> monitors = settings::ListAttachedMonitors();
  ASSERT_FALSE(monitors.empty());
  EXPECT_TRUE(monitors.front().primary);
  EXPECT_EQ(monitors.front().width, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(monitors.front().height, ::GetSystemMetrics(SM_CYSCREEN));
  EXPECT_FALSE(monitors.front().deviceName.empty());
}

TEST(AttachedMonitors, ChoicesNameThemAndKeepAStoredAbsentOne) {
  std::vector<settings::MonitorRecord> monitors = settings::ListAttachedMonitors();
  auto choices = settings::BuildMonitorChoices("7", monitors);
  ASSERT_EQ(choices.size(), monitors.size() + 2);
  EXPECT_EQ(choices.front().label, "Default (primary)");
  EXPECT_NE(choices[1].label.find("  (primary)"), std::string::npos) << choices[1].label;
  EXPECT_EQ(choices.back().label, "7: (not connected)");
}

}  // namespace
}  // namespace mf::test
