#include "app/menu_accessibility.h"

#include <gtest/gtest.h>

namespace mf::app {
namespace {

using Nav = AccessibleNavigation;

// PLAY, Settings, Exit along the bottom, the banner above them.
MenuItems TitleItems(bool banner) {
  return LayoutMenu(1280, 720, banner ? std::optional<UpdateBanner>(UpdateBanner{"v2.1.0"}) : std::nullopt);
}

TEST(NavigateAccessible, WalksTheItemsInAllDirections) {
  MenuItems items = TitleItems(true);
  constexpr int play = 1, settings = 2, exit = 3, banner = 4, none = kAccessibleSelf;
  struct Case {
    int from;
    Nav direction;
    int to;
  } cases[] = {
      {kAccessibleSelf, Nav::FirstChild, play}, {kAccessibleSelf, Nav::LastChild, banner},
      {kAccessibleSelf, Nav::Next, none},       {play, Nav::Next, settings},
      {banner, Nav::Next, none},                {play, Nav::Previous, none},
      {exit, Nav::Previous, settings},          {play, Nav::Right, settings},
      {settings, Nav::Right, exit},             {exit, Nav::Right, none},
      {settings, Nav::Left, play},              {play, Nav::Left, none},
      {settings, Nav::Up, banner},              {banner, Nav::Down, play},
      {banner, Nav::Up, none},                  {play, Nav::FirstChild, none},
      {7, Nav::Next, none},                     {-1, Nav::Next, none},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NavigateAccessible(items, c.from, c.direction), c.to)
        << "from " << c.from << " direction " << static_cast<int>(c.direction);
}

TEST(NavigateAccessible, EmptyMenuHasNoChildren) {
  EXPECT_EQ(NavigateAccessible({}, kAccessibleSelf, Nav::FirstChild), kAccessibleSelf);
}

TEST(IsItemChildId, CountsFromOne) {
  MenuItems items = TitleItems(false);
  EXPECT_FALSE(IsItemChildId(items, 0));
  EXPECT_TRUE(IsItemChildId(items, 1));
  EXPECT_TRUE(IsItemChildId(items, 3));
  EXPECT_FALSE(IsItemChildId(items, 4));
}

}  // namespace
}  // namespace mf::app
