#pragma once
// The choice list of the "monitor" setting, built from the displays attached right now.
// Stored value "0" means the primary display; "1".."N" is the position in the list below.
#include <string>
#include <string_view>
#include <vector>

#include "settings/setting_def.h"

namespace mf::settings {

struct MonitorRecord {
  bool primary = false;
  int width = 0;   // pixels
  int height = 0;  // pixels
  std::string deviceName;  // UTF-8, such as "\\.\DISPLAY1"
};

// The attached displays in enumeration order; none when the platform offers no display list.
std::vector<MonitorRecord> ListAttachedMonitors();

// "Default (primary)", then one entry per display with the primary ones first, then a
// "(not connected)" entry for a stored value that names a display no longer attached.
ChoiceList BuildMonitorChoices(std::string_view currentValue, const std::vector<MonitorRecord>& monitors);

}  // namespace mf::settings
