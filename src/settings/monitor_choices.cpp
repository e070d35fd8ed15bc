#include "settings/monitor_choices.h"

#include <algorithm>

namespace mf::settings {
namespace {

std::string_view ShortDeviceName(std::string_view deviceName) {
  size_t lastBackslash = deviceName.rfind('\\');
  return lastBackslash == std::string_view::npos ? deviceName : deviceName.substr(lastBackslash + 1);
}

std::string MonitorLabel(size_t position, const MonitorRecord& monitor) {
  std::string label = std::to_string(position) + ": ";
  label += ShortDeviceName(monitor.deviceName);
  label += "  " + std::to_string(monitor.width) + "x" + std::to_string(monitor.height);
  if (monitor.primary) label += "  (primary)";
  return label;
}

}  // namespace

ChoiceList BuildMonitorChoices(std::string_view currentValue, const std::vector<MonitorRecord>& monitors) {
  std::vector<MonitorRecord> ordered = monitors;
  std::stable_partition(ordered.begin(), ordered.end(), [](const MonitorRecord& m) { return m.primary; });

  ChoiceList choices = {{"0", "Default (primary)"}};
  for (size_t i = 0; i < ordered.size(); ++i)
    choices.push_back({std::to_string(i + 1), MonitorLabel(i + 1, ordered[i])});

  // A display that was unplugged keeps its stored number, so saving unchanged keeps it too.
  bool listed = std::any_of(choices.begin(), choices.end(),
                            [&](const SettingChoice& choice) { return choice.value == currentValue; });
  if (!currentValue.empty() && !listed)
    choices.push_back({std::string(currentValue), std::string(currentValue) + ": (not connected)"});
  return choices;
}

}  // namespace mf::settings
