#include "changereview.h"

#include "classvalues.h"

namespace {

// The classes that changed their order: all but the longest run of classes
// whose saved positions rise, so that a class moved to the end is the one
// that moved, not every class it passed.
std::vector<bool> movedClasses(const std::vector<int> &from)
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

} // namespace

std::vector<std::string> classChanges(std::span<const ClassRecord> saved, std::span<const ClassRecord> records,
                                      std::span<const int> origins)
{
    // The saved class each class came from; anything that names none is new.
    std::vector<int> from(records.size(), -1);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int origin = origins.empty() ? int(i) : i < origins.size() ? origins[i] : -1;
        if (origin >= 0 && std::size_t(origin) < saved.size())
            from[i] = origin;
    }
    const std::vector<bool> moved = movedClasses(from);
    std::vector<bool> kept(saved.size());
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (from[i] < 0) {
            lines.push_back("New class " + classLabel(records[i], i));
            continue;
        }
        const std::size_t origin = std::size_t(from[i]);
        kept[origin] = true;
        std::vector<std::string> parts;
        if (moved[i])
            parts.push_back("moved from class " + std::to_string(origin) + " to class " + std::to_string(i));
        for (const ValueChange &change : valueChanges(saved[origin], records[i], ValueNaming::AsFile))
            parts.push_back(describeChange(change));
        if (parts.empty())
            continue;
        std::string line = classLabel(records[i], i) + ": ";
        for (const std::string &part : parts)
            line.append(part).append(&part == &parts.back() ? "" : "; ");
        lines.push_back(std::move(line));
    }
    for (std::size_t origin = 0; origin < saved.size(); ++origin) {
        if (!kept[origin])
            lines.push_back("Deleted class " + classLabel(saved[origin], origin));
    }
    return lines;
}

std::string changeReview(std::span<const ClassRecord> saved, std::span<const ClassRecord> now,
                         std::span<const int> origins)
{
    const std::vector<std::string> lines = classChanges(saved, now, origins);
    if (lines.empty())
        return "No class has changed since the file was last loaded or written.\n";
    std::string out;
    for (const std::string &line : lines)
        out.append(line).append(1, '\n');
    return out;
}
