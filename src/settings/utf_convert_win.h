#pragma once
// UTF-8 inside the settings store, UTF-16 at the Windows call.
#include <string>
#include <string_view>

namespace mf::settings {

// Invalid input becomes U+FFFD, as Windows converts it.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace mf::settings
