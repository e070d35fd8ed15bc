#include "app/pad_navigation.h"

#include <cstdlib>

namespace mf::app {
namespace {

constexpr std::uint16_t kDpadBits = kPadDpadUp | kPadDpadDown | kPadDpadLeft | kPadDpadRight;

struct ButtonIntent {
  std::uint16_t button;
  PadIntent intent;
};
constexpr ButtonIntent kButtonIntents[] = {{kPadA, PadIntent::Activate},
                                           {kPadB, PadIntent::Back},
                                           {kPadLeftShoulder, PadIntent::PreviousTab},
                                           {kPadRightShoulder, PadIntent::NextTab}};

}  // namespace

PadNavigator::Direction PadNavigator::StickDirection(int x, int y) {
  // Stay with the direction already pushed while its axis is beyond the release share, so
  // a stick held on a diagonal does not alternate between two directions.
  switch (stickDirection_) {
    case Direction::Up:
      if (y > kStickRelease) return Direction::Up;
      break;
    case Direction::Down:
      if (y < -kStickRelease) return Direction::Down;
      break;
    case Direction::Left:
      if (x < -kStickRelease) return Direction::Left;
      break;
    case Direction::Right:
      if (x > kStickRelease) return Direction::Right;
      break;
    case Direction::None:
      break;
  }
  int ax = std::abs(x), ay = std::abs(y);
  if (ax < kStickEngage && ay < kStickEngage) return Direction::None;
  if (ax >= ay) return x > 0 ? Direction::Right : Direction::Left;
  return y > 0 ? Direction::Up : Direction::Down;
}

PadNavigator::Direction PadNavigator::DirectionOf(const PadReading& reading) {
  stickDirection_ = StickDirection(reading.stickX, reading.stickY);
  // The d-pad wins over the stick; of two d-pad directions at once, vertical wins.
  std::uint16_t dpad = reading.buttons & kDpadBits;
  if (dpad & kPadDpadUp) return Direction::Up;
  if (dpad & kPadDpadDown) return Direction::Down;
  if (dpad & kPadDpadLeft) return Direction::Left;
  if (dpad & kPadDpadRight) return Direction::Right;
  return stickDirection_;
}

std::vector<PadEvent> PadNavigator::Update(const PadReading& reading) {
  std::vector<PadEvent> events;

  Direction direction = DirectionOf(reading);
  if (direction != direction_) {
    direction_ = direction;
    directionPolls_ = 0;
  } else if (direction != Direction::None) {
    ++directionPolls_;
  }
  if (direction_ != Direction::None) {
    bool fresh = directionPolls_ == 0;
    bool repeat = directionPolls_ >= kRepeatDelayPolls &&
                  (directionPolls_ - kRepeatDelayPolls) % kRepeatIntervalPolls == 0;
    if (fresh || repeat) {
      static constexpr PadIntent kIntents[] = {PadIntent::Up, PadIntent::Up, PadIntent::Down, PadIntent::Left,
                                               PadIntent::Right};
      events.push_back({kIntents[static_cast<int>(direction_)], !fresh});
    }
  }

  std::uint16_t pressed = reading.buttons & ~heldButtons_;
  for (const ButtonIntent& mapping : kButtonIntents)
    if (pressed & mapping.button) events.push_back({mapping.intent, false});
  heldButtons_ = reading.buttons;
  return events;
}

std::vector<int> PadSlotSchedule::SlotsFor(std::uint64_t poll) const {
  std::vector<int> slots;
  int emptyDue = -1;
  for (int slot = 0; slot < kSlots; ++slot) {
    if (slots_[slot].connected) {
      slots.push_back(slot);
    } else if (slots_[slot].nextProbe <= poll &&
               (emptyDue < 0 || slots_[slot].nextProbe < slots_[emptyDue].nextProbe)) {
      emptyDue = slot;
    }
  }
  if (emptyDue >= 0) slots.push_back(emptyDue);
  return slots;
}

void PadSlotSchedule::Report(int slot, bool connected, std::uint64_t poll) {
  if (slot < 0 || slot >= kSlots) return;
  slots_[slot].connected = connected;
  if (!connected) slots_[slot].nextProbe = poll + kEmptySlotRetryPolls;
}

bool PadSlotSchedule::AnyConnected() const {
  for (const Slot& slot : slots_)
    if (slot.connected) return true;
  return false;
}

DialogStep DialogStepFor(PadEvent event, DialogControlKind focused) {
  using Kind = DialogControlKind;
  switch (event.intent) {
    case PadIntent::Up:
      return focused == Kind::OpenComboBox ? DialogStep::KeyUp : DialogStep::FocusPrevious;
    case PadIntent::Down:
      return focused == Kind::OpenComboBox ? DialogStep::KeyDown : DialogStep::FocusNext;
    case PadIntent::Left:
    case PadIntent::Right: {
      bool right = event.intent == PadIntent::Right;
      switch (focused) {
        case Kind::Slider:
          return right ? DialogStep::PageRight : DialogStep::PageLeft;
        case Kind::TabStrip:
          return right ? DialogStep::KeyRight : DialogStep::KeyLeft;
        case Kind::ComboBox:
        case Kind::OpenComboBox:
          return right ? DialogStep::KeyDown : DialogStep::KeyUp;  // the next or previous entry
        case Kind::CheckBox:
          return event.repeat ? DialogStep::None : DialogStep::Click;  // held, it would flicker
        case Kind::PushButton:
        case Kind::Other:
          return right ? DialogStep::FocusNext : DialogStep::FocusPrevious;
      }
      return DialogStep::None;
    }
    case PadIntent::Activate:
      switch (focused) {
        case Kind::PushButton:
        case Kind::CheckBox:
          return DialogStep::Click;
        case Kind::ComboBox:
        case Kind::OpenComboBox:
          return DialogStep::ToggleList;
        default:
          return DialogStep::Enter;
      }
    case PadIntent::Back:
      return focused == Kind::OpenComboBox ? DialogStep::ToggleList : DialogStep::Escape;
    case PadIntent::PreviousTab:
      return DialogStep::PreviousTab;
    case PadIntent::NextTab:
      return DialogStep::NextTab;
  }
  return DialogStep::None;
}

unsigned WindowKeyFor(PadIntent intent) {
  // Windows virtual-key codes.
  switch (intent) {
    case PadIntent::Up:
      return 0x26;
    case PadIntent::Down:
      return 0x28;
    case PadIntent::Left:
      return 0x25;
    case PadIntent::Right:
      return 0x27;
    case PadIntent::Activate:
      return 0x0D;
    default:
      return 0;
  }
}

}  // namespace mf::app
