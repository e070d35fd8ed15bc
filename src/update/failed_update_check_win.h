#pragma once

namespace mf::update {

// At start-up: an update log left in the temporary folder means the last update did not
// finish. Asks (no owner window) whether to open it in Notepad - it then stays and the
// question returns at the next start - or to delete it.
void CheckPreviousUpdate();

}  // namespace mf::update
