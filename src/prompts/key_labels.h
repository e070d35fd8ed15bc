#pragma once
// Key-cap labels: the short upper-case text the prompt overlay prints on a key cap for a
// key binding such as "E,Space+LMB", "Shift+Left" or "WheelUp".
#include <string>
#include <string_view>

namespace mf::prompts {

// The label of a binding (UTF-8), never empty: only the first alternative (before the
// first ',') counts; its '+'-joined key names become labels joined by "+". Well-known names
// get fixed labels ("Control" is CTRL, "Left" is an arrow); any other name is upper-cased
// (ASCII) and cut to its first 6 bytes. Nothing usable gives "?".
std::u16string KeyCapLabel(std::string_view binding);

// UTF-8 to UTF-16 as Windows converts it: a byte that starts no complete, valid sequence
// becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

}  // namespace mf::prompts
