#pragma once
// What a launcher does at start-up, before anything else, about an update helper that is
// at work or that was stopped half-way (the rule is in update/helper_wait.h).
#include "ui/win_handles_win.h"

namespace mf::update {

// Whether an update helper is changing the installation right now. Such a launcher must
// not start meanwhile: it would hold files the helper is replacing.
bool UpdateHelperIsAtWork();

// The helper's mutex, for a launcher to wait on; empty when no helper made it. A wait
// that ends with WAIT_OBJECT_0 or WAIT_ABANDONED owns the mutex: release it at once.
win::UniqueKernelHandle OpenUpdateHelperMutex();

// Whether this launcher is the one the helper started when it was done. The mark is taken
// out of the environment, so that nothing this launcher starts inherits it.
bool TakeRelaunchMark();

// Whether the launcher the helper started is still running.
bool HelperRelaunchIsRunning();

// Puts the previous build back when an update was stopped before it finished (power
// loss, Task Manager, a Deck that slept). The steps go to the update log, so the
// failed-update question at start-up tells the player what happened.
void UndoInterruptedUpdate();

}  // namespace mf::update
