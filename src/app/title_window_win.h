#pragma once
// The launcher's title window: a fixed 1280 x 720 picture with PLAY, Settings and Exit,
// and the update banner once the release check has found a newer release.
#include <windows.h>
#include <gdiplus.h>

#include <memory>

#include "app/menu.h"
#include "app/title_window_accessible_win.h"
#include "ui/win_handles_win.h"

namespace mf::app {

struct TitleWindowFonts;

// The pictures the title window shows; any may be missing.
struct LauncherImages {
  std::unique_ptr<Gdiplus::Bitmap> background;
  std::unique_ptr<Gdiplus::Bitmap> logo;
  // The background, bottom shade and logo already drawn at the window's size (see
  // DrawTitleBackdrop), so that the first paint starts from a copy of it.
  std::unique_ptr<Gdiplus::Bitmap> backdrop;
};

// The message the release check posts once it has published an update offer.
inline constexpr UINT kUpdateOfferPublishedMessage = WM_APP;

class TitleWindow : private AccessibleMenuHost {
 public:
  explicit TitleWindow(const LauncherImages& images);
  ~TitleWindow();
  TitleWindow(const TitleWindow&) = delete;
  TitleWindow& operator=(const TitleWindow&) = delete;

  // Registers the window class and creates the window, centred on the primary screen and
  // not yet shown. Null when Windows refuses.
  HWND Create(HINSTANCE instance);
  HWND handle() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Relayout(int clientWidth, int clientHeight);
  void RelayoutToClient();
  void OnKeyDown(WPARAM virtualKey);
  void OnButtonUp(int x, int y);
  void OnMouseMove(int x, int y);
  void RunAction(MenuAction action);
  void Paint();
  void MoveFocus(int index);

  // AccessibleMenuHost
  HWND Window() const override { return window_; }
  const MenuItems& Items() const override { return items_; }
  int FocusIndex() const override { return focus_; }
  void FocusItem(int index) override;
  void RunItemLater(int index) override;

  HWND window_ = nullptr;
  const LauncherImages& images_;
  std::unique_ptr<TitleWindowFonts> fonts_;
  MenuItems items_;
  int focus_ = 0;
  bool trackingLeave_ = false;
  std::unique_ptr<MenuAccessible> accessible_;
};

// Runs the thread's message loop until the title window is destroyed. Every message is
// offered to IsDialogMessageW for the title window first.
void RunMessageLoop(HWND titleWindow);

}  // namespace mf::app
