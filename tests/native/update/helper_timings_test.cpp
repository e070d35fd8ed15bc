#include "update/helper_timings.h"

#include <gtest/gtest.h>

namespace mf::update {
namespace {

TEST(HelperTimingsTest, NestedPhasesPauseTheOuterOneAndAllAddUp) {
  HelperPhaseTimes times;
  EXPECT_EQ(times.Switch(HelperPhase::IntoPlace, 10), HelperPhase::Other);  // 10 ms of start-up
  HelperPhase outer = times.Switch(HelperPhase::Flush, 25);                // 15 ms of copying
  EXPECT_EQ(outer, HelperPhase::IntoPlace);
  times.Switch(outer, 65);                                                  // 40 ms of flushing
  times.Switch(HelperPhase::Other, 70);                                     // 5 more of copying
  EXPECT_DOUBLE_EQ(times.Milliseconds(HelperPhase::Other), 10);
  EXPECT_DOUBLE_EQ(times.Milliseconds(HelperPhase::IntoPlace), 20);
  EXPECT_DOUBLE_EQ(times.Milliseconds(HelperPhase::Flush), 40);
  EXPECT_DOUBLE_EQ(times.Milliseconds(HelperPhase::Extract), 0);

  const std::string report = times.Report(100);  // the running phase counts up to now
  EXPECT_NE(report.find("other\t40.0\n"), std::string::npos) << report;
  EXPECT_NE(report.find("into place\t20.0\nflush\t40.0\n"), std::string::npos) << report;
  EXPECT_TRUE(report.starts_with("process start\t0.0\nother\t")) << report;
  EXPECT_TRUE(report.ends_with("relaunch\t0.0\n")) << report;
}

TEST(HelperTimingsTest, TimeFromBeforeTheClockIsAddedToItsPhase) {
  HelperPhaseTimes times;
  times.Add(HelperPhase::ProcessStart, 412.5);
  times.Switch(HelperPhase::Extract, 3);
  EXPECT_DOUBLE_EQ(times.Milliseconds(HelperPhase::ProcessStart), 412.5);
  EXPECT_NE(times.Report(10).find("process start\t412.5\nother\t3.0\n"), std::string::npos) << times.Report(10);
}

}  // namespace
}  // namespace mf::update
