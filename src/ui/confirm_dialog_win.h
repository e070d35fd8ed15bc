#pragma once
// The launcher's Yes/No question: a small dark dialog, Yes as the default button; Escape
// and the close box answer No.
#include <windows.h>

#include <string>

namespace mf::ui {

// IDYES (6) or IDNO (7). The owner may be null (questions asked during start-up).
int ConfirmYesNo(HWND owner, const std::wstring& message, const std::wstring& caption);

}  // namespace mf::ui
