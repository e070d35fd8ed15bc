// What a screen reader learns about the title window, asked the way assistive technology
// asks: AccessibleObjectFromWindow, which sends WM_GETOBJECT and unmarshals the answer.
// Once with the window on the test's own thread (with the update banner published), once
// across processes from the real PlayMirefall.exe; each in English and in Ukrainian.
#include <gtest/gtest.h>

#include "wine_test_support.h"

#include <oleacc.h>

#include "app/title_window_win.h"
#include "i18n/translate.h"
#include "i18n/utf16_win.h"
#include "ui/gdiplus_win.h"
#include "update/update_offer.h"

namespace mf::test {
namespace {

struct Language {
  i18n::UiLanguage language;
  const char* code;
  std::vector<std::wstring> buttons;
  std::wstring banner;
  std::wstring press;
};

const Language kEnglish{i18n::UiLanguage::English, "en", {L"PLAY", L"Settings", L"Exit"},
                        L"Update available: v2.1.0 — click to install", L"Press"};
const Language kUkrainian{i18n::UiLanguage::Ukrainian, "uk", {L"ГРАТИ", L"Налаштування", L"Вихід"},
                          L"Доступне оновлення: v2.1.0 — натисніть, щоб встановити", L"Натиснути"};

VARIANT Child(int id) {
  VARIANT child;
  ::VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::wstring Name(IAccessible* object, int id) {
  BSTR name = nullptr;
  if (object->get_accName(Child(id), &name) != S_OK || !name) return L"(no name)";
  std::wstring text(name, ::SysStringLen(name));
  ::SysFreeString(name);
  return text;
}

std::wstring DefaultAction(IAccessible* object, int id) {
  BSTR action = nullptr;
  if (object->get_accDefaultAction(Child(id), &action) != S_OK || !action) return L"(none)";
  std::wstring text(action, ::SysStringLen(action));
  ::SysFreeString(action);
  return text;
}

long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*getter)(VARIANT, VARIANT*), IAccessible* object, int id) {
  VARIANT value;
  ::VariantInit(&value);
  if ((object->*getter)(Child(id), &value) != S_OK || value.vt != VT_I4) return -1;
  return value.lVal;
}
long Role(IAccessible* object, int id) { return Number(&IAccessible::get_accRole, object, id); }
long State(IAccessible* object, int id) { return Number(&IAccessible::get_accState, object, id); }

long ChildCount(IAccessible* object) {
  long count = -1;
  object->get_accChildCount(&count);
  return count;
}

// The items a screen reader lists: named as the buttons read, push buttons, focusable.
void ExpectButtons(IAccessible* object, const Language& language) {
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Name(object, i + 1), language.buttons[i]);
    EXPECT_EQ(Role(object, i + 1), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_TRUE(State(object, i + 1) & STATE_SYSTEM_FOCUSABLE);
    EXPECT_EQ(DefaultAction(object, i + 1), language.press);
  }
  EXPECT_EQ(Role(object, CHILDID_SELF), ROLE_SYSTEM_CLIENT);
  EXPECT_EQ(Name(object, 9), L"(no name)") << "no such child";
}

IAccessible* AccessibleOf(HWND window) {
  IAccessible* object = nullptr;
  HRESULT result = ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&object));
  return SUCCEEDED(result) ? object : nullptr;
}

// Runs the thread's messages until the condition holds.
bool PumpUntil(const std::function<bool()>& condition) {
  return WaitUntil([&] {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    return condition();
  });
}

std::vector<LONG> focusEvents;  // child ids of EVENT_OBJECT_FOCUS seen by the hook below

void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) focusEvents.push_back(child);
}

class AccessibleTitleWindow : public testing::TestWithParam<Language> {
 protected:
  void SetUp() override { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override {
    i18n::SetUiLanguage(i18n::UiLanguage::English);
    update::CurrentUpdateOffer().available = false;
    ::CoUninitialize();
  }
};

TEST_P(AccessibleTitleWindow, InProcess) {
  const Language& language = GetParam();
  i18n::SetUiLanguage(language.language);
  ui::GdiplusSession gdiplus;
  app::LauncherImages images;
  app::TitleWindow titleWindow(images);
  HWND window = titleWindow.Create(::GetModuleHandleW(nullptr));
  ASSERT_TRUE(window);
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == window; }));
  focusEvents.clear();
  HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &OnFocusEvent,
                                         ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);

  IAccessible* object = AccessibleOf(window);
  ASSERT_TRUE(object) << "AccessibleObjectFromWindow";
  EXPECT_EQ(ChildCount(object), 3);
  ExpectButtons(object, language);
  EXPECT_TRUE(State(object, 1) & STATE_SYSTEM_FOCUSED) << "PLAY has the focus";
  EXPECT_FALSE(State(object, 2) & STATE_SYSTEM_FOCUSED);

  // Where the items are on the screen, and what lies under a point.
  long left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(object->accLocation(&left, &top, &width, &height, Child(2)), S_OK);
  POINT origin = {0, 0};
  ::ClientToScreen(window, &origin);
  EXPECT_EQ(left - origin.x, 966);
  EXPECT_EQ(top - origin.y, 652);
  EXPECT_EQ(width, 140);
  EXPECT_EQ(height, 44);
  VARIANT hit;
  ASSERT_EQ(object->accHitTest(left + 5, top + 5, &hit), S_OK);
  EXPECT_EQ(hit.lVal, 2);
  VARIANT next;
  ASSERT_EQ(object->accNavigate(NAVDIR_NEXT, Child(1), &next), S_OK);
  EXPECT_EQ(next.lVal, 2);

  // The focus moves with the keys and is announced.
  ::SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_TRUE(State(object, 2) & STATE_SYSTEM_FOCUSED);
  EXPECT_FALSE(State(object, 1) & STATE_SYSTEM_FOCUSED);
  VARIANT focus;
  ASSERT_EQ(object->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.lVal, 2);
  ASSERT_TRUE(hook);
  EXPECT_TRUE(PumpUntil([] { return !focusEvents.empty() && focusEvents.back() == 2; })) << "focus announced";

  // The banner, once published, is a fourth button named by its text.
  update::UpdateOffer& offer = update::CurrentUpdateOffer();
  offer.tag = "v2.1.0";
  offer.available.store(true, std::memory_order_release);
  ::PostMessageW(window, app::kUpdateOfferPublishedMessage, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return ChildCount(object) == 4; }));
  EXPECT_EQ(Name(object, 4), language.banner);
  EXPECT_EQ(Role(object, 4), ROLE_SYSTEM_PUSHBUTTON);

  ::UnhookWinEvent(hook);
  ::DestroyWindow(window);
  EXPECT_EQ(object->get_accChildCount(&left), CO_E_OBJNOTCONNECTED) << "the window is gone";
  object->Release();
}

// From another process, as a screen reader reads the real launcher; its default action on
// Exit ends the launcher.
TEST_P(AccessibleTitleWindow, FromAnotherProcess) {
  const Language& language = GetParam();
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  folder.WriteFile("launcher.ini",
                   std::string(kStartupOffersAnswered) + "launcher_language = " + language.code + "\r\n");
  RunningLauncher launcher = StartLauncher(folder);
  ASSERT_TRUE(launcher.window);

  IAccessible* object = AccessibleOf(launcher.window);
  ASSERT_TRUE(object) << "AccessibleObjectFromWindow across processes";
  EXPECT_EQ(ChildCount(object), 3);
  ExpectButtons(object, language);

  EXPECT_EQ(object->accDoDefaultAction(Child(3)), S_OK);
  EXPECT_EQ(launcher.process->WaitForExit(), 0u) << "Exit pressed through the accessible object";
  object->Release();
}

INSTANTIATE_TEST_SUITE_P(Languages, AccessibleTitleWindow, testing::Values(kEnglish, kUkrainian),
                         [](const testing::TestParamInfo<Language>& info) { return std::string(info.param.code); });

}  // namespace
}  // namespace mf::test
