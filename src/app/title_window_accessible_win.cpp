#include "app/title_window_accessible_win.h"

#include <atomic>
#include <string>

#include "app/menu_accessibility.h"
#include "ui/text_win.h"

// IAccessible's interface id is taken from __uuidof throughout: with MinGW, IID_IAccessible
// links to oleacc's import thunk rather than to the GUID, and COM then refuses the unknown
// interface (E_NOINTERFACE) when the object is marshalled.

namespace mf::app {
namespace {

// A VARIANT that names a child: VT_I4 with the child id; anything else is invalid.
bool ChildIdOf(const VARIANT& child, int& id) {
  if (child.vt != VT_I4) return false;
  id = child.lVal;
  return true;
}

void SetChildId(VARIANT* out, int id) {
  ::VariantInit(out);
  out->vt = VT_I4;
  out->lVal = id;
}

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT NoText(BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return S_FALSE;
}

class MenuAccessibleObject final : public IAccessible {
 public:
  explicit MenuAccessibleObject(AccessibleMenuHost& host) : host_(&host) {}

  void Disconnect() { host_ = nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: clients of this object call it through its vtable.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!host_) return CO_E_OBJNOTCONNECTED;
    return ::AccessibleObjectFromWindow(host_->Window(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                        reinterpret_cast<void**>(parent)) == S_OK
               ? S_OK
               : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    if (!host_) return CO_E_OBJNOTCONNECTED;
    *count = static_cast<long>(host_->Items().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    int id = 0;
    if (!host_) return CO_E_OBJNOTCONNECTED;
    if (!ChildIdOf(child, id) || (id != kAccessibleSelf && !IsItemChildId(host_->Items(), id))) return E_INVALIDARG;
    return S_FALSE;  // the items are simple elements of this object, not objects of their own
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    int id = 0;
    HRESULT valid = Check(child, id);
    if (valid != S_OK) return valid;
    if (id == kAccessibleSelf) {
      wchar_t caption[256] = {};
      ::GetWindowTextW(host_->Window(), caption, 256);
      return ReturnText(caption, name);
    }
    return ReturnText(ui::Utf8ToWide(ItemOf(id).label), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    int id = 0;
    HRESULT valid = Check(child, id);
    return valid == S_OK ? NoText(value) : valid;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override { return get_accValue(child, text); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override { return get_accValue(child, text); }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return get_accValue(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    int id = 0;
    HRESULT valid = Check(child, id);
    if (valid != S_OK) return valid;
    if (!role) return E_POINTER;
    SetChildId(role, id == kAccessibleSelf ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_PUSHBUTTON);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    int id = 0;
    HRESULT valid = Check(child, id);
    if (valid != S_OK) return valid;
    if (!state) return E_POINTER;
    bool windowFocused = ::GetFocus() == host_->Window();
    long flags = STATE_SYSTEM_FOCUSABLE;
    if (id == kAccessibleSelf) {
      if (windowFocused) flags |= STATE_SYSTEM_FOCUSED;
    } else {
      const MenuItem& item = ItemOf(id);
      if (windowFocused && ItemOfChildId(id) == host_->FocusIndex()) flags |= STATE_SYSTEM_FOCUSED;
      if (item.hovered) flags |= STATE_SYSTEM_HOTTRACKED;
      if (item.pressed) flags |= STATE_SYSTEM_PRESSED;
    }
    SetChildId(state, static_cast<int>(flags));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    ::VariantInit(focus);
    if (!host_) return CO_E_OBJNOTCONNECTED;
    if (::GetFocus() != host_->Window()) return S_FALSE;
    int index = host_->FocusIndex();
    SetChildId(focus, IsItemChildId(host_->Items(), ChildIdOfItem(index)) ? ChildIdOfItem(index) : kAccessibleSelf);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    ::VariantInit(selection);
    return host_ ? S_FALSE : CO_E_OBJNOTCONNECTED;  // push buttons are not selected
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    int id = 0;
    HRESULT valid = Check(child, id);
    if (valid != S_OK) return valid;
    return id == kAccessibleSelf ? NoText(action) : ReturnText(ui::TrWide("Press"), action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    int id = 0;
    HRESULT valid = Check(child, id);
    if (valid != S_OK) return valid;
    if (flags != SELFLAG_TAKEFOCUS) return E_INVALIDARG;
    ::SetFocus(host_->Window());
    if (id != kAccessibleSelf) host_->FocusItem(ItemOfChildId(id));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    int id = 0;
    HRESULT valid = Check(child, id);
    if (valid != S_OK) return valid;
    if (!left || !top || !width || !height) return E_POINTER;
    RECT box = {};
    if (id == kAccessibleSelf) {
      ::GetClientRect(host_->Window(), &box);
    } else {
      const MenuItem& item = ItemOf(id);
      box = {item.left, item.top, item.right, item.bottom};
    }
    ::MapWindowPoints(host_->Window(), nullptr, reinterpret_cast<POINT*>(&box), 2);
    *left = box.left;
    *top = box.top;
    *width = box.right - box.left;
    *height = box.bottom - box.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    ::VariantInit(end);
    int id = 0;
    HRESULT valid = Check(start, id);
    if (valid != S_OK) return valid;
    if (direction < NAVDIR_UP || direction > NAVDIR_LASTCHILD) return E_INVALIDARG;
    int to = NavigateAccessible(host_->Items(), id, static_cast<AccessibleNavigation>(direction));
    if (to == kAccessibleSelf) return S_FALSE;
    SetChildId(end, to);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    ::VariantInit(hit);
    if (!host_) return CO_E_OBJNOTCONNECTED;
    POINT point = {x, y};
    ::ScreenToClient(host_->Window(), &point);
    RECT client = {};
    ::GetClientRect(host_->Window(), &client);
    if (!::PtInRect(&client, point)) return S_FALSE;
    int index = ItemIndexAt(host_->Items(), point.x, point.y);
    SetChildId(hit, index < 0 ? kAccessibleSelf : ChildIdOfItem(index));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    int id = 0;
    HRESULT valid = Check(child, id);
    if (valid != S_OK) return valid;
    if (id == kAccessibleSelf) return DISP_E_MEMBERNOTFOUND;
    host_->RunItemLater(ItemOfChildId(id));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~MenuAccessibleObject() = default;

  // S_OK when the object is still connected and the child names the client or an item.
  HRESULT Check(const VARIANT& child, int& id) const {
    if (!host_) return CO_E_OBJNOTCONNECTED;
    if (!ChildIdOf(child, id)) return E_INVALIDARG;
    return id == kAccessibleSelf || IsItemChildId(host_->Items(), id) ? S_OK : E_INVALIDARG;
  }
  const MenuItem& ItemOf(int childId) const { return host_->Items()[static_cast<size_t>(ItemOfChildId(childId))]; }

  AccessibleMenuHost* host_;
  std::atomic<ULONG> references_{1};
};

}  // namespace

MenuAccessible::MenuAccessible(AccessibleMenuHost& host) : object_(new MenuAccessibleObject(host)) {
  // Handing the object to another process marshals it through COM, which needs an apartment
  // on this thread; a thread that has one already keeps it.
  HRESULT joined = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ownsApartment_ = SUCCEEDED(joined);
}

MenuAccessible::~MenuAccessible() {
  static_cast<MenuAccessibleObject*>(object_)->Disconnect();
  object_->Release();
  if (ownsApartment_) ::CoUninitialize();
}

bool IsClientObjectRequest(LPARAM objectId) {
  return static_cast<LONG>(objectId) == static_cast<LONG>(OBJID_CLIENT);
}

LRESULT MenuAccessible::Answer(WPARAM wParam) const {
  LRESULT result = ::LresultFromObject(__uuidof(IAccessible), wParam, object_);
  return result > 0 ? result : 0;
}

void NotifyAccessibleFocus(HWND window, int focusIndex) {
  ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, ChildIdOfItem(focusIndex));
}

void NotifyAccessibleReorder(HWND window) {
  ::NotifyWinEvent(EVENT_OBJECT_REORDER, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace mf::app
