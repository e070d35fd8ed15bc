#include "dialog/setting_controls_win.h"

#include <commctrl.h>

#include <algorithm>

#include "dialog/choice_entries.h"
#include "dialog/dialog_style_win.h"
#include "dialog/focus_ring_win.h"
#include "dialog/settings_page_layout.h"
#include "dialog/slider_scale.h"
#include "settings/settings_schema.h"
#include "ui/text_win.h"
#include "ui/win_handles_win.h"

namespace mf::dialog {
namespace {

using ui::TrWide;
using ui::Utf8ToWide;
using ui::WideToUtf8;
using settings::SettingDef;
using settings::SettingKind;

constexpr int kMaxTooltipWidth = 420;
constexpr wchar_t kTooltipProperty[] = L"mf_tooltip";
constexpr int kEmptyPageNoteIdBase = 3000;
constexpr char kEmptyPageNote[] = "There are no settings on this page in this version.";

HWND CreateChild(HWND dialog, const wchar_t* className, const std::wstring& text, DWORD style, int id,
                 const PixelBox& box, int top) {
  HWND child = ::CreateWindowExW(0, className, text.c_str(), WS_CHILD | style, box.x, box.y + top, box.width,
                                 box.height, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                 nullptr);
  if (child) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  return child;
}

// The dialog's one tooltip window, made when the first row with a tooltip needs it.
HWND DialogTooltip(HWND dialog) {
  if (HWND existing = static_cast<HWND>(::GetPropW(dialog, kTooltipProperty))) return existing;
  HWND tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                   nullptr, nullptr);
  if (!tooltip) return nullptr;  // the row goes without; a later row tries again
  ::SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, kMaxTooltipWidth);
  ::SetPropW(dialog, kTooltipProperty, tooltip);
  return tooltip;
}

void AddTooltip(HWND dialog, HWND label, const std::string& english) {
  HWND tooltip = DialogTooltip(dialog);
  if (!tooltip) return;
  std::wstring text = TrWide(english);
  TTTOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(label);
  tool.lpszText = text.data();
  ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SetSliderPosition(HWND slider, const ControlRow& row, const std::wstring& text) {
  int position = SliderPositionFor(ReadDecimal(WideToUtf8(text)), row.min, row.max);
  ::SendMessageW(slider, TBM_SETPOS, TRUE, position);
}

HWND CreateDropDown(HWND dialog, const SettingDef& setting, int id, const PixelBox& box, int top, int widestEntry,
                    ControlRow& row) {
  HWND combo = CreateChild(dialog, WC_COMBOBOXW, L"", WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, id, box, top);
  std::vector<ChoiceEntry> entries = ChoiceEntriesFor(setting);
  for (const ChoiceEntry& entry : entries) {
    std::wstring label = Utf8ToWide(entry.label);
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
    row.choiceValues.push_back(entry.value);
  }
  ::SendMessageW(combo, CB_SETCURSEL, SelectedEntryFor(entries, setting.value), 0);
  ::SendMessageW(combo, CB_SETDROPPEDWIDTH, DropDownListWidth(box.width, widestEntry), 0);
  return combo;
}

// The slider comes first so that Tab goes from left to right.
HWND CreateRangedEdit(HWND dialog, const SettingDef& setting, int r, const RowBoxes& boxes, int top,
                      ControlRow& row) {
  row.min = setting.min;
  row.max = setting.max;
  std::wstring text = Utf8ToWide(setting.value);
  if (boxes.slider) {
    row.slider = CreateChild(dialog, TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_BOTH | TBS_NOTICKS, kSliderIdBase + r,
                             *boxes.slider, top);
    ::SendMessageW(row.slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, kSliderSteps));
    ::SendMessageW(row.slider, TBM_SETPAGESIZE, 0, kSliderPageSize);
    SetSliderPosition(row.slider, row, text);
  }
  return CreateChild(dialog, WC_EDITW, text, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kValueControlIdBase + r,
                     boxes.control, top);
}

ControlRow CreateRow(HWND dialog, const SettingDef& setting, int r, const PageColumns& columns, int k, int top,
                     const RowTextWidths& texts) {
  ControlRow row;
  row.row = r;
  ValueControl kind = ValueControlFor(setting);
  RowBoxes boxes = PlaceRow(columns, k, kind);

  // SS_NOTIFY lets the label see the pointer; without it the tooltip would never show.
  DWORD labelStyle = SS_NOPREFIX | SS_ENDELLIPSIS | (setting.tooltip.empty() ? 0 : SS_NOTIFY);
  row.label = CreateChild(dialog, WC_STATICW, TrWide(setting.label), labelStyle, kLabelIdBase + r, boxes.label, top);
  if (!setting.tooltip.empty()) AddTooltip(dialog, row.label, setting.tooltip);

  int id = kValueControlIdBase + r;
  switch (kind) {
    case ValueControl::CheckBox:
      row.control = CreateChild(dialog, WC_BUTTONW, L"", WS_TABSTOP | BS_AUTOCHECKBOX, id, boxes.control, top);
      ::SendMessageW(row.control, BM_SETCHECK, IsTickedValue(setting.value) ? BST_CHECKED : BST_UNCHECKED, 0);
      AddFocusRing(row.control);
      break;
    case ValueControl::DropDown:
      row.control = CreateDropDown(dialog, setting, id, boxes.control, top, texts.widestEntry, row);
      break;
    case ValueControl::RangedEdit:
      row.control = CreateRangedEdit(dialog, setting, r, boxes, top, row);
      break;
    case ValueControl::Edit:
      row.control = CreateChild(dialog, WC_EDITW, Utf8ToWide(setting.value), WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                                id, boxes.control, top);
      break;
  }
  return row;
}

std::wstring WindowTextOf(HWND window) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool IsWholeNumberRow(const ControlRow& row) {
  return settings::SettingsSchema()[static_cast<size_t>(row.row)].kind == SettingKind::Int;
}

}  // namespace

std::vector<RowTextWidths> MeasurePageTexts(int page) {
  std::vector<RowTextWidths> texts;
  for (const SettingDef& setting : settings::SettingsSchema()) {
    if (static_cast<int>(setting.tab) != page) continue;
    RowTextWidths row;
    if (!setting.label.empty()) row.label = TextWidth(DialogFont(), TrWide(setting.label).c_str());
    if (ValueControlFor(setting) == ValueControl::DropDown) {
      for (const ChoiceEntry& entry : ChoiceEntriesFor(setting))
        row.widestEntry = std::max(row.widestEntry, TextWidth(DialogFont(), Utf8ToWide(entry.label).c_str()));
    }
    texts.push_back(row);
  }
  return texts;
}

int ClosedDropDownChrome(HWND dialog) {
  // A list draws its text a pixel or two inside the box it reports and clips it a pixel
  // before that box ends; a themed list keeps a little more.
  constexpr int kTextInset = 6;
  constexpr int kProbeWidth = 200;
  // Borders and an arrow button as wide as a scroll bar, should the probe fail.
  const int fallback = 4 + ::GetSystemMetrics(SM_CXVSCROLL) + 2 + kTextInset;
  win::UniqueWindow probe(::CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, kProbeWidth,
                                            200, dialog, nullptr, nullptr, nullptr));
  if (!probe) return fallback;
  ::SendMessageW(probe.get(), WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  if (!::GetComboBoxInfo(probe.get(), &info) || info.rcItem.right <= info.rcItem.left) return fallback;
  return kProbeWidth - (info.rcItem.right - info.rcItem.left) + kTextInset;
}

int CreateSettingsPage(HWND dialog, const PageFrame& frame, int page, const std::vector<RowTextWidths>& texts,
                       SettingControls& controls) {
  const std::vector<SettingDef>& schema = settings::SettingsSchema();
  int count = static_cast<int>(texts.size());
  PageColumns columns = FitPageColumns(frame.clientWidth, frame.baseClientWidth, texts, frame.dropDownChrome);
  int k = 0;
  for (size_t r = 0; r < schema.size() && k < count; ++r) {
    if (static_cast<int>(schema[r].tab) != page) continue;
    controls.rows.push_back(
        CreateRow(dialog, schema[r], static_cast<int>(r), columns, k, frame.top, texts[static_cast<size_t>(k)]));
    ++k;
  }
  if (count == 0) {
    PixelBox line = PlaceRow(ChoosePageColumns(1, frame.clientWidth), 0, ValueControl::Edit).label;
    line.width = frame.clientWidth - 2 * kPageMargin;
    if (HWND note = CreateChild(dialog, WC_STATICW, ui::TrWide(kEmptyPageNote), SS_NOPREFIX | SS_ENDELLIPSIS,
                                kEmptyPageNoteIdBase + page, line, frame.top))
      controls.emptyPageNotes.emplace_back(page, note);
  }
  return PageHeight(columns, count);
}

void ShowSettingsPage(const SettingControls& controls, int page) {
  const std::vector<SettingDef>& schema = settings::SettingsSchema();
  for (const ControlRow& row : controls.rows) {
    int show = static_cast<int>(schema[static_cast<size_t>(row.row)].tab) == page ? SW_SHOW : SW_HIDE;
    for (HWND window : {row.label, row.control, row.slider})
      if (window) ::ShowWindow(window, show);
  }
  for (const auto& [notePage, note] : controls.emptyPageNotes) ::ShowWindow(note, notePage == page ? SW_SHOW : SW_HIDE);
}

void OnSliderMoved(SettingControls& controls, HWND slider) {
  if (controls.syncing) return;
  auto found = std::find_if(controls.rows.begin(), controls.rows.end(),
                            [&](const ControlRow& row) { return row.slider && row.slider == slider; });
  if (found == controls.rows.end()) return;
  int position = static_cast<int>(::SendMessageW(slider, TBM_GETPOS, 0, 0));
  std::wstring text = Utf8ToWide(SliderValueText(position, found->min, found->max, IsWholeNumberRow(*found)));
  controls.syncing = true;
  ::SetWindowTextW(found->control, text.c_str());
  controls.syncing = false;
}

void OnEditChanged(SettingControls& controls, HWND edit) {
  if (controls.syncing) return;
  auto found = std::find_if(controls.rows.begin(), controls.rows.end(),
                            [&](const ControlRow& row) { return row.slider && row.control == edit; });
  if (found == controls.rows.end()) return;
  wchar_t text[63] = {};
  ::GetWindowTextW(edit, text, 63);
  controls.syncing = true;
  SetSliderPosition(found->slider, *found, text);
  controls.syncing = false;
}

std::vector<RejectedField> ReadBackControls(const SettingControls& controls) {
  std::vector<SettingDef>& schema = settings::SettingsSchema();
  std::vector<RejectedField> rejected;
  for (const ControlRow& row : controls.rows) {
    if (!row.control) continue;
    SettingDef& setting = schema[static_cast<size_t>(row.row)];
    switch (ValueControlFor(setting)) {
      case ValueControl::CheckBox:
        setting.value = CheckBoxValue(::SendMessageW(row.control, BM_GETCHECK, 0, 0) == BST_CHECKED);
        break;
      case ValueControl::DropDown: {
        LRESULT selected = ::SendMessageW(row.control, CB_GETCURSEL, 0, 0);
        if (selected >= 0 && static_cast<size_t>(selected) < row.choiceValues.size())
          setting.value = row.choiceValues[static_cast<size_t>(selected)];
        break;
      }
      case ValueControl::Edit:
      case ValueControl::RangedEdit: {
        std::string typed = WideToUtf8(WindowTextOf(row.control));
        EditReadBack result = ReadBackEditText(setting, typed);
        if (result.rejected) rejected.push_back({setting.label, typed});
        setting.value = std::move(result.value);
        break;
      }
    }
  }
  return rejected;
}

}  // namespace mf::dialog
