#include "ui/text_win.h"

#include <windows.h>

#include <array>

#include "i18n/translate.h"

namespace mf::ui {

std::wstring TrWide(std::string_view english) { return Utf8ToWide(i18n::Translate(english)); }

const wchar_t* TrPtr(const char* english) {
  thread_local std::array<std::wstring, 4> ring;
  thread_local size_t next = 0;
  std::wstring& slot = ring[next];
  next = (next + 1) % ring.size();
  slot = TrWide(english ? english : "");
  return slot.c_str();
}

std::filesystem::path ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // long path: try again with room for it
  }
  return std::filesystem::path(path).parent_path();
}

}  // namespace mf::ui
