#pragma once
#include <string_view>

namespace mf {

// The launcher's own release, as the release feed tags it. The window title and the
// version line both show this literal.
inline constexpr std::string_view kCurrentVersionTag = "v2.0.11";

// Where players find the project; shown in the version line without a scheme.
inline constexpr std::string_view kRepositoryPage = "github.com/mirefall-recomp/mirefall-launcher";

}  // namespace mf
