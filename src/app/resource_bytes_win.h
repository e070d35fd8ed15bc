#pragma once
#include <windows.h>

#include <string_view>

namespace mf::app {

// The bytes of an RCDATA resource of the module, valid while the module is loaded; empty
// when it is missing or cannot be loaded.
std::string_view ResourceBytes(HMODULE module, int resourceId);

}  // namespace mf::app
