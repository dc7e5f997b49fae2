#pragma once

#include <span>
#include <vector>

namespace tolvane {

// Which classes changed their place: from[i] is the earlier place of class
// i, -1 for a new one. All but the longest run of classes whose earlier
// places rise count as moved, so that a class moved to the end is the one
// that moved, not every class it passed. New classes count as not moved.
std::vector<bool> movedClasses(std::span<const int> from);

} // namespace tolvane
