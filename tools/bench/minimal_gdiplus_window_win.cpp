// Baseline for the start-up benchmark: the least a GDI+ program does to show a 1280 x 720
// window with a painted picture and a line of text.
#include <windows.h>
#include <gdiplus.h>

namespace {

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
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);

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
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
