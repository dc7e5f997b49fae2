#include "classmatch.h"

#include "classdata/text/asciitext.h"

#include <algorithm>
#include <map>

namespace tolvane {

namespace {

std::string foldedName(const ClassRecord &record)
{
    std::string name(record.classname.view());
    std::transform(name.begin(), name.end(), name.begin(), foldCase);
    return name;
}

struct NameCount
{
    std::string spelling;
    int inFirst = 0;
    int inSecond = 0;
    std::size_t matched = 0; // of positionsInSecond
    std::vector<int> positionsInSecond;
    std::size_t order = 0;
};

} // namespace

ClassMatch matchClasses(std::span<const ClassRecord> first, std::span<const ClassRecord> second)
{
    std::map<std::string, NameCount> names;
    std::vector<std::string> firstNames, secondNames;
    const auto count = [&](const ClassRecord &record, std::vector<std::string> &folded) -> NameCount & {
        NameCount &name = names[folded.emplace_back(foldedName(record))];
        if (name.inFirst + name.inSecond == 0)
            name.spelling = record.classname.view(), name.order = names.size();
        return name;
    };
    for (const ClassRecord &record : first)
        ++count(record, firstNames).inFirst;
    for (std::size_t j = 0; j < second.size(); ++j) {
        NameCount &name = count(second[j], secondNames);
        ++name.inSecond;
        name.positionsInSecond.push_back(int(j));
    }

    std::vector<int> partnerOfSecond(second.size(), -1);
    std::vector<bool> firstMatched(first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        NameCount &name = names[firstNames[i]];
        if (name.matched < name.positionsInSecond.size()) {
            partnerOfSecond[std::size_t(name.positionsInSecond[name.matched++])] = int(i);
            firstMatched[i] = true;
        }
    }

    ClassMatch match;
    const auto repeated = [&](const std::string &folded) {
        const NameCount &name = names[folded];
        return name.inFirst > 1 || name.inSecond > 1;
    };
    for (std::size_t j = 0; j < second.size(); ++j) {
        ClassPair pair{.first = partnerOfSecond[j], .second = int(j), .byName = partnerOfSecond[j] >= 0};
        if (!pair.byName && j < first.size() && !firstMatched[j]) {
            pair.first = int(j);
            firstMatched[j] = true;
        }
        pair.repeatedName = repeated(secondNames[j])
                            || (pair.first >= 0 && repeated(firstNames[std::size_t(pair.first)]));
        match.pairs.push_back(pair);
    }
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (!firstMatched[i])
            match.pairs.push_back({.first = int(i), .repeatedName = repeated(firstNames[i])});
    }

    std::vector<const NameCount *> repeatedNames;
    for (const auto &[folded, name] : names) {
        if (name.inFirst > 1 || name.inSecond > 1)
            repeatedNames.push_back(&name);
    }
    std::sort(repeatedNames.begin(), repeatedNames.end(),
              [](const NameCount *a, const NameCount *b) { return a->order < b->order; });
    for (const NameCount *name : repeatedNames)
        match.repeatedNames.push_back({name->spelling, name->inFirst, name->inSecond});
    return match;
}

} // namespace tolvane
