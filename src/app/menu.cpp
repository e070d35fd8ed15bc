#include "app/menu.h"

#include <algorithm>

#include "i18n/translate.h"

namespace mf::app {
namespace {

constexpr int kButtonWidth = 140;
constexpr int kButtonGap = 10;
constexpr int kButtonRowFromRight = 464;  // three buttons and two gaps, 24 px from the edge
constexpr int kButtonTopFromBottom = 68;
constexpr int kButtonBottomFromBottom = 24;

constexpr int kBannerWidth = 540;
constexpr int kBannerTop = 36;
constexpr int kBannerBottom = 80;
constexpr int kBannerMinLeft = 24;

// Windows virtual-key codes of the keys the title window answers to.
constexpr unsigned kKeyTab = 0x09, kKeyEnter = 0x0D, kKeyEscape = 0x1B, kKeySpace = 0x20;
constexpr unsigned kKeyLeft = 0x25, kKeyUp = 0x26, kKeyRight = 0x27, kKeyDown = 0x28;

}  // namespace

MenuItems LayoutMenu(int clientWidth, int clientHeight, const std::optional<UpdateBanner>& banner) {
  struct ButtonSpec {
    const char* label;
    MenuAction action;
  };
  static constexpr ButtonSpec kButtons[] = {
      {"PLAY", MenuAction::Play}, {"Settings", MenuAction::Settings}, {"Exit", MenuAction::Exit}};

  MenuItems items;
  int left = clientWidth - kButtonRowFromRight;
  for (const ButtonSpec& button : kButtons) {
    MenuItem item;
    item.left = left;
    item.right = left + kButtonWidth;
    item.top = clientHeight - kButtonTopFromBottom;
    item.bottom = clientHeight - kButtonBottomFromBottom;
    item.label = i18n::Translate(button.label);
    item.action = button.action;
    items.push_back(std::move(item));
    left += kButtonWidth + kButtonGap;
  }

  if (banner) {
    MenuItem item;
    item.left = std::max(kBannerMinLeft, (clientWidth - kBannerWidth) / 2);
    item.right = item.left + kBannerWidth;
    item.top = kBannerTop;
    item.bottom = kBannerBottom;
    item.label = i18n::Translate("Update available: ") + banner->versionTag +
                 i18n::Translate(" — click to install");
    item.action = MenuAction::InstallUpdate;
    items.push_back(std::move(item));
  }
  return items;
}

int NextFocus(int focus, int count) { return count > 0 ? (focus + 1) % count : focus; }

int PreviousFocus(int focus, int count) { return count > 0 ? (focus + count - 1) % count : focus; }

int ItemIndexAt(const MenuItems& items, int x, int y) {
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].Contains(x, y)) return static_cast<int>(i);
  return -1;
}

bool TrackHover(MenuItems& items, int x, int y) {
  bool changed = false;
  for (MenuItem& item : items) {
    bool inside = item.Contains(x, y);
    changed |= inside != item.hovered;
    item.hovered = inside;
  }
  return changed;
}

bool ClearHover(MenuItems& items) {
  bool changed = false;
  for (MenuItem& item : items) {
    changed |= item.hovered;
    item.hovered = false;
  }
  return changed;
}

void PressAt(MenuItems& items, int x, int y) {
  int index = ItemIndexAt(items, x, y);
  if (index >= 0) items[index].pressed = true;
}

std::optional<MenuAction> ReleaseAt(MenuItems& items, int x, int y) {
  std::optional<MenuAction> action;
  for (MenuItem& item : items) {
    if (item.pressed && item.Contains(x, y)) action = item.action;
    item.pressed = false;
  }
  return action;
}

MenuKey ClassifyMenuKey(unsigned virtualKey) {
  switch (virtualKey) {
    case kKeyTab:
    case kKeyRight:
    case kKeyDown:
      return MenuKey::FocusNext;
    case kKeyLeft:
    case kKeyUp:
      return MenuKey::FocusPrevious;
    case kKeyEnter:
    case kKeySpace:
      return MenuKey::Activate;
    case kKeyEscape:
      return MenuKey::Close;
    default:
      return MenuKey::Ignored;
  }
}

}  // namespace mf::app
