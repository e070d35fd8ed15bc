#include "dialog/settings_dialog_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "dialog/dialog_style_win.h"
#include "dialog/focus_ring_win.h"
#include "dialog/launcher_rows.h"
#include "dialog/setting_controls_win.h"
#include "dialog/settings_page_layout.h"
#include "i18n/translate.h"
#include "prompts/prompt_overlay_win.h"
#include "settings/config_file.h"
#include "settings/config_reader.h"
#include "settings/launcher_language.h"
#include "settings/launcher_prefs.h"
#include "settings/settings_schema.h"
#include "ui/config_save_win.h"
#include "ui/dark_dialog_win.h"
#include "ui/dialog_tabs_win.h"
#include "ui/text_win.h"
#include "ui/win_handles_win.h"

namespace mf::dialog {
namespace {

using ui::TrPtr;
using ui::TrWide;

constexpr int kSaveId = 100;
constexpr int kCancelId = 101;
constexpr int kTabControlId = 200;
constexpr int kPageCount = 7;
constexpr short kTemplateWidthUnits = 460, kTemplateHeightUnits = 460;

// The pages start below the tab strip; the buttons sit under the tallest page.
constexpr int kTabStripTop = 10, kTabStripHeight = 32;
constexpr int kPagesTop = 62;
constexpr int kButtonsBelowPages = 82, kButtonHeight = 34;
constexpr int kClientBelowButtons = 52;

constexpr wchar_t kTabProcProperty[] = L"mf_tab_proc";
constexpr wchar_t kTooltipProperty[] = L"mf_tooltip";

struct DialogState {
  std::filesystem::path launcherFolder;
  SettingControls controls;
};

DialogState& StateOf(HWND dialog) { return *reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER)); }

HWND TabControlOf(HWND dialog) { return ::GetDlgItem(dialog, kTabControlId); }

// The tab control paints its strip's background in the system colour; the page colour is
// painted first, then the control draws its (owner-drawn) tabs over it.
LRESULT CALLBACK TabStripProc(HWND tab, UINT message, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(::GetPropW(tab, kTabProcProperty));
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client = {};
      ::GetClientRect(tab, &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, PageBrush());
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(tab, &paint);
      ::FillRect(dc, &paint.rcPaint, PageBrush());
      ::EndPaint(tab, &paint);
      ::InvalidateRect(tab, nullptr, FALSE);
      return ::CallWindowProcW(original, tab, WM_PAINT, 0, 0);
    }
    case WM_NCDESTROY:
      ::SetWindowLongPtrW(tab, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      ::RemovePropW(tab, kTabProcProperty);
      break;
  }
  return ::CallWindowProcW(original, tab, message, wParam, lParam);
}

HWND CreateTabStrip(HWND dialog, int clientWidth) {
  HWND tab = ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TCS_OWNERDRAWFIXED,
                               kTabStripTop, kTabStripTop, clientWidth - 20, kTabStripHeight, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabControlId)), nullptr, nullptr);
  if (!tab) return nullptr;
  ::SendMessageW(tab, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  ::SetWindowTheme(tab, L"", L"");
  ::SetPropW(tab, kTabProcProperty, reinterpret_cast<HANDLE>(::GetWindowLongPtrW(tab, GWLP_WNDPROC)));
  ::SetWindowLongPtrW(tab, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TabStripProc));

  const std::array<std::wstring, kPageCount> names = {TrWide("Graphics"), TrWide("Advanced"), TrWide("Mouse"),
                                                      TrWide("Controls"), TrWide("Debug"),    TrWide("Experimental"),
                                                      TrWide("Native")};
  for (int i = 0; i < kPageCount; ++i) {
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(names[static_cast<size_t>(i)].c_str());
    ::SendMessageW(tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  return tab;
}

HWND CreateButton(HWND dialog, const wchar_t* text, DWORD style, int id, int x, int y, int width) {
  HWND button = ::CreateWindowExW(0, WC_BUTTONW, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, width,
                                  kButtonHeight, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                  nullptr);
  ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  return button;
}

// Only the page area is painted again: erasing the whole dialog would paint over the
// buttons too, and they would be missing from the picture until they drew themselves again.
void ShowPage(HWND dialog, int page) {
  ShowSettingsPage(StateOf(dialog).controls, page);
  RECT pages = {};
  ::GetClientRect(dialog, &pages);
  pages.top = kTabStripTop + kTabStripHeight;
  RECT save = {};
  if (HWND button = ::GetDlgItem(dialog, kSaveId); button && ::GetWindowRect(button, &save)) {
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&save), 2);
    pages.bottom = save.top;
  }
  ::InvalidateRect(dialog, &pages, TRUE);
}

// The window keeps its width and grows to hold the tallest page, centred on the screen, or
// at the top when it is taller than the screen.
void FitWindowToPages(HWND dialog, int buttonsTop) {
  RECT window = {}, client = {};
  ::GetWindowRect(dialog, &window);
  ::GetClientRect(dialog, &client);
  int width = window.right - window.left;
  int height = (window.bottom - window.top) - client.bottom + buttonsTop + kClientBelowButtons;
  ScreenPoint origin = DialogOrigin(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), width, height);
  ::SetWindowPos(dialog, nullptr, origin.x, origin.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int ClientWidth(HWND dialog) {
  RECT client = {};
  ::GetClientRect(dialog, &client);
  return client.right;
}

// The dialog widens to the page whose texts need the most room, within a Steam Deck's
// screen; returns the client width it has then.
int WidenToPages(HWND dialog, const PageFrame& frame, const std::array<std::vector<RowTextWidths>, kPageCount>& texts) {
  std::vector<int> pageWidths;
  for (const std::vector<RowTextWidths>& page : texts)
    pageWidths.push_back(PageClientWidth(frame.baseClientWidth, page, frame.dropDownChrome));
  RECT window = {};
  ::GetWindowRect(dialog, &window);
  const int windowWidth = window.right - window.left;
  const int clientWidth =
      DialogClientWidth(frame.baseClientWidth, windowWidth - frame.baseClientWidth, pageWidths);
  if (clientWidth != frame.baseClientWidth)
    ::SetWindowPos(dialog, nullptr, 0, 0, windowWidth + clientWidth - frame.baseClientWidth,
                   window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return ClientWidth(dialog);
}

// The width of a button text as the button draws it ("&&" shows one '&').
int ButtonTextWidth(std::wstring text) {
  for (size_t at = text.find(L"&&"); at != std::wstring::npos; at = text.find(L"&&", at + 1)) text.erase(at, 1);
  return TextWidth(DialogFont(), text.c_str());
}

// The design width fits the English text; the button grows so that its text in either
// language keeps the English padding, whichever language is shown.
int ButtonWidth(const char* english, int designWidth) {
  int englishText = ButtonTextWidth(ui::Utf8ToWide(english));
  int widest = englishText;
  if (const std::string* ukrainian = i18n::FindUkrainian(english))
    widest = std::max(widest, ButtonTextWidth(ui::Utf8ToWide(*ukrainian)));
  return PaddedButtonWidth(designWidth, englishText, widest);
}

BOOL InitDialog(HWND dialog, DialogState& state) {
  ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
  ui::RequestDarkTitleBar(dialog);
  state.controls = {};

  PageFrame frame;
  frame.top = kPagesTop;
  frame.dropDownChrome = ClosedDropDownChrome(dialog);
  std::array<std::vector<RowTextWidths>, kPageCount> texts;
  for (int page = 0; page < kPageCount; ++page) texts[static_cast<size_t>(page)] = MeasurePageTexts(page);
  frame.baseClientWidth = ClientWidth(dialog);
  frame.clientWidth = WidenToPages(dialog, frame, texts);
  const int width = frame.clientWidth;
  CreateTabStrip(dialog, width);

  int tallest = 0;
  for (int page = 0; page < kPageCount; ++page)
    tallest =
        std::max(tallest, CreateSettingsPage(dialog, frame, page, texts[static_cast<size_t>(page)], state.controls));
  ShowSettingsPage(state.controls, 0);

  int buttonsTop = tallest + kButtonsBelowPages;
  const int cancelWidth = ButtonWidth("Cancel", 90);
  const int saveWidth = ButtonWidth("Save && Close", 140);
  const int cancelX = width - 10 - cancelWidth;
  CreateButton(dialog, TrPtr("Save && Close"), BS_DEFPUSHBUTTON, kSaveId, cancelX - saveWidth, buttonsTop, saveWidth);
  CreateButton(dialog, TrPtr("Cancel"), 0, kCancelId, cancelX, buttonsTop, cancelWidth);
  FitWindowToPages(dialog, buttonsTop);
  return TRUE;  // the dialog manager focuses the first control: the tab strip
}

void DrawTab(const DRAWITEMSTRUCT& item) {
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  RECT box = item.rcItem;
  ::FillRect(item.hDC, &box, selected ? FieldBrush() : PageBrush());
  if (selected) {
    RECT accent = {box.left, box.bottom - 2, box.right, box.bottom};
    ::FillRect(item.hDC, &accent, AccentBrush());
    // The strip itself has the focus: ring the selected tab, as keys and the controller move it.
    if (::GetFocus() == item.hwndItem && FocusCuesShown(item.hwndItem)) ::FrameRect(item.hDC, &box, AccentBrush());
  }
  ::SetTextColor(item.hDC, selected ? kSelectedTabTextColour : kTabTextColour);
  ::SetBkMode(item.hDC, TRANSPARENT);

  wchar_t text[64] = {};
  TCITEMW tab = {};
  tab.mask = TCIF_TEXT;
  tab.pszText = text;
  tab.cchTextMax = 64;
  ::SendMessageW(item.hwndItem, TCM_GETITEMW, item.itemID, reinterpret_cast<LPARAM>(&tab));
  ::DrawTextW(item.hDC, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void ShowMessage(HWND dialog, const std::string& text, UINT icon) {
  std::wstring wide = ui::Utf8ToWide(text);
  ::MessageBoxW(dialog, wide.c_str(), TrPtr("Mirefall Recompilation"), icon | MB_OK);
}

void Save(HWND dialog) {
  DialogState& state = StateOf(dialog);
  std::vector<RejectedField> rejected = ReadBackControls(state.controls);
  std::vector<settings::SettingDef>& schema = settings::SettingsSchema();

  i18n::UiLanguage oldLanguage = i18n::CurrentUiLanguage();
  std::string newCode = ChosenLanguageCode(schema, oldLanguage);

  const bool languageChanged = newCode != settings::LanguageCode(oldLanguage);
  const i18n::UiLanguage newLanguage = newCode == "uk" ? i18n::UiLanguage::Ukrainian : i18n::UiLanguage::English;

  // The error boxes are owned by the dialog: while one is up, Save cannot be pressed again.
  std::filesystem::path iniPath = settings::LauncherPrefsPath(state.launcherFolder);
  settings::ReadLauncherPrefs(iniPath);  // keep what others stored since the dialog opened
  StoreLauncherRows(schema, settings::LauncherPrefs());
  settings::LauncherPrefs()[std::string(settings::kLanguagePrefKey)] =
      std::string(settings::LanguageCode(languageChanged ? newLanguage : oldLanguage));
  ui::SaveConfigFileOrReport(settings::ConfigFilePath(state.launcherFolder), dialog);
  // Refused as well when launcher.ini could not be read: the preferences it holds are unknown.
  const bool prefsSaved = settings::WriteLauncherPrefs(iniPath);
  if (!prefsSaved) ui::ReportUnsavedFile(iniPath, dialog);
  prompts::GeneratePromptOverlay(state.launcherFolder);  // from the bindings and style on disk now

  if (!rejected.empty()) ShowMessage(dialog, RejectedFieldsMessage(rejected), MB_ICONWARNING);
  // A language that was not stored would not apply at the next start either.
  if (languageChanged && prefsSaved) {
    i18n::SetUiLanguage(newLanguage);
    ShowMessage(dialog, i18n::Translate("Launcher language changed. Restart to apply."), MB_ICONINFORMATION);
  }
  ::EndDialog(dialog, kSettingsSaved);
}

INT_PTR ColourControl(WPARAM dc, COLORREF text, COLORREF background, HBRUSH brush, bool transparent) {
  HDC hdc = reinterpret_cast<HDC>(dc);
  ::SetTextColor(hdc, text);
  ::SetBkColor(hdc, background);
  if (transparent) ::SetBkMode(hdc, TRANSPARENT);
  return reinterpret_cast<INT_PTR>(brush);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
  int id = LOWORD(wParam);
  if (HIWORD(wParam) == EN_CHANGE) {
    OnEditChanged(StateOf(dialog).controls, reinterpret_cast<HWND>(lParam));
    return TRUE;
  }
  if (id == kSaveId) {
    Save(dialog);
    return TRUE;
  }
  if (id == kCancelId || id == IDCANCEL) {
    ::EndDialog(dialog, kSettingsCancelled);
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return InitDialog(dialog, *reinterpret_cast<DialogState*>(lParam));
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kTabControlId && header->code == TCN_SELCHANGE)
        ShowPage(dialog, static_cast<int>(::SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
      return FALSE;
    }
    case WM_DRAWITEM:
      if (wParam != kTabControlId) return FALSE;
      DrawTab(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      return OnCommand(dialog, wParam, lParam);
    case WM_HSCROLL:
      if (lParam) OnSliderMoved(StateOf(dialog).controls, reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_CLOSE:
      ::EndDialog(dialog, kSettingsCancelled);
      return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return ColourControl(wParam, kFieldTextColour, kFieldColour, FieldBrush(), false);
    case WM_CTLCOLORSTATIC:
      return ColourControl(wParam, kLabelTextColour, kPageColour, PageBrush(), true);
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(PageBrush());
    case WM_DESTROY:
      ::RemovePropW(dialog, kTooltipProperty);
      return FALSE;
    default:
      return FALSE;
  }
}

// Ctrl+Tab and Ctrl+Shift+Tab (and Ctrl+PageDown / PageUp) switch pages from anywhere in
// the dialog, as in other tabbed dialogs. The dialog manager would take Ctrl+Tab for a plain
// Tab, so the keys are caught where it offers messages to filters first.
bool SwitchPageByKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || ::GetKeyState(VK_CONTROL) >= 0) return false;
  int step = 0;
  if (message.wParam == VK_TAB) step = ::GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
  if (message.wParam == VK_NEXT) step = 1;
  if (message.wParam == VK_PRIOR) step = -1;
  if (step == 0) return false;
  HWND dialog = ::GetAncestor(message.hwnd, GA_ROOT);
  HWND tab = dialog ? TabControlOf(dialog) : nullptr;
  if (!tab || !::GetPropW(tab, kTabProcProperty)) return false;  // not the settings dialog
  return ui::SwitchDialogTab(dialog, step);
}

LRESULT CALLBACK DialogKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && SwitchPageByKey(*reinterpret_cast<const MSG*>(lParam))) return TRUE;
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

INT_PTR RunSettingsDialog(HWND owner) { return RunSettingsDialog(owner, ui::ExecutableFolder()); }

INT_PTR RunSettingsDialog(HWND owner, const std::filesystem::path& launcherFolder) {
  if (settings::SettingsSchema().empty()) settings::BuildSettingsSchema();
  settings::ReadConfigFile(settings::ConfigFilePath(launcherFolder));
  settings::ReadLauncherPrefs(settings::LauncherPrefsPath(launcherFolder));
  FillLauncherRows(settings::SettingsSchema(), i18n::CurrentUiLanguage());

  DialogState state{launcherFolder, {}};
  ui::LoadCommonControls();
  std::vector<WORD> dialogTemplate =
      ui::BuildDialogTemplate(ui::Utf8ToWide("Mirefall"), kTemplateWidthUnits, kTemplateHeightUnits);
  win::UniqueWindowsHook keyFilter(
      ::SetWindowsHookExW(WH_MSGFILTER, &DialogKeyFilter, nullptr, ::GetCurrentThreadId()));
  INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr),
                                             reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
                                             &SettingsDialogProc, reinterpret_cast<LPARAM>(&state));
  return result == kSettingsSaved ? kSettingsSaved : kSettingsCancelled;
}

}  // namespace mf::dialog
