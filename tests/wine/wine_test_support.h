#pragma once
// Driving real Windows programs from a test: game folders to run them in, child processes,
// their windows, input posted the way typed keys and clicks arrive, and screen captures.
// Every wait polls for a condition with a generous bound instead of sleeping a fixed time.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/gdiplus_win.h"

namespace mf::test {

using namespace std::chrono_literals;
inline constexpr std::chrono::milliseconds kPatience = 30s;

// Polls until the condition holds; false when the time runs out.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = kPatience);

// The folder holding the test program, where the build also puts PlayMirefall.exe and the
// stand-in game (built as mirefall.exe).
std::filesystem::path BuildOutputFolder();

std::string Utf8(const std::filesystem::path& path);

// A fresh folder under the temporary folder, deleted with everything in it at the end.
// launcher.ini of a player who has answered the one-time start-up questions, so a start
// goes straight to what a test is about.
inline constexpr char kStartupOffersAnswered[] =
    "launcher_share_shader_cache = off\r\nlauncher_native_offer_v2 = no\r\n";

class TempGameFolder {
 public:
  explicit TempGameFolder(const std::wstring& nameHint = L"mf-test");
  ~TempGameFolder();
  TempGameFolder(const TempGameFolder&) = delete;
  TempGameFolder& operator=(const TempGameFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Copies a program from the build output folder into this folder under a name.
  void AddProgram(const std::wstring& builtName, const std::wstring& nameHere);
  void WriteFile(const std::filesystem::path& relative, const std::string& bytes);
  // A file of the given size, all zeros.
  void WriteSizedFile(const std::filesystem::path& relative, std::uint64_t size);
  std::optional<std::string> ReadFile(const std::filesystem::path& relative) const;

 private:
  std::filesystem::path path_;
};

// Sets an environment variable of this process (and so of the children it starts) for one
// scope, then puts the previous value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const std::wstring& name, const std::wstring& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::wstring name_;
  std::optional<std::wstring> previous_;
};

// Points TMP and TEMP at a folder for one scope: the updater's files (its log above all,
// which a later launcher start would ask about) then stay out of the prefix's shared
// temporary folder.
class ScopedTempFolder {
 public:
  explicit ScopedTempFolder(const std::filesystem::path& folder);

 private:
  ScopedEnvironment tmp_;
  ScopedEnvironment temp_;
};

// A child process started by the test and ended by it when the test is over.
class ChildProcess {
 public:
  ChildProcess(const std::filesystem::path& program, const std::wstring& arguments,
               const std::filesystem::path& workingDirectory);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD id() const { return id_; }
  bool running() const;
  // Ends the process at once, wherever it is; true once it has gone.
  bool Kill() const;
  // The exit code once the process has ended within the timeout.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = kPatience) const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// PlayMirefall.exe (copied into the folder beforehand) started there, with its title window.
struct RunningLauncher {
  std::unique_ptr<ChildProcess> process;
  HWND window = nullptr;  // null when no title window appeared
};
// Starts it as a player who declines every question asked before the title window (and
// acknowledges every notice), then waits for the title window.
RunningLauncher StartLauncher(const TempGameFolder& folder, const std::wstring& arguments = {});
// Only starts it: for tests that answer the start-up boxes themselves.
std::unique_ptr<ChildProcess> StartLauncherProcess(const TempGameFolder& folder, const std::wstring& arguments = {});
// Closes the launcher with Escape, as a player would; its exit code, once it has ended.
std::optional<DWORD> CloseLauncher(RunningLauncher& launcher);

// A visible top-level window of the process with this class name (and caption, if given).
HWND FindProcessWindow(DWORD processId, const std::wstring& className, const std::wstring& caption = {});
HWND WaitForProcessWindow(DWORD processId, const std::wstring& className, const std::wstring& caption = {},
                          std::chrono::milliseconds timeout = kPatience);

// A message box (or dialog) of the process, found by its caption.
HWND WaitForBox(DWORD processId, const std::wstring& caption, std::chrono::milliseconds timeout = kPatience);
// Presses a box's button (IDOK, IDYES, IDNO...) the way a click does.
void PressButton(HWND box, int id);

// Sets an environment variable of the test process, which the programs it starts inherit,
// and puts the old value back at the end of the scope.
class ScopedEnvironmentVariable {
 public:
  ScopedEnvironmentVariable(const std::wstring& name, const std::wstring& value);
  ~ScopedEnvironmentVariable();
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

 private:
  std::wstring name_;
  std::optional<std::wstring> old_;
};

// A temporary folder of its own for the programs the test starts (TMP and TEMP point into
// it), so the files they leave there can be counted.
class PrivateTempFolder {
 public:
  PrivateTempFolder();
  const std::filesystem::path& path() const { return folder_.path(); }
  // Names of the files in it that start with prefix.
  std::vector<std::wstring> FilesStartingWith(const std::wstring& prefix) const;

 private:
  TempGameFolder folder_{L"mf-temp"};
  ScopedEnvironmentVariable tmp_{L"TMP", folder_.path().wstring()};
  ScopedEnvironmentVariable temp_{L"TEMP", folder_.path().wstring()};
};

std::wstring WindowText(HWND window);
std::wstring WindowClass(HWND window);
// The texts of a dialog's static controls, joined by line breaks.
std::wstring StaticTexts(HWND dialog);

// Input as the player gives it, posted into the window's message queue.
void PostKey(HWND window, UINT virtualKey);
void PostMouseDown(HWND window, int x, int y);
void PostMouseUp(HWND window, int x, int y);
void PostClick(HWND window, int x, int y);
// Moves the real pointer to a screen position, as a hand on the mouse would.
void MovePointer(int screenX, int screenY);

// The window's client area as the screen shows it.
struct Capture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row by row from the top

  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // The brightest channel value in a rectangle (right and bottom exclusive).
  int MaxBrightness(int left, int top, int right, int bottom) const;
  int MeanBrightness(int left, int top, int right, int bottom) const;
  // The width of the span of columns holding a pixel brighter than the threshold: how wide
  // a light text drawn there is.
  int BrightSpan(int left, int top, int right, int bottom, int threshold) const;
};
// What `draw` paints into a fresh bitmap of the size.
Capture DrawIntoBitmap(int width, int height, const std::function<void(HDC)>& draw);
Capture CaptureClient(HWND window);
// The window's client area once the screen holds a whole frame in which `ready` holds: two
// captures in a row alike. A capture taken while a frame is reaching the screen can hold
// parts of two frames (under Wine, a frame's text near the top was seen missing while the
// buttons below it showed). Empty (width 0) when no such frame came in time.
Capture CaptureSettled(HWND window, const std::function<bool(const Capture&)>& ready = {},
                       std::chrono::milliseconds timeout = kPatience);

inline int Red(std::uint32_t pixel) { return (pixel >> 16) & 0xFF; }
inline int Green(std::uint32_t pixel) { return (pixel >> 8) & 0xFF; }
inline int Blue(std::uint32_t pixel) { return pixel & 0xFF; }

// Where the title window draws the update banner (client pixels).
inline constexpr int kBannerLeft = 370, kBannerTop = 36, kBannerRight = 910, kBannerBottom = 80;

// How red the banner's outline is along its top edge (the brightest row there): red while
// the banner is idle, grey while it is active, and about 0 where there is no banner.
int BannerOutlineRedness(const Capture& capture);

// Pixels of a PNG file decoded with GDI+, in the capture's layout.
Capture LoadPng(const std::filesystem::path& file);
// The same with each pixel's alpha kept: 0xAARRGGBB, not premultiplied.
Capture LoadPngWithAlpha(const std::filesystem::path& file);
inline int Alpha(std::uint32_t pixel) { return static_cast<int>(pixel >> 24); }

// The GDI+ encoder for "image/png", as the launcher finds it (GDI+ must be started).
using ui::FindPngEncoder;

// build-win/test-artefacts/<topic>, made if missing: pictures the tests keep for a person
// to look at.
std::filesystem::path ArtefactsFolder(const std::string& topic);

// Keeps a capture as a PNG in the build's test-artefacts folder (bin/test-artefacts), for a
// person to look at after the run; returns the file written.
std::filesystem::path SaveArtefactPng(const Capture& capture, const std::wstring& name);

}  // namespace mf::test
