#include "app/pad_navigation.h"

#include <gtest/gtest.h>

namespace mf::app {
namespace {

using Events = std::vector<PadEvent>;

PadReading Buttons(std::uint16_t buttons) { return {buttons, 0, 0}; }
PadReading Stick(int x, int y) { return {0, x, y}; }

// Feeds the same reading for a number of polls and gathers everything it produced.
Events Hold(PadNavigator& navigator, const PadReading& reading, int polls) {
  Events all;
  for (int i = 0; i < polls; ++i) {
    Events events = navigator.Update(reading);
    all.insert(all.end(), events.begin(), events.end());
  }
  return all;
}

TEST(PadNavigator, ButtonsActOnceWhenPressed) {
  struct Case {
    std::uint16_t button;
    PadIntent intent;
  } cases[] = {{kPadA, PadIntent::Activate},
               {kPadB, PadIntent::Back},
               {kPadLeftShoulder, PadIntent::PreviousTab},
               {kPadRightShoulder, PadIntent::NextTab}};
  for (const Case& c : cases) {
    PadNavigator navigator;
    EXPECT_EQ(Hold(navigator, Buttons(c.button), 100), (Events{{c.intent, false}})) << "held, no repeat";
    EXPECT_EQ(Hold(navigator, Buttons(0), 3), Events{});
    EXPECT_EQ(Hold(navigator, Buttons(c.button), 1), (Events{{c.intent, false}})) << "pressed again";
  }
}

TEST(PadNavigator, ButtonsPressedTogetherComeInAFixedOrder) {
  PadNavigator navigator;
  EXPECT_EQ(navigator.Update(Buttons(kPadRightShoulder | kPadA | kPadDpadDown)),
            (Events{{PadIntent::Down, false}, {PadIntent::Activate, false}, {PadIntent::NextTab, false}}));
}

TEST(PadNavigator, HeldDirectionRepeatsAfterADelay) {
  PadNavigator navigator;
  Events events = Hold(navigator, Buttons(kPadDpadRight), kRepeatDelayPolls);
  EXPECT_EQ(events, (Events{{PadIntent::Right, false}})) << "no repeat within the delay";
  events = Hold(navigator, Buttons(kPadDpadRight), 1 + 2 * kRepeatIntervalPolls);
  EXPECT_EQ(events, (Events{{PadIntent::Right, true}, {PadIntent::Right, true}, {PadIntent::Right, true}}));
}

TEST(PadNavigator, ChangingDirectionStartsOver) {
  PadNavigator navigator;
  Hold(navigator, Buttons(kPadDpadDown), kRepeatDelayPolls - 1);
  EXPECT_EQ(Hold(navigator, Buttons(kPadDpadUp), kRepeatDelayPolls), (Events{{PadIntent::Up, false}}));
}

TEST(PadNavigator, DpadWinsOverTheStick) {
  PadNavigator navigator;
  EXPECT_EQ(navigator.Update({kPadDpadLeft, 30000, 0}), (Events{{PadIntent::Left, false}}));
}

TEST(PadNavigator, StickHasADeadZone) {
  PadNavigator navigator;
  EXPECT_EQ(Hold(navigator, Stick(kStickEngage - 1, -(kStickEngage - 1)), 50), Events{});
  EXPECT_EQ(navigator.Update(Stick(0, -kStickEngage)), (Events{{PadIntent::Down, false}}));
  EXPECT_EQ(navigator.Update(Stick(0, 0)), Events{});
  EXPECT_EQ(navigator.Update(Stick(-32768, 0)), (Events{{PadIntent::Left, false}}));
  EXPECT_EQ(navigator.Update(Stick(0, 0)), Events{});
  EXPECT_EQ(navigator.Update(Stick(0, 32767)), (Events{{PadIntent::Up, false}}));
}

TEST(PadNavigator, StickNearTheThresholdDoesNotFlicker) {
  PadNavigator navigator;
  EXPECT_EQ(navigator.Update(Stick(kStickEngage + 100, 0)), (Events{{PadIntent::Right, false}}));
  // A thumb wobbling around the engage point stays one push until it really lets go.
  Events events;
  for (int i = 0; i < 10; ++i) {
    Events one = navigator.Update(Stick(i % 2 ? kStickEngage + 500 : kStickEngage - 3000, 0));
    events.insert(events.end(), one.begin(), one.end());
  }
  EXPECT_EQ(events, Events{});
  EXPECT_EQ(navigator.Update(Stick(kStickRelease - 1, 0)), Events{});
  EXPECT_EQ(navigator.Update(Stick(kStickEngage, 0)), (Events{{PadIntent::Right, false}}));
}

TEST(PadNavigator, DiagonalStickKeepsTheDirectionItStartedWith) {
  PadNavigator navigator;
  EXPECT_EQ(navigator.Update(Stick(20000, 0)), (Events{{PadIntent::Right, false}}));
  // Rolled to a diagonal where up is now the larger share: still right while right holds.
  EXPECT_EQ(navigator.Update(Stick(15000, 25000)), Events{});
  // Right let go, up still pushed: now it is up.
  EXPECT_EQ(navigator.Update(Stick(2000, 25000)), (Events{{PadIntent::Up, false}}));
}

TEST(PadNavigator, AButtonHeldWhileTheWindowChangesIsNotPressedAgain) {
  PadNavigator navigator;
  EXPECT_EQ(navigator.Update(Buttons(kPadA)), (Events{{PadIntent::Activate, false}}));
  // However long until the next poll, a button that stayed down is the same press.
  EXPECT_EQ(navigator.Update(Buttons(kPadA)), Events{});
}

TEST(PadSlotSchedule, EmptySlotsAreAskedAboutOncePerSecondOnePerPoll) {
  PadSlotSchedule schedule;
  int asked[PadSlotSchedule::kSlots] = {};
  std::uint64_t polls = 10 * PadSlotSchedule::kEmptySlotRetryPolls;
  for (std::uint64_t poll = 0; poll < polls; ++poll) {
    std::vector<int> slots = schedule.SlotsFor(poll);
    ASSERT_LE(slots.size(), 1u) << "poll " << poll;
    for (int slot : slots) {
      ++asked[slot];
      schedule.Report(slot, false, poll);
    }
  }
  for (int count : asked) {
    EXPECT_GE(count, 9);
    EXPECT_LE(count, 11);
  }
  EXPECT_FALSE(schedule.AnyConnected());
}

TEST(PadSlotSchedule, ConnectedSlotIsReadOnEveryPoll) {
  PadSlotSchedule schedule;
  schedule.Report(0, true, 0);
  for (std::uint64_t poll = 1; poll < 200; ++poll) {
    std::vector<int> slots = schedule.SlotsFor(poll);
    ASSERT_FALSE(slots.empty());
    EXPECT_EQ(slots.front(), 0);
    for (int slot : slots) schedule.Report(slot, slot == 0, poll);
  }
  EXPECT_TRUE(schedule.AnyConnected());
  schedule.Report(0, false, 200);  // unplugged: back to the slow probe
  EXPECT_TRUE(schedule.SlotsFor(201).empty() || schedule.SlotsFor(201).front() != 0);
}

TEST(DialogStepFor, MapsIntentsByTheFocusedControl) {
  using K = DialogControlKind;
  using S = DialogStep;
  using I = PadIntent;
  struct Case {
    I intent;
    bool repeat;
    K focused;
    S step;
  } cases[] = {
      {I::Down, false, K::Slider, S::FocusNext},
      {I::Up, true, K::ComboBox, S::FocusPrevious},
      {I::Right, false, K::PushButton, S::FocusNext},
      {I::Left, false, K::Other, S::FocusPrevious},
      {I::Right, false, K::Slider, S::PageRight},
      {I::Left, true, K::Slider, S::PageLeft},
      {I::Right, false, K::TabStrip, S::KeyRight},
      {I::Right, false, K::ComboBox, S::KeyDown},
      {I::Left, false, K::ComboBox, S::KeyUp},
      {I::Down, false, K::OpenComboBox, S::KeyDown},
      {I::Right, false, K::CheckBox, S::Click},
      {I::Right, true, K::CheckBox, S::None},
      {I::Activate, false, K::CheckBox, S::Click},
      {I::Activate, false, K::PushButton, S::Click},
      {I::Activate, false, K::ComboBox, S::ToggleList},
      {I::Activate, false, K::OpenComboBox, S::ToggleList},
      {I::Activate, false, K::Slider, S::Enter},
      {I::Back, false, K::PushButton, S::Escape},
      {I::Back, false, K::OpenComboBox, S::ToggleList},
      {I::PreviousTab, false, K::Slider, S::PreviousTab},
      {I::NextTab, false, K::PushButton, S::NextTab},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DialogStepFor({c.intent, c.repeat}, c.focused), c.step)
        << static_cast<int>(c.intent) << " on " << static_cast<int>(c.focused);
}

TEST(WindowKeyFor, BackNeverBecomesEscape) {
  EXPECT_EQ(WindowKeyFor(PadIntent::Back), 0u);
  EXPECT_EQ(WindowKeyFor(PadIntent::Activate), 0x0Du);
  EXPECT_EQ(WindowKeyFor(PadIntent::Left), 0x25u);
  EXPECT_EQ(WindowKeyFor(PadIntent::NextTab), 0u);
}

}  // namespace
}  // namespace mf::app
