#pragma once

#include "classmatch.h"
#include "classvalues.h"

#include <span>
#include <string>
#include <vector>

namespace tolvane {

// What differs between two sets of classes (a baseline file and a newer one,
// say), as Compare with File and `tolvane-classfile diff` show it: classes
// matched as matchClasses matches them, values as the form shows them.
// Where classes stand is no difference.

struct ChangedClass
{
    ClassPair pair;
    std::string name; // the second class's label
    std::vector<ValueChange> changes;
};

struct ListedClass
{
    int position = 0;
    std::string name; // its label
};

struct ClassDifferences
{
    ClassMatch match;
    std::vector<ChangedClass> changed = {}; // in the second set's order
    std::vector<ListedClass> added = {};    // classes only in the second set, in its order
    std::vector<ListedClass> removed = {};  // classes only in the first set, in its order
    int unchanged = 0;

    bool same() const { return changed.empty() && added.empty() && removed.empty(); }
};

// From first to second: "health 100 -> 95" when first has 100 and second 95.
ClassDifferences diffClasses(std::span<const ClassRecord> first, std::span<const ClassRecord> second);

// "2 changed, 1 added, 1 removed, 3 unchanged"
std::string countText(const ClassDifferences &differences);

enum class NotesFormat { Text, Markdown };

// The differences for a release's notes, one line a class:
//   Sniper: health 100 -> 95; inventory Flash Grenades 0 -> 2
//   Added class Medic
//   Removed class Scout
// or in Markdown, a list under a heading for each of changed, added and
// removed classes. "No class differs." when nothing does.
std::string patchNotes(const ClassDifferences &differences, NotesFormat format);

// text with the characters escaped that Markdown would take for markup.
std::string markdownEscaped(std::string_view text);

} // namespace tolvane
