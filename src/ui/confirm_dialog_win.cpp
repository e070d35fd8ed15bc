#include "ui/confirm_dialog_win.h"

#include <algorithm>
#include <vector>

#include "ui/dark_dialog_win.h"
#include "ui/text_win.h"

namespace mf::ui {
namespace {

constexpr COLORREF kDialogText = RGB(230, 230, 230);
constexpr int kMessageId = 900;

struct ConfirmRecord {
  const std::wstring* message;
  HWND dialog = nullptr;
};

constexpr int kTextMargin = 16;
constexpr int kBelowText = 76;         // the gap, the buttons and the margin under them
constexpr int kWidestClient = 560;     // long questions widen the box up to this, then grow it

// The height the message needs when wrapped at textWidth, in the dialog's font.
int MessageHeight(HWND dialog, const std::wstring& message, int textWidth) {
  HDC dc = ::GetDC(dialog);
  if (!dc) return 0;
  HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0)));
  RECT box = {0, 0, textWidth, 0};
  ::DrawTextW(dc, message.c_str(), -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(dialog, dc);
  return box.bottom;
}

// The template's size suits a short question; a longer one gets a wider, then taller box,
// so that the whole text shows. The box stays centred on its screen.
void FitToMessage(HWND dialog, const std::wstring& message, int& width, int& height) {
  int textHeight = MessageHeight(dialog, message, width - 2 * kTextMargin);
  if (textHeight + kBelowText > height && width < kWidestClient) {
    width = kWidestClient;
    textHeight = MessageHeight(dialog, message, width - 2 * kTextMargin);
  }
  height = std::max(height, textHeight + kBelowText);

  RECT window = {}, client = {};
  ::GetWindowRect(dialog, &window);
  ::GetClientRect(dialog, &client);
  int outerWidth = (window.right - window.left) - client.right + width;
  int outerHeight = (window.bottom - window.top) - client.bottom + height;
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  int x = area.left + std::max(0L, (area.right - area.left - outerWidth) / 2);
  int y = area.top + std::max(0L, (area.bottom - area.top - outerHeight) / 2);
  ::SetWindowPos(dialog, nullptr, x, y, outerWidth, outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitDialog(HWND dialog, ConfirmRecord& record) {
  record.dialog = dialog;
  RequestDarkTitleBar(dialog);

  RECT client = {};
  ::GetClientRect(dialog, &client);
  int width = client.right, height = client.bottom;
  FitToMessage(dialog, *record.message, width, height);
  CreateDialogChild(dialog, L"STATIC", record.message->c_str(), SS_NOPREFIX, kMessageId, kTextMargin, kTextMargin,
                    width - 2 * kTextMargin, height - kBelowText);
  int yesX = (width - 208) / 2;
  HWND yes = CreateDialogChild(dialog, L"BUTTON", TrPtr("Yes"), WS_TABSTOP | BS_DEFPUSHBUTTON, IDYES, yesX,
                               height - 44, 100, 28);
  CreateDialogChild(dialog, L"BUTTON", TrPtr("No"), WS_TABSTOP, IDNO, yesX + 108, height - 44, 100, 28);
  ::SetFocus(yes);
}

INT_PTR CALLBACK ConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitDialog(dialog, *reinterpret_cast<ConfirmRecord*>(lParam));
      return FALSE;  // the focus is set already
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDYES:
        case IDNO:
          ::EndDialog(dialog, LOWORD(wParam));
          return TRUE;
        case IDCANCEL:  // Escape
          ::EndDialog(dialog, IDNO);
          return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      ::EndDialog(dialog, IDNO);
      return TRUE;
    default:
      return DarkDialogColours(message, wParam, kDialogText).value_or(FALSE);
  }
}

}  // namespace

int ConfirmYesNo(HWND owner, const std::wstring& message, const std::wstring& caption) {
  LoadCommonControls();
  std::vector<WORD> dialogTemplate = BuildDialogTemplate(caption, 260, 140);
  ConfirmRecord record{&message};
  INT_PTR answer = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr),
                                             reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
                                             ConfirmDialogProc, reinterpret_cast<LPARAM>(&record));
  return answer == IDYES ? IDYES : IDNO;
}

}  // namespace mf::ui
