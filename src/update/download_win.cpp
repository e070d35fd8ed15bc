#include "update/download_win.h"

#include <commctrl.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "i18n/translate.h"
#include "ui/dark_dialog_win.h"
#include "ui/text_win.h"
#include "ui/win_handles_win.h"
#include "update/download_check.h"
#include "update/https_client_win.h"
#include "update/sha256.h"

namespace mf::update {
namespace {

constexpr int kProgressBarId = 800;
constexpr int kStatusLineId = 801;
constexpr int kCancelButtonId = 802;
constexpr COLORREF kStatusText = RGB(220, 220, 220);
// The bar ends at 68 pixels; Cancel (28 high, 16 above the bottom) needs 12 below it.
constexpr int kMinClientHeight = 68 + 12 + 28 + 16;

void PostProgress(DownloadJob& job) {
  if (job.dialog && !job.progressPending.exchange(true, std::memory_order_acq_rel))
    ::PostMessageW(job.dialog, kDownloadProgressMessage, 0, 0);
}

// What is read is gathered into blocks this large before it is hashed and written: one
// write and one hash call per megabyte rather than per network piece.
constexpr std::size_t kBlockSize = 1 << 20;

// Reads the body into the open file while hashing it. The outcome of the transfer.
DownloadOutcome Transfer(DownloadJob& job, HttpsRequest& request, HANDLE file) {
  DownloadOutcome outcome;
  outcome.status = request.Status();
  if (std::optional<std::string> length = request.ContentLengthText()) {
    outcome.contentLength = ParseContentLength(*length);
    outcome.contentLengthUnreadable = !outcome.contentLength;
  }
  job.bytesTotal.store(outcome.contentLength.value_or(0), std::memory_order_release);
  Sha256 hash;
  std::unique_ptr<char[]> block(new char[kBlockSize]);
  std::size_t filled = 0;
  bool writeFailed = false;
  auto flush = [&] {
    DWORD written = 0;
    if (!::WriteFile(file, block.get(), static_cast<DWORD>(filled), &written, nullptr) || written != filled)
      return false;
    hash.Update(block.get(), filled);
    outcome.bytesWritten += written;
    filled = 0;
    return true;
  };
  bool ended = false;
  while (!job.cancel.load(std::memory_order_acquire)) {
    std::size_t read = request.Read(block.get() + filled, kBlockSize - filled, ended);
    if (read == 0) break;
    filled += read;
    job.bytesDone.fetch_add(read, std::memory_order_release);
    PostProgress(job);
    if (filled == kBlockSize && !flush()) {
      writeFailed = true;
      break;
    }
  }
  if (!writeFailed && filled > 0) writeFailed = !flush();
  outcome.transferEnded = ended && !writeFailed;
  outcome.sha256 = hash.HexDigest();
  return outcome;
}

// Makes the request known to Cancel before anything can block on the network; false when
// the player has already cancelled.
bool RegisterRequest(DownloadJob& job, HttpsRequest* request) {
  std::lock_guard lock(job.requestLock);
  if (request && job.cancel.load(std::memory_order_acquire)) return false;
  job.request = request;
  return true;
}

// Connects and waits for the headers on a thread of its own, which the worker leaves behind
// when the player cancels: closing the request wakes a blocked WinHTTP call on Windows, but
// not under Wine, where Cancel would otherwise wait out the server's silence. The thread
// shares only the request, which it releases when WinHTTP gives up.
bool SendUnlessCancelled(DownloadJob& job, const std::shared_ptr<HttpsRequest>& request) {
  auto sent = std::make_shared<std::promise<bool>>();
  std::future<bool> answer = sent->get_future();
  try {
    std::thread([request, sent] { sent->set_value(request->Send()); }).detach();
  } catch (const std::system_error&) {
    return request->Send();
  }
  while (answer.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
    if (job.cancel.load(std::memory_order_acquire)) return false;
  return answer.get();
}

bool Download(DownloadJob& job) {
  std::optional<HttpsEndpoint> endpoint = SplitHttpsUrl(job.url);
  if (!endpoint) return false;
  auto shared = std::make_shared<HttpsRequest>(*endpoint);
  HttpsRequest& request = *shared;
  if (!RegisterRequest(job, &request)) return false;
  bool complete = false;
  // An error page is never saved as the update.
  if (SendUnlessCancelled(job, shared) && request.Status() == 200 && !job.cancel.load(std::memory_order_acquire)) {
    win::UniqueFileHandle file(::CreateFileW(job.destPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
      DownloadOutcome outcome = Transfer(job, request, file.get());
      file.reset();
      complete = IsCompleteDownload(outcome, Sha256FromDigest(job.expectedDigest)) &&
                 !job.cancel.load(std::memory_order_acquire);
      if (!complete) ::DeleteFileW(job.destPath.c_str());
    }
  }
  RegisterRequest(job, nullptr);
  return complete;
}

void CancelDownload(DownloadJob& job) {
  std::lock_guard lock(job.requestLock);
  job.cancel.store(true, std::memory_order_release);
  if (job.request) job.request->Abort();
}

struct DialogState {
  DownloadJob* job;
  std::thread worker;
};

void ShowProgress(HWND dialog, DownloadJob& job) {
  job.progressPending.store(false, std::memory_order_release);
  std::uint64_t done = job.bytesDone.load(std::memory_order_acquire);
  std::uint64_t total = job.bytesTotal.load(std::memory_order_acquire);
  ::SendDlgItemMessageW(dialog, kProgressBarId, PBM_SETPOS, ProgressPermille(done, total), 0);
  std::string text = ProgressText(i18n::Translate("%llu / %llu MB"), done, total);
  ::SetDlgItemTextW(dialog, kStatusLineId, ui::Utf8ToWide(text).c_str());
}

void InitDialog(HWND dialog, DialogState& state) {
  ::SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  state.job->dialog = dialog;
  ui::RequestDarkTitleBar(dialog);
  RECT client = {};
  ::GetClientRect(dialog, &client);
  int width = client.right, height = client.bottom;
  if (height < kMinClientHeight) {
    // With the fonts Wine and Proton have, 60 dialog units are too short for the bar and
    // the button below it: grow the dialog rather than let Cancel cover the bar.
    RECT frame = {};
    ::GetWindowRect(dialog, &frame);
    int grow = kMinClientHeight - height;
    ::SetWindowPos(dialog, nullptr, frame.left, frame.top - grow / 2, frame.right - frame.left,
                   frame.bottom - frame.top + grow, SWP_NOZORDER | SWP_NOACTIVATE);
    height = kMinClientHeight;
  }
  ui::CreateDialogChild(dialog, L"STATIC", ui::TrPtr("Update — preparing installer..."),
                         SS_NOPREFIX | SS_ENDELLIPSIS, kStatusLineId, 16, 16, width - 32, 22);
  HWND bar = ui::CreateDialogChild(dialog, PROGRESS_CLASSW, L"", PBS_SMOOTH, kProgressBarId, 16, 46, width - 32, 22);
  ::SendMessageW(bar, PBM_SETRANGE32, 0, 1000);
  ui::CreateDialogChild(dialog, L"BUTTON", ui::TrPtr("Cancel"), WS_TABSTOP, kCancelButtonId, width - 126,
                         height - 44, 110, 28);
  try {
    state.worker = std::thread(RunDownload, std::ref(*state.job));
  } catch (const std::exception&) {
    ::EndDialog(dialog, 2);  // no worker, no download: fail at once rather than wait forever
  }
}

INT_PTR CALLBACK DownloadDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, GWLP_USERDATA));
  if (!state && message != WM_INITDIALOG) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      InitDialog(dialog, *reinterpret_cast<DialogState*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kCancelButtonId || LOWORD(wParam) == IDCANCEL) CancelDownload(*state->job);
      return TRUE;
    case WM_CLOSE:
      CancelDownload(*state->job);  // the dialog ends when the worker reports back
      return TRUE;
    case kDownloadProgressMessage:
      ShowProgress(dialog, *state->job);
      return TRUE;
    case kDownloadFinishedMessage:
      state->worker.join();
      ::EndDialog(dialog, state->job->succeeded.load(std::memory_order_acquire) ? 1 : 2);
      return TRUE;
    default:
      return ui::DarkDialogColours(message, wParam, kStatusText).value_or(FALSE);
  }
}

}  // namespace

void RunDownload(DownloadJob& job) {
  bool complete = Download(job);
  job.succeeded.store(complete, std::memory_order_release);
  job.done.store(true, std::memory_order_release);
  if (job.dialog) ::PostMessageW(job.dialog, kDownloadFinishedMessage, 0, 0);
}

INT_PTR RunDownloadDialog(HWND owner, DownloadJob& job) {
  ui::LoadCommonControls();
  std::vector<WORD> dialogTemplate = ui::BuildDialogTemplate(ui::TrWide("Downloading update"), 240, 60);
  DialogState state{&job, {}};
  INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr),
                                             reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
                                             DownloadDialogProc, reinterpret_cast<LPARAM>(&state));
  if (state.worker.joinable()) {
    // The dialog was torn down some other way (its owner destroyed): stop the transfer
    // before waiting for it, or the window's thread would wait out the whole download.
    CancelDownload(job);
    state.worker.join();
  }
  return result == 1 ? 1 : 2;
}

}  // namespace mf::update
