// A stand-in for the MCI driver that plays "mpegvideo" (Wine's mciqtz32.dll), whose open
// never returns: what a media filter that hangs while opening a file does to its caller.
// Loaded in its place from the launcher's folder when WINEDLLOVERRIDES says
// "mciqtz32=n,b". It raises a named event as it starts to hang, so the test knows the
// launcher is stuck there.
#include <windows.h>
#include <mmsystem.h>

extern "C" __declspec(dllexport) LRESULT WINAPI DriverProc(DWORD_PTR id, HDRVR driver, UINT message, LPARAM p1,
                                                           LPARAM p2) {
  if (message == DRV_OPEN) {
    HANDLE hanging = ::CreateEventW(nullptr, TRUE, TRUE, L"MfStandInMciOpenHangs");
    (void)hanging;  // kept open: the test finds the event while the open hangs
    for (;;) ::Sleep(INFINITE);
  }
  return ::DefDriverProc(id, driver, message, p1, p2);
}
