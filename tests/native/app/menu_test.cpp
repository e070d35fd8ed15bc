#include "app/menu.h"

#include <gtest/gtest.h>

#include "i18n/translate.h"

namespace mf::app {
namespace {

struct Box {
  int left, top, right, bottom;
};

void ExpectBox(const MenuItem& item, Box box) {
  EXPECT_EQ(item.left, box.left);
  EXPECT_EQ(item.top, box.top);
  EXPECT_EQ(item.right, box.right);
  EXPECT_EQ(item.bottom, box.bottom);
}

TEST(LayoutMenu, ButtonsSitInTheBottomRightCorner) {
  MenuItems items = LayoutMenu(1280, 720, std::nullopt);
  ASSERT_EQ(items.size(), 3u);
  ExpectBox(items[0], {816, 652, 956, 696});
  ExpectBox(items[1], {966, 652, 1106, 696});
  ExpectBox(items[2], {1116, 652, 1256, 696});  // 24 px from the right and bottom edges
  EXPECT_EQ(items[0].label, "PLAY");
  EXPECT_EQ(items[1].label, "Settings");
  EXPECT_EQ(items[2].label, "Exit");
  EXPECT_EQ(items[0].action, MenuAction::Play);
  EXPECT_EQ(items[1].action, MenuAction::Settings);
  EXPECT_EQ(items[2].action, MenuAction::Exit);
}

TEST(LayoutMenu, FollowsTheClientSize) {
  struct Case {
    int width, height;
    Box play, banner;
  } cases[] = {
      {1280, 720, {816, 652, 956, 696}, {370, 36, 910, 80}},
      {800, 600, {336, 532, 476, 576}, {130, 36, 670, 80}},
      {588, 400, {124, 332, 264, 376}, {24, 36, 564, 80}},
      {500, 300, {36, 232, 176, 276}, {24, 36, 564, 80}},  // narrower than the banner
      {0, 0, {-464, -68, -324, -24}, {24, 36, 564, 80}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    MenuItems items = LayoutMenu(c.width, c.height, UpdateBanner{"v2.1.0"});
    ASSERT_EQ(items.size(), 4u);
    ExpectBox(items[0], c.play);
    ExpectBox(items[3], c.banner);
  }
}

TEST(LayoutMenu, BannerOffersTheNewRelease) {
  MenuItems items = LayoutMenu(1280, 720, UpdateBanner{"v2.1.0"});
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[3].action, MenuAction::InstallUpdate);
  EXPECT_EQ(items[3].label, "Update available: v2.1.0 — click to install");
}

TEST(LayoutMenu, LabelsAreTranslated) {
  i18n::SetUiLanguage(i18n::UiLanguage::Ukrainian);
  MenuItems items = LayoutMenu(1280, 720, UpdateBanner{"v2.1.0"});
  i18n::SetUiLanguage(i18n::UiLanguage::English);
  EXPECT_EQ(items[0].label, "ГРАТИ");
  EXPECT_EQ(items[2].label, "Вихід");
  EXPECT_EQ(items[3].label, "Доступне оновлення: v2.1.0 — натисніть, щоб встановити");
}

TEST(Focus, WrapsAroundBothWays) {
  EXPECT_EQ(NextFocus(0, 3), 1);
  EXPECT_EQ(NextFocus(2, 3), 0);
  EXPECT_EQ(NextFocus(2, 4), 3);
  EXPECT_EQ(NextFocus(3, 4), 0);
  EXPECT_EQ(PreviousFocus(0, 3), 2);
  EXPECT_EQ(PreviousFocus(0, 4), 3);
  EXPECT_EQ(PreviousFocus(1, 3), 0);
}

TEST(Focus, FullCycleVisitsEveryItemOnce) {
  for (int count : {3, 4}) {
    int focus = 0;
    for (int step = 1; step <= count; ++step) {
      focus = NextFocus(focus, count);
      EXPECT_EQ(focus, step % count);
    }
  }
}

TEST(Focus, EmptyMenuKeepsFocus) {
  EXPECT_EQ(NextFocus(0, 0), 0);
  EXPECT_EQ(PreviousFocus(0, 0), 0);
}

TEST(HitTest, EdgesFollowHalfOpenRectangles) {
  MenuItems items = LayoutMenu(1280, 720, std::nullopt);
  EXPECT_EQ(ItemIndexAt(items, 816, 652), 0);   // top-left corner is inside
  EXPECT_EQ(ItemIndexAt(items, 955, 695), 0);   // last pixel inside
  EXPECT_EQ(ItemIndexAt(items, 956, 660), -1);  // right edge is outside (the gap)
  EXPECT_EQ(ItemIndexAt(items, 900, 696), -1);  // bottom edge is outside
  EXPECT_EQ(ItemIndexAt(items, 966, 660), 1);
  EXPECT_EQ(ItemIndexAt(items, 1255, 660), 2);
  EXPECT_EQ(ItemIndexAt(items, 10, 10), -1);
}

TEST(Mouse, ReleaseOnThePressedItemRunsItsAction) {
  MenuItems items = LayoutMenu(1280, 720, std::nullopt);
  PressAt(items, 820, 660);
  EXPECT_TRUE(items[0].pressed);
  EXPECT_EQ(ReleaseAt(items, 900, 690), MenuAction::Play);
  EXPECT_FALSE(items[0].pressed);
}

TEST(Mouse, PressOnPlayReleaseOverExitDoesNothing) {
  MenuItems items = LayoutMenu(1280, 720, std::nullopt);
  PressAt(items, 820, 660);
  EXPECT_EQ(ReleaseAt(items, 1200, 670), std::nullopt);
  for (const MenuItem& item : items) EXPECT_FALSE(item.pressed);
}

TEST(Mouse, ReleaseWithoutPressDoesNothing) {
  MenuItems items = LayoutMenu(1280, 720, std::nullopt);
  EXPECT_EQ(ReleaseAt(items, 1200, 670), std::nullopt);
  PressAt(items, 10, 10);  // on no item
  EXPECT_EQ(ReleaseAt(items, 10, 10), std::nullopt);
}

TEST(Mouse, HoverFollowsThePointerAndLeaves) {
  MenuItems items = LayoutMenu(1280, 720, std::nullopt);
  EXPECT_TRUE(TrackHover(items, 1000, 670));
  EXPECT_TRUE(items[1].hovered);
  EXPECT_FALSE(TrackHover(items, 1001, 671));  // same item: nothing to repaint
  EXPECT_TRUE(TrackHover(items, 1200, 670));
  EXPECT_FALSE(items[1].hovered);
  EXPECT_TRUE(items[2].hovered);
  EXPECT_TRUE(ClearHover(items));
  EXPECT_FALSE(items[2].hovered);
  EXPECT_FALSE(ClearHover(items));
}

TEST(Keys, NavigationActivationAndClose) {
  struct Case {
    unsigned key;
    MenuKey expected;
  } cases[] = {
      {0x09, MenuKey::FocusNext},     {0x27, MenuKey::FocusNext}, {0x28, MenuKey::FocusNext},
      {0x25, MenuKey::FocusPrevious}, {0x26, MenuKey::FocusPrevious},
      {0x0D, MenuKey::Activate},      {0x20, MenuKey::Activate},  {0x1B, MenuKey::Close},
      {'A', MenuKey::Ignored},        {0x70 /* F1 */, MenuKey::Ignored},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyMenuKey(c.key), c.expected) << c.key;
}

}  // namespace
}  // namespace mf::app
