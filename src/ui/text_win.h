#pragma once
// Text on its way to Windows: UTF-8 inside the program, UTF-16 at the Windows call, and
// every displayed English literal translated into the interface language on the way.
#include <filesystem>
#include <string>
#include <string_view>

#include "i18n/utf16_win.h"

namespace mf::ui {

using i18n::Utf8ToWide;
using i18n::WideToUtf8;

// The display text for an English UTF-8 literal, in the interface language.
std::wstring TrWide(std::string_view english);

// The same as a NUL-terminated pointer to hand straight to a Windows call. The text lives
// in a small per-thread ring of buffers, so two calls in one expression (a message box's
// text and caption) get separate buffers; keep it no longer than the call that uses it.
const wchar_t* TrPtr(const char* english);

// The folder of the running executable; the launcher's own files are addressed from it.
std::filesystem::path ExecutableFolder();

}  // namespace mf::ui
