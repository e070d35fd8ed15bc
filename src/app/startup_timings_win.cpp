#include "app/startup_timings_win.h"

#include <cstdio>

#include "ui/win_handles_win.h"

namespace mf::app {
namespace {

double MillisecondsBetween(FILETIME from, FILETIME to) {
  ULARGE_INTEGER a = {{from.dwLowDateTime, from.dwHighDateTime}}, b = {{to.dwLowDateTime, to.dwHighDateTime}};
  return static_cast<double>(static_cast<LONGLONG>(b.QuadPart - a.QuadPart)) / 10000.0;  // 100 ns units
}

}  // namespace

StartupTimings::StartupTimings() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = ::GetEnvironmentVariableW(L"MF_STARTUP_TIMINGS", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  FILETIME exited, kernel, user;
  if (!::GetProcessTimes(::GetCurrentProcess(), &processCreated_, &exited, &kernel, &user)) return;
  path_ = path;
  steps_.reserve(32);
  Note("process entry");
}

void StartupTimings::Note(const char* step) {
  FILETIME now;
  ::GetSystemTimePreciseAsFileTime(&now);
  steps_.emplace_back(step, now);
}

void StartupTimings::Write() const {
  if (path_.empty()) return;
  std::string text;
  char line[128];
  for (const auto& [step, at] : steps_) {
    std::snprintf(line, sizeof line, "%s\t%.2f\n", step, MillisecondsBetween(processCreated_, at));
    text += line;
  }
  text += '\n';
  win::UniqueFileHandle file(::CreateFileW(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file) ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace mf::app
