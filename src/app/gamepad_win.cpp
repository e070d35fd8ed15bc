#include "app/gamepad_win.h"

#include <commctrl.h>
#include <xinput.h>

#include <cstdlib>
#include <string>
#include <system_error>

#include "ui/dialog_tabs_win.h"

namespace mf::app {
namespace {

constexpr wchar_t kWindowClass[] = L"MFGamepadNavigation";
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kActivePollMs = 16;       // about 60 readings a second while a window is in front
constexpr UINT kBackgroundCheckMs = 250;  // only looks whether a launcher window came to the front

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

bool IsDialog(HWND window) { return ClassOf(window) == L"#32770"; }

// The control with the focus, for a drop-down list with an edit field the list itself.
HWND FocusedControl(HWND dialog) {
  HWND focus = ::GetFocus();
  if (!focus || !::IsChild(dialog, focus)) return nullptr;
  HWND parent = ::GetParent(focus);
  if (parent && parent != dialog && _wcsicmp(ClassOf(parent).c_str(), WC_COMBOBOXW) == 0) return parent;
  return focus;
}

DialogControlKind KindOf(HWND control) {
  if (!control) return DialogControlKind::Other;
  std::wstring name = ClassOf(control);
  if (_wcsicmp(name.c_str(), WC_BUTTONW) == 0) {
    LONG type = ::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) return DialogControlKind::PushButton;
    if (type == BS_GROUPBOX) return DialogControlKind::Other;
    return DialogControlKind::CheckBox;  // check boxes and radio buttons: a click sets them
  }
  if (_wcsicmp(name.c_str(), WC_COMBOBOXW) == 0)
    return ::SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0) ? DialogControlKind::OpenComboBox
                                                             : DialogControlKind::ComboBox;
  if (_wcsicmp(name.c_str(), TRACKBAR_CLASSW) == 0) return DialogControlKind::Slider;
  if (_wcsicmp(name.c_str(), WC_TABCONTROLW) == 0) return DialogControlKind::TabStrip;
  return DialogControlKind::Other;
}

// A key as typed, into the thread's queue: the modal loop offers it to the dialog manager
// before the control sees it, exactly like a key from the keyboard.
void PostKey(HWND target, UINT key) {
  UINT scanCode = ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  ::PostMessageW(target, WM_KEYDOWN, key, 1 | (scanCode << 16));
  ::PostMessageW(target, WM_KEYUP, key, 1 | (scanCode << 16) | (1u << 30) | (1u << 31));
}

// A dialog opened by the mouse may hide focus rectangles; once the controller moves the
// focus, the player must see where it is.
// Not every control repaints when told; the whole dialog is redrawn once, when it changes.
void ShowFocusCues(HWND dialog) {
  if (!(::SendMessageW(dialog, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) return;
  ::SendMessageW(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Everything that could start a modal loop (a click, a key) is posted, so it runs from the
// dialog's own loop after this timer call has returned rather than inside it.
void DeliverToDialog(HWND dialog, PadEvent event) {
  HWND focus = FocusedControl(dialog);
  HWND keyTarget = focus ? focus : dialog;
  ShowFocusCues(dialog);
  switch (DialogStepFor(event, KindOf(focus))) {
    case DialogStep::None:
      break;
    case DialogStep::FocusNext:
      ::PostMessageW(dialog, WM_NEXTDLGCTL, 0, FALSE);
      break;
    case DialogStep::FocusPrevious:
      ::PostMessageW(dialog, WM_NEXTDLGCTL, 1, FALSE);
      break;
    case DialogStep::KeyLeft:
      PostKey(keyTarget, VK_LEFT);
      break;
    case DialogStep::KeyRight:
      PostKey(keyTarget, VK_RIGHT);
      break;
    case DialogStep::KeyUp:
      PostKey(keyTarget, VK_UP);
      break;
    case DialogStep::KeyDown:
      PostKey(keyTarget, VK_DOWN);
      break;
    case DialogStep::PageLeft:
      PostKey(keyTarget, VK_PRIOR);
      break;
    case DialogStep::PageRight:
      PostKey(keyTarget, VK_NEXT);
      break;
    case DialogStep::Click:
      ::PostMessageW(focus, BM_CLICK, 0, 0);
      break;
    case DialogStep::ToggleList:
      ::PostMessageW(focus, CB_SHOWDROPDOWN, !::SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0), 0);
      break;
    case DialogStep::Enter:
      PostKey(keyTarget, VK_RETURN);
      break;
    case DialogStep::Escape:
      PostKey(keyTarget, VK_ESCAPE);
      break;
    case DialogStep::PreviousTab:
      ui::SwitchDialogTab(dialog, -1);
      break;
    case DialogStep::NextTab:
      ui::SwitchDialogTab(dialog, 1);
      break;
  }
}

void Deliver(HWND foreground, PadEvent event) {
  if (IsDialog(foreground)) {
    DeliverToDialog(foreground, event);
  } else if (UINT key = WindowKeyFor(event.intent)) {
    PostKey(foreground, key);
  }
}

}  // namespace

GamepadNavigation::GamepadNavigation() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &GamepadNavigation::WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassExW(&windowClass);  // a second registration in one process fails harmlessly
  window_ = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
  if (window_) SetPollInterval(kBackgroundCheckMs);
}

void GamepadNavigation::StartDeviceSearch() {
  if (warmUp_.joinable()) return;
  try {
    warmUp_ = std::thread([] {
      XINPUT_STATE state = {};
      ::XInputGetState(0, &state);
    });
  } catch (const std::system_error&) {
    // No thread: the next reading on the UI thread does the library's start-up instead.
  }
}

GamepadNavigation::~GamepadNavigation() {
  if (window_) ::DestroyWindow(window_);  // ends the timer with it
  if (warmUp_.joinable()) warmUp_.join();
}

LRESULT CALLBACK GamepadNavigation::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<GamepadNavigation*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<GamepadNavigation*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == WM_TIMER && wParam == kPollTimer) {
    self->OnTimer();
    return 0;
  }
  if (message == WM_NCDESTROY) ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void GamepadNavigation::SetPollInterval(UINT milliseconds) {
  if (interval_ == milliseconds) return;
  interval_ = milliseconds;
  ::SetTimer(window_, kPollTimer, milliseconds, nullptr);
}

PadReading GamepadNavigation::ReadControllers() {
  PadReading merged;
  int strongest = 0;
  for (int slot : slots_.SlotsFor(poll_)) {
    XINPUT_STATE state = {};
    bool connected = ::XInputGetState(static_cast<DWORD>(slot), &state) == ERROR_SUCCESS;
    slots_.Report(slot, connected, poll_);
    if (!connected) continue;
    merged.buttons |= state.Gamepad.wButtons;
    int push = std::abs(state.Gamepad.sThumbLX) + std::abs(state.Gamepad.sThumbLY);
    if (push > strongest) {
      strongest = push;
      merged.stickX = state.Gamepad.sThumbLX;
      merged.stickY = state.Gamepad.sThumbLY;
    }
  }
  ++poll_;
  return merged;
}

void GamepadNavigation::OnTimer() {
  HWND foreground = ::GetForegroundWindow();
  bool ours = foreground && ::GetWindowThreadProcessId(foreground, nullptr) == ::GetCurrentThreadId();
  SetPollInterval(ours ? kActivePollMs : kBackgroundCheckMs);
  if (!ours) return;
  for (PadEvent event : navigator_.Update(ReadControllers())) Deliver(foreground, event);
}

}  // namespace mf::app
