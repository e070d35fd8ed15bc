#pragma once
// Where the update helper's time goes, for tools/bench-update.sh: each moment belongs to
// exactly one phase, and a phase entered inside another (a flush inside a copy) pauses the
// outer one, so the phases add up to the whole run.
#include <array>
#include <cstddef>
#include <string>

namespace mf::update {

enum class HelperPhase : std::size_t {
  ProcessStart,   // from the process's creation to the helper's first step (loading the exe)
  Other,          // logging, decisions
  Wait,           // for the old launcher to exit
  Extract,        // unpacking the zip into staging
  Backup,         // copying the player's files
  SaveOriginal,   // keeping a replaced file's original for roll-back
  IntoPlace,      // writing new files beside their targets and renaming them in
  Flush,          // waiting for data to reach the disk
  Journal,        // appending to the roll-back journal
  Undo,           // putting files back
  CleanUp,        // removing staging, the zip and the roll-back folder
  Relaunch,       // starting the launcher
  Count
};

class HelperPhaseTimes {
 public:
  // From `nowMs` on, time goes to `phase`; returns the phase that was running, for the
  // caller to switch back to when it is done.
  HelperPhase Switch(HelperPhase phase, double nowMs);
  // Time measured elsewhere (before the clock started), added to a phase.
  void Add(HelperPhase phase, double milliseconds) { totals_[static_cast<std::size_t>(phase)] += milliseconds; }
  double Milliseconds(HelperPhase phase) const { return totals_[static_cast<std::size_t>(phase)]; }
  // "phase<TAB>milliseconds" lines in the enum's order, the running phase counted up to nowMs.
  std::string Report(double nowMs) const;

 private:
  HelperPhase current_ = HelperPhase::Other;
  double since_ = 0;
  std::array<double, static_cast<std::size_t>(HelperPhase::Count)> totals_ = {};
};

const char* HelperPhaseName(HelperPhase phase);

}  // namespace mf::update
