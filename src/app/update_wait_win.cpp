#include "app/update_wait_win.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/gamepad_win.h"
#include "i18n/translate.h"
#include "settings/launcher_language.h"
#include "ui/dark_dialog_win.h"
#include "ui/text_win.h"
#include "ui/win_handles_win.h"
#include "update/helper_wait.h"
#include "update/interrupted_update_win.h"

namespace mf::app {
namespace {

constexpr COLORREF kWaitText = RGB(230, 230, 230);
constexpr int kTextId = 100;
constexpr int kBarId = 101;
constexpr int kMinClientWidth = 320, kMinClientHeight = 92;

struct WaitWindowState {
  bool closed = false;
};

void InitWaitWindow(HWND dialog, WaitWindowState* state) {
  ::SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  ui::RequestDarkTitleBar(dialog);
  RECT client = {};
  ::GetClientRect(dialog, &client);
  int width = client.right, height = client.bottom;
  if (width < kMinClientWidth || height < kMinClientHeight) {
    // Wine's and Proton's fonts make dialog units small: keep room for the text and the bar.
    RECT frame = {};
    ::GetWindowRect(dialog, &frame);
    const int growX = std::max(0, kMinClientWidth - width), growY = std::max(0, kMinClientHeight - height);
    ::SetWindowPos(dialog, nullptr, frame.left - growX / 2, frame.top - growY / 2,
                   frame.right - frame.left + growX, frame.bottom - frame.top + growY, SWP_NOZORDER | SWP_NOACTIVATE);
    width += growX;
    height += growY;
  }
  ui::CreateDialogChild(dialog, L"STATIC", ui::TrPtr("Installing update…"), SS_NOPREFIX | SS_CENTER, kTextId, 16,
                        18, width - 32, 22);
  // The helper reports no progress to other processes: the bar only shows that it is at work.
  HWND bar = ui::CreateDialogChild(dialog, PROGRESS_CLASSW, L"", PBS_MARQUEE, kBarId, 16, height - 40, width - 32,
                                   18);
  ::SendMessageW(bar, PBM_SETMARQUEE, TRUE, 40);
}

INT_PTR CALLBACK WaitWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<WaitWindowState*>(::GetWindowLongPtrW(dialog, GWLP_USERDATA));
  switch (message) {
    case WM_INITDIALOG:
      InitWaitWindow(dialog, reinterpret_cast<WaitWindowState*>(lParam));
      return TRUE;
    case WM_COMMAND:
      // Escape and a controller's B come as IDCANCEL; Enter and A (IDOK) close nothing.
      if (LOWORD(wParam) == IDCANCEL && state) state->closed = true;
      return TRUE;
    case WM_CLOSE:
      if (state) state->closed = true;
      return TRUE;
    default:
      return ui::DarkDialogColours(message, wParam, kWaitText).value_or(FALSE);
  }
}

// The window and what drives it, made when the first wait begins.
class WaitWindow {
 public:
  explicit WaitWindow(HINSTANCE instance) {
    i18n::SetUiLanguage(settings::PeekStartupLanguage(ui::ExecutableFolder()));
    ui::LoadCommonControls();
    std::vector<WORD> dialogTemplate = ui::BuildDialogTemplate(ui::TrWide("Mirefall Recompilation"), 200, 56);
    dialog_ = ::CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                           nullptr, WaitWindowProc, reinterpret_cast<LPARAM>(&state_));
    if (dialog_) {
      ::ShowWindow(dialog_, SW_SHOWNORMAL);
      ::SetForegroundWindow(dialog_);
    }
    gamepad_.StartDeviceSearch();
  }
  ~WaitWindow() {
    if (dialog_) ::DestroyWindow(dialog_);
  }
  WaitWindow(const WaitWindow&) = delete;
  WaitWindow& operator=(const WaitWindow&) = delete;

  // Runs the window until the helper lets go of its mutex or the player closes the window.
  // False when the player closed it.
  bool WaitForHelper() {
    win::UniqueKernelHandle mutex = update::OpenUpdateHelperMutex();
    HANDLE waitOn = mutex.get();
    while (!state_.closed) {
      if (!waitOn) return true;  // the helper is gone already
      const DWORD woke = ::MsgWaitForMultipleObjectsEx(1, &waitOn, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      if (woke == WAIT_OBJECT_0 || woke == WAIT_ABANDONED_0) {
        ::ReleaseMutex(waitOn);  // taken only to see that the helper let go
        return true;
      }
      if (woke == WAIT_FAILED) return true;  // the next look at the helper decides afresh
      MSG message;
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
          state_.closed = true;
          break;
        }
        if (!dialog_ || !::IsDialogMessageW(dialog_, &message)) {
          ::TranslateMessage(&message);
          ::DispatchMessageW(&message);
        }
      }
    }
    return false;
  }

 private:
  WaitWindowState state_;
  HWND dialog_ = nullptr;
  GamepadNavigation gamepad_;  // B closes the window as Escape does
};

}  // namespace

bool WaitOutUpdateHelper(HINSTANCE instance) {
  update::HelperWatch watch;
  watch.relaunchedByHelper = update::TakeRelaunchMark();
  std::unique_ptr<WaitWindow> window;
  for (;;) {
    if (!watch.relaunchedByHelper) watch.helperAtWork = update::UpdateHelperIsAtWork();
    watch.relaunchRunning = watch.waited && update::HelperRelaunchIsRunning();
    switch (update::NextLauncherStartStep(watch)) {
      case update::LauncherStartStep::Start:
        return true;
      case update::LauncherStartStep::Quit:
        // The relaunch came up behind this launcher's window; this one has the player's
        // attention to hand on.
        if (watch.relaunchRunning) ::AllowSetForegroundWindow(ASFW_ANY);
        return false;
      case update::LauncherStartStep::Wait:
        if (!window) window = std::make_unique<WaitWindow>(instance);
        watch.closedByPlayer = !window->WaitForHelper();
        watch.waited = true;
        break;
    }
  }
}

}  // namespace mf::app
