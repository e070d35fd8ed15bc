// Times how long programs take from process start to their first complete frame, and how
// much memory each holds once its window is idle.
//   startup_probe RUNS PROGRAM CLASS REGIONS CLEAN [PROGRAM CLASS REGIONS CLEAN]...
// REGIONS is "x,y,w,h;x,y,w,h..." in client pixels of the program's window. CLEAN is a
// wildcard of files in the program's folder deleted before each start (files the program
// has to make again, such as an overlay it draws), or "-". Each program is
// first started once and left until its picture has settled: in every region the probe
// picks the pixel that differs most from the region's top-left pixel (a letter of a label
// rather than the button around it, say), notes its settled colour, and reads the idle
// memory. Then the program is started RUNS times; a start counts as shown once all picked
// pixels hold their settled colours, so a window shown empty or half drawn is not counted.
// Prints each program's median, min and max, its idle memory, and the ratio of every
// program's median to the last program's (the baseline).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Region {
  int x, y, width, height;
};

struct Pixel {
  int x, y;
  COLORREF colour;
};

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

HWND FindProgramWindow(DWORD processId, const wchar_t* className) {
  Search search = {processId, className, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::vector<Region> ParseRegions(const wchar_t* text) {
  std::vector<Region> regions;
  for (const wchar_t* at = text; *at;) {
    Region region = {};
    wchar_t* end = nullptr;
    int* fields[] = {&region.x, &region.y, &region.width, &region.height};
    for (int* field : fields) {
      *field = static_cast<int>(wcstol(at, &end, 10));
      at = *end == L',' ? end + 1 : end;
    }
    if (region.width > 0 && region.height > 0) regions.push_back(region);
    if (*at == L';') ++at;
    else if (*at) break;
  }
  return regions;
}

int Distance(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
         std::abs(GetBValue(a) - GetBValue(b));
}

// In each region, the pixel that differs most from the region's top-left pixel.
std::vector<Pixel> PickPixels(HWND window, const std::vector<Region>& regions) {
  std::vector<Pixel> picked;
  HDC dc = GetDC(window);
  for (const Region& region : regions) {
    COLORREF corner = GetPixel(dc, region.x, region.y);
    Pixel best = {region.x, region.y, corner};
    int bestDistance = -1;
    for (int y = region.y; y < region.y + region.height; ++y)
      for (int x = region.x; x < region.x + region.width; ++x) {
        COLORREF colour = GetPixel(dc, x, y);
        if (Distance(colour, corner) > bestDistance) {
          bestDistance = Distance(colour, corner);
          best = {x, y, colour};
        }
      }
    picked.push_back(best);
  }
  ReleaseDC(window, dc);
  return picked;
}

bool ShowsPixels(HWND window, const std::vector<Pixel>& pixels) {
  HDC dc = GetDC(window);
  if (!dc) return false;
  bool all = true;
  for (const Pixel& pixel : pixels) all = all && GetPixel(dc, pixel.x, pixel.y) == pixel.colour;
  ReleaseDC(window, dc);
  return all;
}

class StartedProgram {
 public:
  explicit StartedProgram(const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    std::wstring folder = std::filesystem::path(program).parent_path().wstring();
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    QueryPerformanceCounter(&started_);
    ok_ = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                         &startup, &process_) != FALSE;
  }
  ~StartedProgram() {
    if (!ok_) return;
    if (HWND window = FindProgramWindow(process_.dwProcessId, className_)) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  bool ok() const { return ok_; }
  HANDLE process() const { return process_.hProcess; }
  double ElapsedSeconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return Seconds(started_, now);
  }
  // The program's visible window of the class, waiting up to a minute for it.
  HWND WaitForWindow(const wchar_t* className) {
    className_ = className;
    for (;;) {
      if (HWND window = FindProgramWindow(process_.dwProcessId, className)) return window;
      if (ElapsedSeconds() > 60) return nullptr;
      Sleep(1);
    }
  }

 private:
  PROCESS_INFORMATION process_ = {};
  LARGE_INTEGER started_ = {};
  const wchar_t* className_ = L"";
  bool ok_ = false;
};

struct Calibration {
  std::vector<Pixel> pixels;
  PROCESS_MEMORY_COUNTERS_EX memory = {};
};

// Starts the program and waits for a picture that stays the same for a second.
bool Calibrate(const std::wstring& program, const wchar_t* className, const std::vector<Region>& regions,
               Calibration& result) {
  StartedProgram started(program);
  HWND window = started.ok() ? started.WaitForWindow(className) : nullptr;
  if (!window) return false;
  std::vector<Pixel> previous;
  for (int stableReads = 0; stableReads < 5 && started.ElapsedSeconds() < 60;) {
    Sleep(200);
    std::vector<Pixel> now = PickPixels(window, regions);
    bool same = now.size() == previous.size() &&
                std::equal(now.begin(), now.end(), previous.begin(), [](const Pixel& a, const Pixel& b) {
                  return a.x == b.x && a.y == b.y && a.colour == b.colour;
                });
    stableReads = same ? stableReads + 1 : 0;
    previous = std::move(now);
  }
  result.pixels = previous;
  result.memory.cb = sizeof result.memory;
  GetProcessMemoryInfo(started.process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&result.memory),
                       sizeof result.memory);
  return true;
}

// Milliseconds to the first complete frame, or a negative number when none came within 60 s.
double TimeOneStart(const std::wstring& program, const wchar_t* className, const std::vector<Pixel>& pixels) {
  StartedProgram started(program);
  if (!started.ok()) return -1;
  HWND window = started.WaitForWindow(className);
  if (!window) return -1;
  for (;;) {
    if (ShowsPixels(window, pixels)) return started.ElapsedSeconds() * 1000.0;
    if (started.ElapsedSeconds() > 60) return -1;
    Sleep(1);
  }
}

void DeleteFiles(const std::wstring& program, const std::wstring& wildcard) {
  if (wildcard == L"-") return;
  std::filesystem::path pattern = std::filesystem::path(program).parent_path() / wildcard;
  WIN32_FIND_DATAW found = {};
  HANDLE find = FindFirstFileW(pattern.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    DeleteFileW((pattern.parent_path() / found.cFileName).c_str());
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

double Megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 6 || (argc - 2) % 4 != 0) {
    std::fwprintf(stderr, L"usage: startup_probe RUNS PROGRAM CLASS REGIONS CLEAN [PROGRAM CLASS REGIONS CLEAN]...\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  struct Program {
    std::wstring path, name;
    const wchar_t* className;
    std::wstring clean;
    Calibration calibration;
    std::vector<double> times;
  };
  std::vector<Program> programs;
  for (int i = 2; i + 3 < argc; i += 4) {
    std::filesystem::path path = argv[i];
    std::wstring name = (path.parent_path().filename() / path.filename()).generic_wstring();
    Program program{path.wstring(), name, argv[i + 1], argv[i + 3], {}, {}};
    DeleteFiles(program.path, program.clean);
    std::vector<Region> regions = ParseRegions(argv[i + 2]);
    if (regions.empty() || !Calibrate(program.path, program.className, regions, program.calibration)) {
      std::fwprintf(stderr, L"%ls showed no window of class %ls\n", program.name.c_str(), program.className);
      return 1;
    }
    for (const Pixel& pixel : program.calibration.pixels)
      std::wprintf(L"%-36ls frame pixel (%d,%d) = #%02X%02X%02X\n", program.name.c_str(), pixel.x, pixel.y,
                   GetRValue(pixel.colour), GetGValue(pixel.colour), GetBValue(pixel.colour));
    programs.push_back(std::move(program));
  }
  // Taking turns spreads whatever else the machine is doing evenly over the programs.
  for (int run = 0; run < runs; ++run)
    for (Program& program : programs) {
      DeleteFiles(program.path, program.clean);
      double ms = TimeOneStart(program.path, program.className, program.calibration.pixels);
      if (ms < 0) {
        std::fwprintf(stderr, L"%ls never showed its settled picture\n", program.name.c_str());
        return 1;
      }
      program.times.push_back(ms);
    }
  std::vector<double> medians;
  for (Program& program : programs) {
    std::sort(program.times.begin(), program.times.end());
    medians.push_back(program.times[program.times.size() / 2]);
    std::wprintf(L"%-36ls first frame median %7.1f ms  (min %.1f, max %.1f, %d runs)\n", program.name.c_str(),
                 medians.back(), program.times.front(), program.times.back(), runs);
    std::wprintf(L"%-36ls idle memory: working set %.1f MB, private %.1f MB\n", program.name.c_str(),
                 Megabytes(program.calibration.memory.WorkingSetSize),
                 Megabytes(program.calibration.memory.PagefileUsage));
  }
  for (size_t i = 0; i + 1 < programs.size(); ++i)
    std::wprintf(L"ratio %ls / %ls: %.2f\n", programs[i].name.c_str(), programs.back().name.c_str(),
                 medians[i] / medians.back());
  std::fflush(stdout);
  return 0;
}
