#pragma once
// How assistive technology walks the title window's items: child ids, moves between items
// and what lies under a point. Plain arithmetic over the item list; the COM object that a
// screen reader talks to is a thin shell around it.
#include "app/menu.h"

namespace mf::app {

// Child id 0 is the window's client area itself; item i is child i + 1.
inline constexpr int kAccessibleSelf = 0;
inline int ChildIdOfItem(int index) { return index + 1; }
inline int ItemOfChildId(int childId) { return childId - 1; }
bool IsItemChildId(const MenuItems& items, int childId);

// Active Accessibility's navigation directions (NAVDIR_*), with their values.
enum class AccessibleNavigation { Up = 1, Down = 2, Left = 3, Right = 4, Next = 5, Previous = 6, FirstChild = 7, LastChild = 8 };

// The child reached from a child (or from the window itself, for the first and last child)
// in a direction, or kAccessibleSelf when there is none. Next and Previous follow the list;
// the four directions go to the nearest item whose centre lies that way.
int NavigateAccessible(const MenuItems& items, int fromChildId, AccessibleNavigation direction);

}  // namespace mf::app
