#include "app/menu_accessibility.h"

#include <climits>
#include <cstdlib>

namespace mf::app {
namespace {

// Twice the centre, so that no halves are lost.
int CentreX2(const MenuItem& item) { return item.left + item.right; }
int CentreY2(const MenuItem& item) { return item.top + item.bottom; }

int NearestInDirection(const MenuItems& items, int from, AccessibleNavigation direction) {
  const MenuItem& origin = items[static_cast<size_t>(from)];
  int best = -1;
  long bestDistance = LONG_MAX;
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    if (i == from) continue;
    int dx = CentreX2(items[static_cast<size_t>(i)]) - CentreX2(origin);
    int dy = CentreY2(items[static_cast<size_t>(i)]) - CentreY2(origin);
    bool along = false;
    switch (direction) {
      case AccessibleNavigation::Left:
        along = dx < 0 && std::abs(dx) >= std::abs(dy);
        break;
      case AccessibleNavigation::Right:
        along = dx > 0 && std::abs(dx) >= std::abs(dy);
        break;
      case AccessibleNavigation::Up:
        along = dy < 0 && std::abs(dy) > std::abs(dx) / 4;
        break;
      case AccessibleNavigation::Down:
        along = dy > 0 && std::abs(dy) > std::abs(dx) / 4;
        break;
      default:
        break;
    }
    long distance = static_cast<long>(dx) * dx + static_cast<long>(dy) * dy;
    if (along && distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

bool IsItemChildId(const MenuItems& items, int childId) {
  return childId >= 1 && childId <= static_cast<int>(items.size());
}

int NavigateAccessible(const MenuItems& items, int fromChildId, AccessibleNavigation direction) {
  int count = static_cast<int>(items.size());
  if (count == 0) return kAccessibleSelf;
  if (fromChildId == kAccessibleSelf) {
    if (direction == AccessibleNavigation::FirstChild) return ChildIdOfItem(0);
    if (direction == AccessibleNavigation::LastChild) return ChildIdOfItem(count - 1);
    return kAccessibleSelf;
  }
  if (!IsItemChildId(items, fromChildId)) return kAccessibleSelf;
  int from = ItemOfChildId(fromChildId);
  switch (direction) {
    case AccessibleNavigation::Next:
      return from + 1 < count ? ChildIdOfItem(from + 1) : kAccessibleSelf;
    case AccessibleNavigation::Previous:
      return from > 0 ? ChildIdOfItem(from - 1) : kAccessibleSelf;
    case AccessibleNavigation::FirstChild:
    case AccessibleNavigation::LastChild:
      return kAccessibleSelf;  // an item has no children
    default: {
      int nearest = NearestInDirection(items, from, direction);
      return nearest < 0 ? kAccessibleSelf : ChildIdOfItem(nearest);
    }
  }
}

}  // namespace mf::app
