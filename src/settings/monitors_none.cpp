#include "settings/monitor_choices.h"

namespace mf::settings {

// Builds without a desktop have no displays to offer; the list then holds only the default
// entry and, when needed, the stored value marked as not connected.
std::vector<MonitorRecord> ListAttachedMonitors() { return {}; }

}  // namespace mf::settings
