#pragma once
// What a launcher does at start-up, before anything else, about an update helper that is
// at work or that was stopped half-way.

namespace mf::update {

// Whether an update helper is changing the installation right now. Such a launcher must
// not start: the helper starts the new launcher itself when it is done.
bool UpdateHelperIsAtWork();

// Puts the previous build back when an update was stopped before it finished (power
// loss, Task Manager, a Deck that slept). The steps go to the update log, so the
// failed-update question at start-up tells the player what happened.
void UndoInterruptedUpdate();

}  // namespace mf::update
