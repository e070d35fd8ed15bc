#pragma once
// The one-time question whether to switch the game's native DirectX 12 renderer on.
#include <string>
#include <string_view>

namespace mf::settings {

// launcher.ini key whose presence means the question was settled; its values:
inline constexpr std::string_view kNativeOfferKey = "launcher_native_offer_v2";
inline constexpr std::string_view kNativeOfferAlreadyOn = "already_on";
inline constexpr std::string_view kNativeOfferAccepted = "yes";
inline constexpr std::string_view kNativeOfferDeclined = "no";

// The game setting the offer switches on.
inline constexpr std::string_view kNativeRenderKey = "mf_native_render";

inline constexpr const char* kNativeOfferCaption = "Try the native renderer?";

// The question in the interface language: four paragraphs separated by blank lines, the
// third followed by the project page in parentheses.
std::string NativeRendererOfferText();

}  // namespace mf::settings
