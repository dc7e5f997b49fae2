#include "classdiff.h"

namespace tolvane {

ClassDifferences diffClasses(std::span<const ClassRecord> first, std::span<const ClassRecord> second)
{
    ClassDifferences differences{.match = matchClasses(first, second)};
    const auto listed = [](std::span<const ClassRecord> classes, int position) {
        return ListedClass{position, classLabel(classes[std::size_t(position)], std::size_t(position))};
    };
    for (const ClassPair &pair : differences.match.pairs) {
        if (pair.first < 0) {
            differences.added.push_back(listed(second, pair.second));
        } else if (pair.second < 0) {
            differences.removed.push_back(listed(first, pair.first));
        } else {
            const ClassRecord &now = second[std::size_t(pair.second)];
            std::vector<ValueChange> changes = valueChanges(first[std::size_t(pair.first)], now, ValueNaming::AsForm);
            if (changes.empty())
                ++differences.unchanged;
            else
                differences.changed.push_back({pair, listed(second, pair.second).name, std::move(changes)});
        }
    }
    return differences;
}

std::string countText(const ClassDifferences &differences)
{
    return std::to_string(differences.changed.size()) + " changed, " + std::to_string(differences.added.size())
           + " added, " + std::to_string(differences.removed.size()) + " removed, "
           + std::to_string(differences.unchanged) + " unchanged";
}

} // namespace tolvane
