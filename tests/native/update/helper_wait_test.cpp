#include "update/helper_wait.h"

#include <gtest/gtest.h>

namespace mf::update {
namespace {

struct Case {
  const char* situation;
  HelperWatch watch;
  LauncherStartStep expected;
};

TEST(HelperWaitTest, OneLauncherStaysWhateverTheHelperDid) {
  using Step = LauncherStartStep;
  const Case cases[] = {
      {"no helper: an ordinary start", {}, Step::Start},
      {"a relaunch still running, this one never waited: the player's own second launcher",
       {.relaunchRunning = true}, Step::Start},
      {"the helper at work", {.helperAtWork = true}, Step::Wait},
      {"the helper's own relaunch while it still holds its mutex",
       {.relaunchedByHelper = true, .helperAtWork = true}, Step::Start},
      {"helper done and its relaunch running: the relaunch stays",
       {.waited = true, .relaunchRunning = true}, Step::Quit},
      {"helper gone without starting anyone (ended by force)", {.waited = true}, Step::Start},
      {"another helper took over after the first one", {.helperAtWork = true, .waited = true}, Step::Wait},
      {"the player closed the waiting window", {.helperAtWork = true, .closedByPlayer = true}, Step::Quit},
      {"closed just as the helper finished without a relaunch",
       {.waited = true, .closedByPlayer = true}, Step::Quit},
  };
  for (const Case& c : cases) EXPECT_EQ(NextLauncherStartStep(c.watch), c.expected) << c.situation;
}

}  // namespace
}  // namespace mf::update
