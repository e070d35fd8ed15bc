#include "update/helper_timings_win.h"

#include <windows.h>

#include <string>

#include "ui/win_handles_win.h"

namespace mf::update {
namespace {

struct Timings {
  bool on = false;
  std::wstring file;
  LARGE_INTEGER start = {}, frequency = {};
  HelperPhaseTimes times;
};

// One helper run per process, on one thread.
Timings& ProcessTimings() {
  static Timings timings;
  return timings;
}

double Now(const Timings& timings) {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - timings.start.QuadPart) * 1000.0 /
         static_cast<double>(timings.frequency.QuadPart);
}

}  // namespace

void StartHelperTimings() {
  Timings& timings = ProcessTimings();
  wchar_t file[MAX_PATH] = {};
  DWORD length = ::GetEnvironmentVariableW(L"MF_UPDATE_TIMINGS", file, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  timings.file = file;
  ::QueryPerformanceFrequency(&timings.frequency);
  ::QueryPerformanceCounter(&timings.start);
  timings.on = true;
  // Loading the exe and its libraries happens before any of the helper's code runs.
  FILETIME created, exited, kernel, user, now;
  if (::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) {
    ::GetSystemTimePreciseAsFileTime(&now);
    ULARGE_INTEGER from = {{created.dwLowDateTime, created.dwHighDateTime}};
    ULARGE_INTEGER to = {{now.dwLowDateTime, now.dwHighDateTime}};
    const auto hundredsOfNanoseconds = static_cast<LONGLONG>(to.QuadPart - from.QuadPart);
    timings.times.Add(HelperPhase::ProcessStart, static_cast<double>(hundredsOfNanoseconds) / 10000.0);
  }
}

void WriteHelperTimings() {
  const Timings& timings = ProcessTimings();
  if (!timings.on) return;
  const std::string text = timings.times.Report(Now(timings)) + "\n";
  win::UniqueFileHandle file(::CreateFileW(timings.file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file) ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

TimedPhase::TimedPhase(HelperPhase phase) : resume_(phase) {
  Timings& timings = ProcessTimings();
  if (timings.on) resume_ = timings.times.Switch(phase, Now(timings));
}

TimedPhase::~TimedPhase() {
  Timings& timings = ProcessTimings();
  if (timings.on) timings.times.Switch(resume_, Now(timings));
}

}  // namespace mf::update
