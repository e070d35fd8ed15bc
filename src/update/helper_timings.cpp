#include "update/helper_timings.h"

#include <cstdio>

namespace mf::update {

HelperPhase HelperPhaseTimes::Switch(HelperPhase phase, double nowMs) {
  totals_[static_cast<std::size_t>(current_)] += nowMs - since_;
  since_ = nowMs;
  const HelperPhase previous = current_;
  current_ = phase;
  return previous;
}

std::string HelperPhaseTimes::Report(double nowMs) const {
  std::string report;
  char line[64];
  for (std::size_t index = 0; index < totals_.size(); ++index) {
    double total = totals_[index] + (index == static_cast<std::size_t>(current_) ? nowMs - since_ : 0);
    std::snprintf(line, sizeof line, "%s\t%.1f\n", HelperPhaseName(static_cast<HelperPhase>(index)), total);
    report += line;
  }
  return report;
}

const char* HelperPhaseName(HelperPhase phase) {
  switch (phase) {
    case HelperPhase::ProcessStart: return "process start";
    case HelperPhase::Other: return "other";
    case HelperPhase::Wait: return "wait for the launcher";
    case HelperPhase::Extract: return "extract";
    case HelperPhase::Backup: return "backup";
    case HelperPhase::SaveOriginal: return "originals kept";
    case HelperPhase::IntoPlace: return "into place";
    case HelperPhase::Flush: return "flush";
    case HelperPhase::Journal: return "journal";
    case HelperPhase::Undo: return "roll-back";
    case HelperPhase::CleanUp: return "clean-up";
    case HelperPhase::Relaunch: return "relaunch";
    case HelperPhase::Count: break;
  }
  return "?";
}

}  // namespace mf::update
