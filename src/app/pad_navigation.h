#pragma once
// Turns successive readings of a game controller into the navigation a keyboard user
// would do: edges of the face and shoulder buttons, and a direction from the d-pad or the
// left stick that repeats while held. Plain state, fed one reading per poll (about 60 a
// second); the Windows side reads the controller and delivers the intents.
#include <cstdint>
#include <vector>

namespace mf::app {

// XInput's button bits (XINPUT_GAMEPAD_*), the layout every supported controller reports.
inline constexpr std::uint16_t kPadDpadUp = 0x0001, kPadDpadDown = 0x0002, kPadDpadLeft = 0x0004,
                               kPadDpadRight = 0x0008, kPadLeftShoulder = 0x0100, kPadRightShoulder = 0x0200,
                               kPadA = 0x1000, kPadB = 0x2000;

// One reading of the controllers, merged: the buttons held on any of them and the left
// stick that is pushed furthest (-32768..32767, up and right positive).
struct PadReading {
  std::uint16_t buttons = 0;
  int stickX = 0, stickY = 0;
  bool operator==(const PadReading&) const = default;
};

enum class PadIntent { Up, Down, Left, Right, Activate, Back, PreviousTab, NextTab };

struct PadEvent {
  PadIntent intent;
  bool repeat;  // produced by holding, not by a fresh press
  bool operator==(const PadEvent&) const = default;
};

// Polls, at the nominal 16 ms each, before a held direction repeats, and between repeats. Counted in polls rather than clock time, so a stalled thread never fires a burst.
inline constexpr int kRepeatDelayPolls = 25;     // about 400 ms
inline constexpr int kRepeatIntervalPolls = 7;   // about 9 a second
// The stick counts as pushed beyond the engage share of its travel and as released only
// below the release share, so a thumb resting near the edge does not flicker.
inline constexpr int kStickEngage = 16000;
inline constexpr int kStickRelease = 9000;

class PadNavigator {
 public:
  // One poll: what the player asked for since the previous reading, in a fixed order
  // (direction first, then A, B, LB, RB).
  // A button held across polls is one press, also when the polls are far apart (the
  // launcher was in the background, or one window closed and the next one opened).
  std::vector<PadEvent> Update(const PadReading& reading);

 private:
  enum class Direction { None, Up, Down, Left, Right };
  Direction DirectionOf(const PadReading& reading);
  Direction StickDirection(int x, int y);

  std::uint16_t heldButtons_ = 0;
  Direction direction_ = Direction::None;
  Direction stickDirection_ = Direction::None;
  int directionPolls_ = 0;  // polls the current direction has been held
};

// Which of the four controller slots to read on a poll. A connected slot is read on every
// poll; an empty one only about once a second, one empty slot per poll at most, because
// asking an empty slot can take a long time on some systems.
class PadSlotSchedule {
 public:
  static constexpr int kSlots = 4;
  static constexpr int kEmptySlotRetryPolls = 60;

  // The slots to read on this poll; call Report for each of them.
  std::vector<int> SlotsFor(std::uint64_t poll) const;
  void Report(int slot, bool connected, std::uint64_t poll);
  bool AnyConnected() const;

 private:
  struct Slot {
    bool connected = false;
    std::uint64_t nextProbe = 0;
  };
  Slot slots_[kSlots] = {{false, 0}, {false, 1}, {false, 2}, {false, 3}};
};

// What a pad intent does in a dialog, by the kind of control that has the focus.
enum class DialogControlKind { PushButton, CheckBox, ComboBox, OpenComboBox, Slider, TabStrip, Other };

enum class DialogStep {
  None,
  FocusNext,      // as Tab
  FocusPrevious,  // as Shift+Tab
  KeyLeft,        // the arrow key, to the focused control
  KeyRight,
  KeyUp,
  KeyDown,
  PageLeft,    // a slider a page (a big step) down or up: an arrow moves it by too little
  PageRight,
  Click,       // presses the focused button or ticks the focused check box
  ToggleList,  // opens or closes the focused drop-down list
  Enter,       // the dialog's default button, as Enter
  Escape,      // as Escape: the dialog's Cancel, or closes an open list
  PreviousTab,
  NextTab,
};

DialogStep DialogStepFor(PadEvent event, DialogControlKind focused);

// The key an intent stands for in a window that is not a dialog (the title window), or 0.
// B gives none: in a main window Escape quits, which the back button must never do.
unsigned WindowKeyFor(PadIntent intent);

}  // namespace mf::app
