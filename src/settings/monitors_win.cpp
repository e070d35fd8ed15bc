#include <windows.h>

#include "settings/monitor_choices.h"
#include "i18n/utf16_win.h"

namespace mf::settings {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM records) {
  MONITORINFOEXW info = {};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoW(monitor, &info)) return TRUE;  // skip it, keep enumerating
  MonitorRecord record;
  record.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  record.width = info.rcMonitor.right - info.rcMonitor.left;
  record.height = info.rcMonitor.bottom - info.rcMonitor.top;
  record.deviceName = i18n::WideToUtf8(info.szDevice);
  reinterpret_cast<std::vector<MonitorRecord>*>(records)->push_back(std::move(record));
  return TRUE;
}

}  // namespace

std::vector<MonitorRecord> ListAttachedMonitors() {
  std::vector<MonitorRecord> records;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&records));
  return records;
}

}  // namespace mf::settings
