#pragma once
// The update helper's phase times (see helper_timings.h), measured only when
// MF_UPDATE_TIMINGS names a file; the helper appends them there when it ends. Without it a
// phase switch costs one test.
#include "update/helper_timings.h"

namespace mf::update {

// Reads MF_UPDATE_TIMINGS; from now on time goes to HelperPhase::Other.
void StartHelperTimings();
// Appends the phase times and a blank line to the file; nothing when none was asked for.
void WriteHelperTimings();

// Time spent in this scope goes to the phase; the phase it interrupted resumes after it.
class TimedPhase {
 public:
  explicit TimedPhase(HelperPhase phase);
  ~TimedPhase();
  TimedPhase(const TimedPhase&) = delete;
  TimedPhase& operator=(const TimedPhase&) = delete;

 private:
  HelperPhase resume_;
};

}  // namespace mf::update
