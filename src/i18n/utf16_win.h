#pragma once
// UTF-8 inside the program, UTF-16 at the Windows call.
#include <string>
#include <string_view>

namespace mf::i18n {

// With the system's conversion rules: invalid UTF-8 bytes become U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace mf::i18n
