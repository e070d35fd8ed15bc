// Small helper for the demo script, which cannot talk to Windows windows itself:
//   window_tool wait CLASS SECONDS   waits until a visible window of the class exists and
//                                    prints its client area on the screen as WxH+X+Y
//   window_tool close CLASS          asks that window to close, as its close box would
// Exit code 0 on success, 1 when no such window turned up.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: window_tool wait CLASS SECONDS | window_tool close CLASS\n");
    return 2;
  }
  const wchar_t* className = argv[2];
  if (std::wcscmp(argv[1], L"wait") == 0) {
    DWORD deadline = GetTickCount() + 1000u * static_cast<DWORD>(argc > 3 ? _wtoi(argv[3]) : 60);
    for (;;) {
      HWND window = FindWindowW(className, nullptr);
      if (window && IsWindowVisible(window)) {
        RECT client = {};
        GetClientRect(window, &client);
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        std::wprintf(L"%ldx%ld+%ld+%ld\n", client.right, client.bottom, origin.x, origin.y);
        return 0;
      }
      if (static_cast<LONG>(GetTickCount() - deadline) >= 0) return 1;
      Sleep(50);
    }
  }
  if (std::wcscmp(argv[1], L"close") == 0) {
    HWND window = FindWindowW(className, nullptr);
    return window && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  return 2;
}
