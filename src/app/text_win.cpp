#include "app/text_win.h"

#include <windows.h>

#include <array>
#include <climits>

#include "i18n/translate.h"

namespace mf::app {

std::wstring Utf8ToWide(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return {};
  int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
  if (wide.empty() || wide.size() > INT_MAX) return {};
  int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                     nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
  return utf8;
}

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

}  // namespace mf::app
