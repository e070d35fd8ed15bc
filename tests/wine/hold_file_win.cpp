// Test tool: holds a file open without sharing, as a running program or a virus scanner
// holds a file the updater wants to replace. "hold_file PATH MILLISECONDS [read]"; a
// negative time holds it until the process is ended; "read" shares reading, as Windows
// holds a running program's file. Creates "PATH.held" once the file is held.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const bool shareReading = argc > 3 && std::wstring(argv[3]) == L"read";
  HANDLE file = CreateFileW(argv[1], shareReading ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE,
                            shareReading ? FILE_SHARE_READ : 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  std::wstring marker = std::wstring(argv[1]) + L".held";
  HANDLE held = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  int milliseconds = _wtoi(argv[2]);
  Sleep(milliseconds < 0 ? INFINITE : static_cast<DWORD>(milliseconds));
  CloseHandle(file);
  return 0;
}
