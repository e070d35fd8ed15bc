#pragma once
// What the title window paints and where: placements, colours and fonts, kept apart from
// the GDI+ calls so they can be checked without a screen. Colours are ARGB.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/menu.h"

namespace mf::app {

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

// The background fills the client area like a cover photo: scaled to cover it entirely,
// keeping its aspect, centred, the overflow cut off.
PixelRect CoverPlacement(int clientWidth, int clientHeight, int imageWidth, int imageHeight);

// The logo spans 42% of the client width near the top left, keeping its aspect.
PixelRect LogoPlacement(int clientWidth, int clientHeight, int imageWidth, int imageHeight);

inline constexpr std::uint32_t kBackgroundFill = 0xFF0C0E12;  // when the picture is missing

// The dark band under the buttons: transparent at its top, 0xA0 black at the bottom edge.
inline constexpr int kBottomShadeHeight = 80;
inline constexpr std::uint32_t kBottomShadeTop = 0x00000000;
inline constexpr std::uint32_t kBottomShadeBottom = 0xA0000000;

struct TextStyle {
  float pixelSize;
  bool bold;
  std::uint32_t colour;
};

inline constexpr std::string_view kControlHint = "D-Pad: Select Option   A: Confirm";
inline constexpr TextStyle kHintText{14.0f, false, 0xC8DCDCDC};
inline constexpr int kHintX = 20;
inline constexpr int kHintFromBottom = 32;

inline constexpr TextStyle kVersionText{12.0f, false, 0x96C8C8C8};
inline constexpr int kVersionLineTop = 12, kVersionLineHeight = 20, kVersionLineRightMargin = 20;
// "MFLauncher v2.0.11  —  <repository page>"; shown untranslated, as names are.
std::string VersionLineText();

struct ButtonColours {
  std::uint32_t fill;
  std::uint32_t border;
  bool operator==(const ButtonColours&) const = default;
};
// Pressed wins over hovered or focused, which win over normal.
ButtonColours ButtonColoursFor(const MenuItem& item, bool focused);
inline constexpr float kButtonBorderWidth = 1.5f;
inline constexpr TextStyle kButtonText{18.0f, true, 0xFFE6E6E6};

// A button's label stays on one line inside its button whatever font the fallback chose:
// when it is too wide at its size, it is drawn a pixel smaller at a time until it fits, or
// at the smallest size.
inline constexpr float kSmallestButtonTextSize = 11.0f;
inline constexpr int kButtonTextPadding = 8;  // each side
float FittingTextSize(float preferred, float smallest, float availableWidth,
                      const std::function<float(float size)>& widthAtSize);

// PLAY, Settings and Exit side by side read as one row only at one size: the largest at
// which every label fits its own width (availableWidths[i] for label i), or the smallest
// size. Labels are measured from the size the earlier ones left downwards.
float SharedFittingTextSize(float preferred, float smallest, const std::vector<float>& availableWidths,
                            const std::function<float(int label, float size)>& widthAtSize);

// The update banner: a pill with a soft red glow that brightens while it is active
// (hovered, pressed or focused).
struct BannerLook {
  std::array<std::uint32_t, 5> glow;  // for growth 5, 4, 3, 2, 1 pixels, in drawing order
  std::uint32_t bodyTop, bodyBottom;  // vertical gradient
  std::uint32_t outline;
};
BannerLook BannerLookFor(bool active);
inline constexpr float kBannerOutlineWidth = 1.0f;
inline constexpr TextStyle kBannerText{15.0f, true, 0xFFE6E6E6};

// Font families in order of preference; the first one installed is used.
std::span<const char* const> ButtonFontFamilies();  // buttons and banner
std::span<const char* const> TextFontFamilies();    // hint and version line

}  // namespace mf::app
