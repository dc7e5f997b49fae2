#pragma once

#include "classdata/format/classrecord.h"

#include <span>
#include <string>
#include <vector>

namespace tolvane {

// Which class of one set is which class of another (two files, the two
// teams, a file and its baseline). Classes are matched by name, compared
// without regard to ASCII case as the game compares names; classes of one
// name are matched in order, the first with the first. A class whose name is
// on one side only is matched with the class at its position on the other
// side when that one is unmatched too: a class renamed in its place. Where
// classes stand makes no difference to a match.

struct ClassPair
{
    int first = -1;  // position in the first set; -1: only in the second (added)
    int second = -1; // position in the second set; -1: only in the first (removed)
    bool byName = false;
    // A name more than one class of a side has: the match is one in order,
    // which a view should say.
    bool repeatedName = false;
};

struct RepeatedName
{
    std::string name; // as the first class of that name spells it
    int inFirst = 0;
    int inSecond = 0;
};

struct ClassMatch
{
    // Every class of both sets once: the second set's classes in their order,
    // then those only in the first, in theirs.
    std::vector<ClassPair> pairs;
    // The names more than one class of a side has, in the order they first
    // appear in the first set, then in the second.
    std::vector<RepeatedName> repeatedNames;
};

ClassMatch matchClasses(std::span<const ClassRecord> first, std::span<const ClassRecord> second);

} // namespace tolvane
