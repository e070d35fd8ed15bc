#include "ui/confirm_dialog_win.h"

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

void InitDialog(HWND dialog, ConfirmRecord& record) {
  record.dialog = dialog;
  RequestDarkTitleBar(dialog);

  RECT client = {};
  ::GetClientRect(dialog, &client);
  int width = client.right, height = client.bottom;
  CreateDialogChild(dialog, L"STATIC", record.message->c_str(), SS_NOPREFIX, kMessageId, 16, 16, width - 32,
                    height - 76);
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
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetTextColor(dc, kDialogText);
      ::SetBkColor(dc, kDarkDialogBackground);
      return reinterpret_cast<INT_PTR>(DarkDialogBrush());
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(DarkDialogBrush());
    default:
      return FALSE;
  }
}

}  // namespace

int ConfirmYesNo(HWND owner, const std::wstring& message, const std::wstring& caption) {
  std::vector<WORD> dialogTemplate = BuildDialogTemplate(caption, 260, 140);
  ConfirmRecord record{&message};
  INT_PTR answer = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr),
                                             reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
                                             ConfirmDialogProc, reinterpret_cast<LPARAM>(&record));
  return answer == IDYES ? IDYES : IDNO;
}

}  // namespace mf::ui
