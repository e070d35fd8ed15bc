#pragma once
// Size, place and title of the launcher's title window.
#include <string>

namespace mf::app {

inline constexpr int kClientWidth = 1280;
inline constexpr int kClientHeight = 720;
inline constexpr char kWindowClassName[] = "MFLauncherWindow";

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// Top-left corner that centres a window of the given outer size on a screen, by integer
// division. A screen smaller than the window gives a negative position: the window then
// sits partly off-screen, as centring implies.
Point CentredWindowOrigin(int screenWidth, int screenHeight, int outerWidth, int outerHeight);

// "Mirefall Recompilation v2.0.11 | «Quillwork»" (UTF-8).
std::string TitleWindowCaption();

}  // namespace mf::app
