#include "update/helper_wait.h"

namespace mf::update {

LauncherStartStep NextLauncherStartStep(const HelperWatch& watch) {
  if (watch.relaunchedByHelper) return LauncherStartStep::Start;
  if (watch.closedByPlayer) return LauncherStartStep::Quit;
  // Another helper, or a launcher putting an unfinished update back, may have taken the
  // mutex the moment this one let go: that work is waited for too.
  if (watch.helperAtWork) return LauncherStartStep::Wait;
  if (watch.waited && watch.relaunchRunning) return LauncherStartStep::Quit;
  return LauncherStartStep::Start;
}

}  // namespace mf::update
