// Times how long programs take from process start to a visible window.
//   startup_probe RUNS PROGRAM CLASS [PROGRAM CLASS]...
// Each program is started RUNS times in its own folder; the probe polls for a visible
// top-level window of the class owned by the new process, notes the time, closes the
// window and waits for the exit. It prints each program's median, and the ratio of every
// program's median to the last program's (the baseline).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD processId;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  if (owner == search.processId && IsWindowVisible(window) && wcscmp(name, search.className) == 0) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds to a visible window, or a negative number when none came within 60 s.
double TimeOneStart(const std::wstring& program, const wchar_t* className) {
  std::wstring commandLine = L"\"" + program + L"\"";
  std::wstring folder = std::filesystem::path(program).parent_path().wstring();
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER start, shown;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process))
    return -1;
  Search search = {process.dwProcessId, className, nullptr};
  for (;;) {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&shown);
    if (search.found || Seconds(start, shown) > 60) break;
    Sleep(1);
  }
  if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return search.found ? Seconds(start, shown) * 1000.0 : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4 || argc % 2 != 0) {
    std::fwprintf(stderr, L"usage: startup_probe RUNS PROGRAM CLASS [PROGRAM CLASS]...\n");
    return 2;
  }
  int runs = std::max(1, _wtoi(argv[1]));
  std::vector<double> medians;
  for (int i = 2; i + 1 < argc; i += 2) {
    std::vector<double> times;
    TimeOneStart(argv[i], argv[i + 1]);  // warm-up: the first start also loads the files into the cache
    for (int run = 0; run < runs; ++run) {
      double ms = TimeOneStart(argv[i], argv[i + 1]);
      if (ms < 0) {
        std::fwprintf(stderr, L"%ls showed no window of class %ls\n", argv[i], argv[i + 1]);
        return 1;
      }
      times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    double median = times[times.size() / 2];
    medians.push_back(median);
    std::wprintf(L"%-32ls median %8.1f ms  (min %.1f, max %.1f, %d runs)\n",
                 std::filesystem::path(argv[i]).filename().c_str(), median, times.front(), times.back(), runs);
  }
  for (size_t i = 0; i + 1 < medians.size(); ++i)
    std::wprintf(L"ratio %ls / baseline: %.2f\n", std::filesystem::path(argv[2 + 2 * i]).filename().c_str(),
                 medians[i] / medians.back());
  return 0;
}
