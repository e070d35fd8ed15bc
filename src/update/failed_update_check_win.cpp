#include "update/failed_update_check_win.h"

#include <windows.h>
#include <shellapi.h>

#include "ui/confirm_dialog_win.h"
#include "ui/text_win.h"
#include "ui/win_handles_win.h"
#include "update/update_log_win.h"

namespace mf::update {

void CheckPreviousUpdate() {
  const std::filesystem::path log = UpdateLogPath();
  if (log.empty()) return;
  {
    // Only whether it opens; the handle is closed before the log may be deleted below.
    win::UniqueFileHandle probe(::CreateFileW(log.c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) return;
  }
  std::wstring message = ui::TrWide("The auto-updater logged an error on the last attempt. Open the diagnostic "
                                     "log? (No = delete log and continue.)") +
                         L"\r\n\r\n" + log.wstring();
  if (ui::ConfirmYesNo(nullptr, message, ui::TrWide("Previous update did not finish")) == IDYES) {
    ::ShellExecuteW(nullptr, L"open", L"notepad.exe", log.c_str(), nullptr, SW_SHOWNORMAL);
    return;
  }
  if (!::DeleteFileW(log.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
    // Left in place, the log would bring the question back at every start with no way out
    // but this box: say so.
    ::MessageBoxW(nullptr, ui::TrPtr("The update log could not be deleted."), ui::TrPtr("Mirefall Recompilation"),
                  MB_ICONWARNING | MB_OK);
  }
}

}  // namespace mf::update
