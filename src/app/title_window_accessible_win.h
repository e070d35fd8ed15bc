#pragma once
// The title window's items as Active Accessibility sees them: a client object whose
// children are PLAY, Settings, Exit and the update banner, each a push button with its
// translated label as its name, so a screen reader can read and press them.
#include <windows.h>
#include <oleacc.h>

#include "app/menu.h"

namespace mf::app {

// What the accessible object asks of the window it describes. Everything runs on the
// window's thread.
class AccessibleMenuHost {
 public:
  virtual HWND Window() const = 0;
  virtual const MenuItems& Items() const = 0;
  virtual int FocusIndex() const = 0;
  virtual void FocusItem(int index) = 0;
  // Runs the item's action from the window's own message loop, after the caller returned.
  virtual void RunItemLater(int index) = 0;

 protected:
  ~AccessibleMenuHost() = default;
};

// One reference to the object a window hands out for WM_GETOBJECT (OBJID_CLIENT), made and
// dropped on the window's thread, which it joins to a COM apartment for as long as it lives.
// The window disconnects it when it goes away: clients still holding it then get
// CO_E_OBJNOTCONNECTED instead of a call into a window that no longer exists.
class MenuAccessible {
 public:
  explicit MenuAccessible(AccessibleMenuHost& host);
  ~MenuAccessible();  // disconnects and releases
  MenuAccessible(const MenuAccessible&) = delete;
  MenuAccessible& operator=(const MenuAccessible&) = delete;

  // The answer to a WM_GETOBJECT for the client area, or 0 when the object cannot be handed
  // out (the caller then leaves the message to DefWindowProc).
  LRESULT Answer(WPARAM wParam) const;

 private:
  IAccessible* object_;
  bool ownsApartment_ = false;
};

// Whether a WM_GETOBJECT asks for the client area's object (OBJID_CLIENT); other ids (the
// window frame, UI Automation) are left to Windows.
bool IsClientObjectRequest(LPARAM objectId);

// Tells assistive technology that the focused item changed or the items were laid out anew.
void NotifyAccessibleFocus(HWND window, int focusIndex);
void NotifyAccessibleReorder(HWND window);

}  // namespace mf::app
