#include "wine_test_support.h"

#include <gdiplus.h>

#include <algorithm>
#include <fstream>
#include <thread>

#include "ui/dark_dialog_win.h"

namespace mf::test {

// Made on the main thread before any test starts a thread of its own: the common controls'
// start-up also starts the display driver. Under Wine, a thread that starts the driver
// while another loads a library can deadlock with it, and the tests show dialogs on
// threads of their own while the main thread looks for their windows.
const bool kCommonControlsLoaded = (ui::LoadCommonControls(), true);

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
}

std::filesystem::path BuildOutputFolder() {
  std::wstring path(32768, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return std::filesystem::path(path).parent_path();
}

std::string Utf8(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TempGameFolder::TempGameFolder(const std::wstring& nameHint) {
  static int counter = 0;
  std::filesystem::path base = std::filesystem::temp_directory_path();
  path_ = base / (nameHint + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempGameFolder::~TempGameFolder() {
  std::error_code ignored;
  // A program started from here may still be letting go of its files.
  WaitUntil(
      [&] {
        std::filesystem::remove_all(path_, ignored);
        return !ignored;
      },
      5s);
}

void TempGameFolder::AddProgram(const std::wstring& builtName, const std::wstring& nameHere) {
  std::filesystem::copy_file(BuildOutputFolder() / builtName, path_ / nameHere,
                             std::filesystem::copy_options::overwrite_existing);
}

void TempGameFolder::WriteFile(const std::filesystem::path& relative, const std::string& bytes) {
  std::filesystem::create_directories((path_ / relative).parent_path());
  std::ofstream(path_ / relative, std::ios::binary | std::ios::trunc) << bytes;
}

void TempGameFolder::WriteSizedFile(const std::filesystem::path& relative, std::uint64_t size) {
  std::filesystem::create_directories((path_ / relative).parent_path());
  std::ofstream(path_ / relative, std::ios::binary | std::ios::trunc).close();
  std::filesystem::resize_file(path_ / relative, size);
}

std::optional<std::string> TempGameFolder::ReadFile(const std::filesystem::path& relative) const {
  std::ifstream in(path_ / relative, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

ScopedEnvironment::ScopedEnvironment(const std::wstring& name, const std::wstring& value) : name_(name) {
  wchar_t buffer[32768];
  DWORD length = ::GetEnvironmentVariableW(name.c_str(), buffer, 32768);
  if (length > 0 && length < 32768) previous_ = std::wstring(buffer, length);
  ::SetEnvironmentVariableW(name.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
  ::SetEnvironmentVariableW(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

ScopedTempFolder::ScopedTempFolder(const std::filesystem::path& folder)
    : tmp_(L"TMP", folder.wstring()), temp_(L"TEMP", folder.wstring()) {}

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::wstring& arguments,
                           const std::filesystem::path& workingDirectory) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingDirectory.c_str(), &startup, &info)) {
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
}

ChildProcess::~ChildProcess() {
  if (!process_) return;
  if (running()) {
    ::TerminateProcess(process_, 99);
    ::WaitForSingleObject(process_, 10000);
  }
  ::CloseHandle(process_);
}

bool ChildProcess::Kill() const {
  // As Task Manager's "End task" or a lost battery does: no clean-up in the process.
  return process_ && ::TerminateProcess(process_, 99) && ::WaitForSingleObject(process_, 10000) == WAIT_OBJECT_0;
}

bool ChildProcess::running() const { return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) const {
  if (!process_ || ::WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  ::GetExitCodeProcess(process_, &code);
  return code;
}

std::unique_ptr<ChildProcess> StartLauncherProcess(const TempGameFolder& folder, const std::wstring& arguments) {
  return std::make_unique<ChildProcess>(folder.path() / "PlayMirefall.exe", arguments, folder.path());
}

RunningLauncher StartLauncher(const TempGameFolder& folder, const std::wstring& arguments) {
  RunningLauncher launcher;
  launcher.process = StartLauncherProcess(folder, arguments);
  if (!launcher.process->started()) return launcher;
  DWORD id = launcher.process->id();
  WaitUntil([&] {
    if ((launcher.window = FindProcessWindow(id, L"MFLauncherWindow"))) return true;
    if (HWND box = FindProcessWindow(id, L"#32770")) PressButton(box, ::GetDlgItem(box, IDNO) ? IDNO : IDOK);
    return false;
  });
  return launcher;
}

std::optional<DWORD> CloseLauncher(RunningLauncher& launcher) {
  if (launcher.window) PostKey(launcher.window, VK_ESCAPE);
  return launcher.process ? launcher.process->WaitForExit() : std::nullopt;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  ::GetWindowTextW(window, text, 1024);
  return text;
}

std::wstring WindowClass(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

HWND FindProcessWindow(DWORD processId, const std::wstring& className, const std::wstring& caption) {
  struct Search {
    DWORD processId;
    const std::wstring& className;
    const std::wstring& caption;
    HWND found = nullptr;
  } search{processId, className, caption};
  ::EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner != s.processId || !::IsWindowVisible(window) || WindowClass(window) != s.className) return TRUE;
        if (!s.caption.empty() && WindowText(window) != s.caption) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForProcessWindow(DWORD processId, const std::wstring& className, const std::wstring& caption,
                          std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindProcessWindow(processId, className, caption)) != nullptr; }, timeout);
  return found;
}

HWND WaitForBox(DWORD processId, const std::wstring& caption, std::chrono::milliseconds timeout) {
  return WaitForProcessWindow(processId, L"#32770", caption, timeout);
}

void PressButton(HWND box, int id) {
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, id)));
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(const std::wstring& name, const std::wstring& value)
    : name_(name) {
  wchar_t old[32768];
  DWORD length = ::GetEnvironmentVariableW(name.c_str(), old, 32768);
  if (length > 0 && length < 32768) old_ = std::wstring(old, length);
  ::SetEnvironmentVariableW(name.c_str(), value.c_str());
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
  ::SetEnvironmentVariableW(name_.c_str(), old_ ? old_->c_str() : nullptr);
}

PrivateTempFolder::PrivateTempFolder() = default;

std::vector<std::wstring> PrivateTempFolder::FilesStartingWith(const std::wstring& prefix) const {
  std::vector<std::wstring> names;
  for (const auto& entry : std::filesystem::directory_iterator(path())) {
    std::wstring name = entry.path().filename().wstring();
    if (name.rfind(prefix, 0) == 0) names.push_back(name);
  }
  return names;
}

std::wstring StaticTexts(HWND dialog) {
  std::wstring texts;
  ::EnumChildWindows(
      dialog,
      [](HWND child, LPARAM context) -> BOOL {
        std::wstring name = WindowClass(child);
        if (_wcsicmp(name.c_str(), L"Static") == 0) {
          auto& all = *reinterpret_cast<std::wstring*>(context);
          if (!all.empty()) all += L"\n";
          all += WindowText(child);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

void PostKey(HWND window, UINT virtualKey) {
  UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  ::PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (scanCode << 16));
  ::PostMessageW(window, WM_KEYUP, virtualKey, 1 | (scanCode << 16) | (1u << 30) | (1u << 31));
}

void PostMouseDown(HWND window, int x, int y) {
  ::PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void PostMouseUp(HWND window, int x, int y) {
  ::PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
  ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PostClick(HWND window, int x, int y) {
  PostMouseDown(window, x, y);
  PostMouseUp(window, x, y);
}

void MovePointer(int screenX, int screenY) {
  INPUT move = {};
  move.type = INPUT_MOUSE;
  move.mi.dx = screenX * 65535 / std::max(1, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = screenY * 65535 / std::max(1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &move, sizeof move);
}

int Capture::MaxBrightness(int left, int top, int right, int bottom) const {
  int brightest = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, height); ++y)
    for (int x = std::max(left, 0); x < std::min(right, width); ++x) {
      std::uint32_t p = At(x, y);
      brightest = std::max({brightest, Red(p), Green(p), Blue(p)});
    }
  return brightest;
}

int Capture::MeanBrightness(int left, int top, int right, int bottom) const {
  long long sum = 0, count = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, height); ++y)
    for (int x = std::max(left, 0); x < std::min(right, width); ++x) {
      std::uint32_t p = At(x, y);
      sum += (Red(p) + Green(p) + Blue(p)) / 3;
      ++count;
    }
  return count ? static_cast<int>(sum / count) : 0;
}

int Capture::BrightSpan(int left, int top, int right, int bottom, int threshold) const {
  int first = -1, last = -1;
  for (int x = std::max(left, 0); x < std::min(right, width); ++x)
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
      std::uint32_t p = At(x, y);
      if (std::max({Red(p), Green(p), Blue(p)}) > threshold) {
        if (first < 0) first = x;
        last = x;
        break;
      }
    }
  return first < 0 ? 0 : last - first + 1;
}

Capture DrawIntoBitmap(int width, int height, const std::function<void(HDC)>& draw) {
  Capture capture;
  if (width <= 0 || height <= 0) return capture;
  capture.width = width;
  capture.height = height;
  HDC memory = ::CreateCompatibleDC(nullptr);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  draw(memory);
  ::GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  capture.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
  for (std::uint32_t& p : capture.pixels) p &= 0x00FFFFFF;
  ::SelectObject(memory, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  return capture;
}

Capture CaptureClient(HWND window) {
  RECT client = {};
  ::GetClientRect(window, &client);
  POINT origin = {0, 0};
  ::ClientToScreen(window, &origin);
  return DrawIntoBitmap(client.right, client.bottom, [&](HDC memory) {
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
  });
}

Capture CaptureSettled(HWND window, const std::function<bool(const Capture&)>& ready,
                       std::chrono::milliseconds timeout) {
  Capture previous, latest;
  bool settled = WaitUntil(
      [&] {
        previous = std::move(latest);
        latest = CaptureClient(window);
        return latest.width > 0 && latest.width == previous.width && latest.pixels == previous.pixels &&
               (!ready || ready(latest));
      },
      timeout);
  return settled ? latest : Capture{};
}

namespace {

// Decodes with GDI+ into 32-bit pixels of the format, each masked.
Capture DecodePng(const std::filesystem::path& file, Gdiplus::PixelFormat format, std::uint32_t mask) {
  Capture image;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return image;
  {
    Gdiplus::Bitmap bitmap(file.c_str());
    if (bitmap.GetLastStatus() == Gdiplus::Ok) {
      image.width = static_cast<int>(bitmap.GetWidth());
      image.height = static_cast<int>(bitmap.GetHeight());
      Gdiplus::Rect all(0, 0, image.width, image.height);
      Gdiplus::BitmapData data = {};
      if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, format, &data) == Gdiplus::Ok) {
        image.pixels.resize(static_cast<size_t>(image.width) * image.height);
        for (int y = 0; y < image.height; ++y) {
          const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
          for (int x = 0; x < image.width; ++x) image.pixels[static_cast<size_t>(y) * image.width + x] = row[x] & mask;
        }
        bitmap.UnlockBits(&data);
      }
    }
  }
  Gdiplus::GdiplusShutdown(token);
  return image;
}

}  // namespace

Capture LoadPng(const std::filesystem::path& file) { return DecodePng(file, PixelFormat32bppRGB, 0x00FFFFFF); }

Capture LoadPngWithAlpha(const std::filesystem::path& file) {
  return DecodePng(file, PixelFormat32bppARGB, 0xFFFFFFFF);
}

std::filesystem::path ArtefactsFolder(const std::string& topic) {
  std::filesystem::path folder = BuildOutputFolder().parent_path() / "test-artefacts" / topic;
  std::filesystem::create_directories(folder);
  return folder;
}

int BannerOutlineRedness(const Capture& capture) {
  int brightestRow = -1, redness = 0;
  for (int y = kBannerTop - 2; y <= kBannerTop + 2; ++y) {
    int red = 0, green = 0;
    for (int x = 600; x < 680; ++x) {
      red += Red(capture.At(x, y));
      green += Green(capture.At(x, y));
    }
    if (red + green > brightestRow) brightestRow = red + green, redness = (red - green) / 80;
  }
  return redness;
}

std::filesystem::path SaveArtefactPng(const Capture& capture, const std::wstring& name) {
  std::filesystem::path folder = BuildOutputFolder() / "test-artefacts";
  std::filesystem::create_directories(folder);
  std::filesystem::path file = folder / (name + L".png");
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (capture.width <= 0 || Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return {};
  {
    std::vector<std::uint32_t> opaque(capture.pixels);
    for (std::uint32_t& p : opaque) p |= 0xFF000000;
    Gdiplus::Bitmap bitmap(capture.width, capture.height, capture.width * 4, PixelFormat32bppARGB,
                           reinterpret_cast<BYTE*>(opaque.data()));
    std::optional<CLSID> encoder = FindPngEncoder();
    if (!encoder || bitmap.Save(file.c_str(), &*encoder, nullptr) != Gdiplus::Ok) file.clear();
  }
  Gdiplus::GdiplusShutdown(token);
  return file;
}

}  // namespace mf::test
