#pragma once
// Release tags as dotted numbers: "v2.0.11" is 2, 0, 11.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace mf::update {

using VersionNumber = std::vector<std::int32_t>;

// One optional leading 'v' or 'V', then decimal components joined by dots. Reading stops
// silently at the first thing that does not fit: "v2.0.12-beta" is 2, 0, 12; "2.x" is 2;
// letters only give no components. Nothing when a component is beyond the 32-bit range.
std::optional<VersionNumber> ParseVersion(std::string_view tag);

// True only when the remote tag is strictly greater, missing components counting as 0:
// v2.0.11.0 is not newer than v2.0.11, v2.0.11.1 is, and v10.0.0 is newer than v9.9.9.
// A tag that cannot be read is never newer.
bool IsNewerVersion(std::string_view remote, std::string_view current);

}  // namespace mf::update
