#include "app/confirm_dialog_win.h"

#include <vector>

#include "app/dialog_frame_win.h"
#include "app/text_win.h"
#include "app/win_handles_win.h"

namespace mf::app {
namespace {

constexpr COLORREF kDialogBackground = RGB(24, 26, 30);
constexpr COLORREF kDialogText = RGB(230, 230, 230);
constexpr int kMessageId = 900;

struct ConfirmRecord {
  const std::wstring* message;
  HWND dialog = nullptr;
};

// One brush for every Yes/No dialog of the process.
HBRUSH DialogBrush() {
  static const win::UniqueGdiObject brush(::CreateSolidBrush(kDialogBackground));
  return static_cast<HBRUSH>(brush.get());
}

HWND CreateChild(HWND dialog, const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y,
                 int width, int height) {
  HWND child = ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

void InitDialog(HWND dialog, ConfirmRecord& record) {
  record.dialog = dialog;
  UseDarkTitleBar(dialog);

  RECT client = {};
  ::GetClientRect(dialog, &client);
  int width = client.right, height = client.bottom;
  CreateChild(dialog, L"STATIC", record.message->c_str(), SS_NOPREFIX, kMessageId, 16, 16, width - 32, height - 76);
  int yesX = (width - 208) / 2;
  HWND yes = CreateChild(dialog, L"BUTTON", TrPtr("Yes"), WS_TABSTOP | BS_DEFPUSHBUTTON, IDYES, yesX, height - 44,
                         100, 28);
  CreateChild(dialog, L"BUTTON", TrPtr("No"), WS_TABSTOP, IDNO, yesX + 108, height - 44, 100, 28);
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
      ::SetBkColor(dc, kDialogBackground);
      return reinterpret_cast<INT_PTR>(DialogBrush());
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(DialogBrush());
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

}  // namespace mf::app
