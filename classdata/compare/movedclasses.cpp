#include "movedclasses.h"

#include <cstddef>

namespace tolvane {

std::vector<bool> movedClasses(std::span<const int> from)
{
    const std::size_t n = from.size();
    std::vector<std::size_t> length(n, 0), previous(n, n);
    std::size_t last = n;
    for (std::size_t i = 0; i < n; ++i) {
        if (from[i] < 0)
            continue;
        length[i] = 1;
        for (std::size_t j = 0; j < i; ++j) {
            if (from[j] >= 0 && from[j] < from[i] && length[j] + 1 > length[i]) {
                length[i] = length[j] + 1;
                previous[i] = j;
            }
        }
        if (last == n || length[i] > length[last])
            last = i;
    }
    std::vector<bool> moved(n);
    for (std::size_t i = 0; i < n; ++i)
        moved[i] = from[i] >= 0;
    for (std::size_t i = last; i != n; i = previous[i])
        moved[i] = false;
    return moved;
}

} // namespace tolvane
