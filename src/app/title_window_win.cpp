#include "app/title_window_win.h"

#include <windowsx.h>

#include "app/game_launch_win.h"
#include "app/title_window_geometry.h"
#include "app/title_window_paint_win.h"
#include "dialog/settings_dialog_win.h"
#include "resources/resource_ids.h"
#include "ui/text_win.h"
#include "update/update_flow_win.h"
#include "update/update_offer.h"

namespace mf::app {
namespace {

constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // fixed size
// Posted to itself when assistive technology presses an item (wParam: the item's index).
constexpr UINT kRunItemMessage = WM_APP + 2;

std::optional<UpdateBanner> OfferedUpdate() {
  update::UpdateOffer& offer = update::CurrentUpdateOffer();
  if (!offer.available.load(std::memory_order_acquire)) return std::nullopt;
  return UpdateBanner{offer.tag};
}

}  // namespace

TitleWindow::TitleWindow(const LauncherImages& images) : images_(images) {}

TitleWindow::~TitleWindow() {
  if (window_) ::DestroyWindow(window_);
}

HWND TitleWindow::Create(HINSTANCE instance) {
  std::wstring className = ui::Utf8ToWide(kWindowClassName);
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &TitleWindow::WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  // The taskbar's icon and the caption's, each from the frame of its own size.
  windowClass.hIcon = static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  windowClass.hIconSm =
      static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON,
                                      ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.lpszClassName = className.c_str();
  ::RegisterClassExW(&windowClass);  // a second registration in one process fails harmlessly

  RECT outer = {0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRect(&outer, kWindowStyle, FALSE);
  int outerWidth = outer.right - outer.left, outerHeight = outer.bottom - outer.top;
  Point origin = CentredWindowOrigin(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                     outerWidth, outerHeight);

  fonts_ = std::make_unique<TitleWindowFonts>(TitleWindowFonts::Create());
  std::wstring caption = ui::Utf8ToWide(TitleWindowCaption());
  return ::CreateWindowExW(0, className.c_str(), caption.c_str(), kWindowStyle, origin.x, origin.y, outerWidth,
                           outerHeight, nullptr, nullptr, instance, this);
}

LRESULT CALLBACK TitleWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TitleWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TitleWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT TitleWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      RelayoutToClient();
      return 0;
    case WM_SIZE:
      Relayout(LOWORD(lParam), HIWORD(lParam));
      ::InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting is double-buffered; erasing first would only flicker
    case WM_GETDLGCODE:
      // The message loop offers every message to IsDialogMessageW first; without this, it
      // would swallow Tab, the arrows, Enter and Escape as dialog navigation.
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      OnKeyDown(wParam);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      ClearHover(items_);
      ::InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      PressAt(items_, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      ::SetCapture(window_);
      ::InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case kUpdateOfferPublishedMessage:
      RelayoutToClient();
      ::InvalidateRect(window_, nullptr, TRUE);
      NotifyAccessibleReorder(window_);
      return 0;
    case kRunItemMessage:
      // A screen reader can ask for an item while a modal dialog has the window disabled:
      // acting then would close the window under the dialog or start a second update.
      if (wParam < items_.size() && ::IsWindowEnabled(window_)) RunAction(items_[wParam].action);
      return 0;
    case WM_SETFOCUS:
      NotifyAccessibleFocus(window_, focus_);
      return 0;
    case WM_GETOBJECT:
      if (IsClientObjectRequest(lParam)) {
        if (!accessible_) accessible_ = std::make_unique<MenuAccessible>(static_cast<AccessibleMenuHost&>(*this));
        if (LRESULT answer = accessible_->Answer(wParam)) return answer;
      }
      return ::DefWindowProcW(window_, message, wParam, lParam);
    case WM_DESTROY:
      accessible_.reset();  // clients still holding the object are told it is gone
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window_, message, wParam, lParam);
  }
}

void TitleWindow::Relayout(int clientWidth, int clientHeight) {
  items_ = LayoutMenu(clientWidth, clientHeight, OfferedUpdate());
}

void TitleWindow::RelayoutToClient() {
  RECT client = {};
  ::GetClientRect(window_, &client);
  Relayout(client.right - client.left, client.bottom - client.top);
}

void TitleWindow::OnKeyDown(WPARAM virtualKey) {
  int count = static_cast<int>(items_.size());
  switch (ClassifyMenuKey(static_cast<unsigned>(virtualKey))) {
    case MenuKey::FocusNext:
      MoveFocus(NextFocus(focus_, count));
      break;
    case MenuKey::FocusPrevious:
      MoveFocus(PreviousFocus(focus_, count));
      break;
    case MenuKey::Activate:
      if (focus_ >= 0 && focus_ < count) RunAction(items_[focus_].action);
      break;
    case MenuKey::Close:
      ::PostMessageW(window_, WM_CLOSE, 0, 0);
      break;
    case MenuKey::Ignored:
      break;
  }
}

void TitleWindow::MoveFocus(int index) {
  focus_ = index;
  ::InvalidateRect(window_, nullptr, FALSE);
  NotifyAccessibleFocus(window_, focus_);
}

void TitleWindow::FocusItem(int index) {
  if (index >= 0 && index < static_cast<int>(items_.size())) MoveFocus(index);
}

void TitleWindow::RunItemLater(int index) { ::PostMessageW(window_, kRunItemMessage, index, 0); }

void TitleWindow::OnMouseMove(int x, int y) {
  if (TrackHover(items_, x, y)) ::InvalidateRect(window_, nullptr, FALSE);
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window_, 0};
    trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
  }
}

void TitleWindow::OnButtonUp(int x, int y) {
  ::ReleaseCapture();
  std::optional<MenuAction> action = ReleaseAt(items_, x, y);
  ::InvalidateRect(window_, nullptr, FALSE);
  if (action) RunAction(*action);
}

void TitleWindow::RunAction(MenuAction action) {
  switch (action) {
    case MenuAction::Play:
      LaunchGame(window_);
      break;
    case MenuAction::Settings:
      dialog::RunSettingsDialog(window_);
      break;
    case MenuAction::Exit:
      ::PostMessageW(window_, WM_CLOSE, 0, 0);
      break;
    case MenuAction::InstallUpdate:
      update::RunUpdateFlow(window_);
      break;
  }
}

void TitleWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window_, &paint);
  RECT client = {};
  ::GetClientRect(window_, &client);
  PaintTitleWindow(dc, client.right - client.left, client.bottom - client.top,
                   {images_.background.get(), images_.logo.get(), images_.backdrop.get(), &items_,
                    focus_, fonts_.get()});
  ::EndPaint(window_, &paint);
}

void RunMessageLoop(HWND titleWindow) {
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (::IsDialogMessageW(titleWindow, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace mf::app
