#pragma once
// What a launcher does when the player starts it while an update helper may be changing
// the installation. The rule, so that a player never ends up with no launcher and never
// with two:
//  - The launcher the helper itself starts at the end (its "relaunch", new build or the
//    previous one put back) never waits: the helper still holds its mutex while it starts
//    that launcher, and only lets go once the start has happened.
//  - Any other launcher that finds the helper at work waits, showing "Installing update…",
//    and touches nothing meanwhile.
//  - When the helper lets go (done, failed, or ended by force), the waiting launcher looks
//    whether the helper's relaunch is running at that moment. If it is, the relaunch is the
//    one that stays and the waiting launcher quits without a word. If it is not (the helper
//    was ended before it started anyone, or the relaunch has already gone), the waiting
//    launcher starts normally, and puts back a half-installed update first as every start
//    does.
//  - The player may close the waiting window at any time: that launcher quits.
// A launcher that did not have to wait starts normally even while a relaunch runs: two
// launchers the player opened by hand are the player's choice, as they are without updates.

namespace mf::update {

struct HelperWatch {
  bool relaunchedByHelper = false;  // this launcher is the helper's relaunch
  bool helperAtWork = false;        // the helper's mutex is held by someone else
  bool waited = false;              // this launcher has waited for the helper
  bool relaunchRunning = false;     // the launcher the helper started is running
  bool closedByPlayer = false;      // the player closed the waiting window
};

enum class LauncherStartStep {
  Start,  // go on with the normal start-up
  Wait,   // show the waiting window until the helper lets go (or the player closes it)
  Quit,   // end this launcher, showing nothing more
};

LauncherStartStep NextLauncherStartStep(const HelperWatch& watch);

}  // namespace mf::update
