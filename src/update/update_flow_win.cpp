#include "update/update_flow_win.h"

#include <filesystem>
#include <optional>

#include "resources/version.h"
#include "ui/confirm_dialog_win.h"
#include "ui/text_win.h"
#include "update/download_win.h"
#include "update/helper_command_line.h"
#include "update/update_log_win.h"
#include "update/update_offer.h"
#include "update/update_paths.h"

namespace mf::update {
namespace {

namespace fs = std::filesystem;

void ShowUpdateFailed(HWND owner) {
  ::MessageBoxW(owner, ui::TrPtr("Could not download the update zip. Check your internet connection."),
                ui::TrPtr("Update failed"), MB_ICONERROR | MB_OK);
}

bool Confirmed(HWND owner, const UpdateOffer& offer) {
  std::wstring tag = ui::Utf8ToWide(offer.tag);
  std::wstring message = ui::TrWide("Download and install update?") + L"\r\n\r\n" + ui::TrWide("Latest version: ") +
                         tag + L"\r\n" + ui::TrWide("Current version: ") +
                         ui::Utf8ToWide(kCurrentVersionTag);
  return ui::ConfirmYesNo(owner, message, ui::TrWide("Update available: ") + tag) == IDYES;
}

fs::path RunningExecutable() {
  std::wstring path(32768, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

bool StartHelper(const fs::path& helper, const fs::path& zip, const fs::path& temp) {
  std::wstring commandLine = HelperCommandLine(helper.wstring(), zip.wstring(), ui::ExecutableFolder().wstring(),
                                               ::GetCurrentProcessId());
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessW(helper.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        temp.c_str(), &startup, &info))
    return false;
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return true;
}

}  // namespace

void RunUpdateFlow(HWND titleWindow) {
  const UpdateOffer& offer = CurrentUpdateOffer();
  if (!offer.available.load(std::memory_order_acquire)) return;
  if (!Confirmed(titleWindow, offer)) return;
  std::optional<fs::path> temp = TempFolder();
  if (!temp) return;
  const fs::path zip = *temp / kZipFileName, helper = *temp / kHelperFileName;

  DownloadJob job;
  job.url = offer.zipUrl;
  job.expectedDigest = offer.zipDigest;
  job.destPath = zip;
  if (RunDownloadDialog(titleWindow, job) != 1) {
    ::DeleteFileW(zip.c_str());
    // The player's own Cancel is no failure to report.
    if (!job.cancel.load(std::memory_order_acquire)) ShowUpdateFailed(titleWindow);
    return;
  }
  if (!::CopyFileW(RunningExecutable().c_str(), helper.c_str(), FALSE) || !StartHelper(helper, zip, *temp)) {
    ShowUpdateFailed(titleWindow);
    return;
  }
  ::PostMessageW(titleWindow, WM_CLOSE, 0, 0);
}

}  // namespace mf::update
