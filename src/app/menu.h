#pragma once
// The title window's clickable items and how mouse and keys move between them.
// Plain state and arithmetic; the window procedure feeds it and repaints.
#include <optional>
#include <string>
#include <vector>

namespace mf::app {

enum class MenuAction : int { Play = 1, Settings = 2, Exit = 3, InstallUpdate = 4 };

struct MenuItem {
  int left = 0, top = 0, right = 0, bottom = 0;  // client pixels, right and bottom exclusive
  std::string label;                             // already translated, UTF-8
  bool hovered = false;
  bool pressed = false;
  MenuAction action = MenuAction::Play;

  bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

using MenuItems = std::vector<MenuItem>;

// The newer release the banner offers, once the release check has found one.
struct UpdateBanner {
  std::string versionTag;
};

// PLAY, Settings and Exit along the bottom right, and the update banner centred near the
// top when an update is on offer. Labels are translated here.
MenuItems LayoutMenu(int clientWidth, int clientHeight, const std::optional<UpdateBanner>& banner);

// Focus moves with wrap-around; a menu without items keeps the focus where it is.
int NextFocus(int focus, int count);
int PreviousFocus(int focus, int count);

// Index of the first item holding the point, or -1.
int ItemIndexAt(const MenuItems& items, int x, int y);

// Hover follows the pointer; true when any item changed.
bool TrackHover(MenuItems& items, int x, int y);
bool ClearHover(MenuItems& items);

// A press marks the first item under the pointer; the release runs an item's action only
// when it lands on the item that was pressed (the last such item wins). Every release
// clears all pressed flags.
void PressAt(MenuItems& items, int x, int y);
std::optional<MenuAction> ReleaseAt(MenuItems& items, int x, int y);

// What a key press does in the title window.
enum class MenuKey { Ignored, FocusNext, FocusPrevious, Activate, Close };
MenuKey ClassifyMenuKey(unsigned virtualKey);

}  // namespace mf::app
