// Baseline for the start-up benchmark: the least a GDI+ program does to show a 1280 x 720
// window with a painted picture and a line of text. With MF_STARTUP_TIMINGS naming a file,
// it appends its own steps there as the launcher does, so the two breakdowns can be set
// side by side; otherwise it measures nothing.
#include <windows.h>
#include <gdiplus.h>

#include <cstdio>
#include <string>

namespace {

class Timings {
 public:
  Timings() {
    DWORD length = ::GetEnvironmentVariableW(L"MF_STARTUP_TIMINGS", path_, MAX_PATH);
    FILETIME exited, kernel, user;
    if (length == 0 || length >= MAX_PATH || !::GetProcessTimes(::GetCurrentProcess(), &created_, &exited, &kernel, &user))
      path_[0] = 0;
    Mark("process entry");
  }
  void Mark(const char* step) {
    if (!path_[0]) return;
    FILETIME now;
    ::GetSystemTimePreciseAsFileTime(&now);
    ULARGE_INTEGER from = {{created_.dwLowDateTime, created_.dwHighDateTime}}, to = {{now.dwLowDateTime, now.dwHighDateTime}};
    char line[96];
    std::snprintf(line, sizeof line, "%s\t%.2f\n", step, static_cast<double>(to.QuadPart - from.QuadPart) / 10000.0);
    text_ += line;
  }
  void Write() {
    if (!path_[0]) return;
    text_ += '\n';
    HANDLE file = ::CreateFileW(path_, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, text_.data(), static_cast<DWORD>(text_.size()), &written, nullptr);
    ::CloseHandle(file);
  }

 private:
  wchar_t path_[MAX_PATH] = {};
  FILETIME created_ = {};
  std::string text_;
};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      {
        Gdiplus::Graphics graphics(dc);
        Gdiplus::SolidBrush fill(Gdiplus::Color(0xFF0C0E12));
        graphics.FillRectangle(&fill, 0, 0, 1280, 720);
        Gdiplus::FontFamily family(L"Tahoma");
        Gdiplus::Font font(&family, 18.0f, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
        Gdiplus::SolidBrush text(Gdiplus::Color(0xFFE6E6E6));
        graphics.DrawString(L"PLAY", -1, &font, Gdiplus::PointF(860, 660), &text);
      }
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  Timings timings;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  timings.Mark("GDI+ start-up");

  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"MinimalGdiplusWindow";
  RegisterClassExW(&windowClass);

  DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT outer = {0, 0, 1280, 720};
  AdjustWindowRect(&outer, style, FALSE);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Minimal GDI+ window", style, CW_USEDEFAULT,
                                CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                                instance, nullptr);
  timings.Mark("window");
  ShowWindow(window, showCommand);
  timings.Mark("window shown");
  UpdateWindow(window);
  timings.Mark("first frame");
  timings.Write();

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
