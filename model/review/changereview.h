#pragma once

#include "classdata/compare/classfilemerge.h"
#include "classdata/format/classrecord.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tolvane {

// What Write Out would change, class by class and value by value: saved are
// the classes as this run last loaded or wrote them, now the classes Write
// Out would write. Values are named by the class table's titles for them and
// read as the class file would hold them ("Class Speed 1.000000 ->
// 1.500000"), abilities, the resistance, starting weapons and inventory
// items by the names the form shows ("Scanner no -> yes", "Resistance Normal
// Armor -> Fire Armor"). Class names and texts are Windows-1252 bytes.

// How a change names its value: by the class table's title, as the editor
// does, or as the file and the sheets of `tolvane-classfile apply` name it
// ("speed 1.000000 -> 1.500000", "inventory Flash Grenades 0 -> 2").
enum class ChangeNames : std::uint8_t { Table, File };

// One line per class that differs, in table order, then the deleted ones:
//   Sniper: Health 100 -> 95; Flash Grenades 0 -> 2
//   New class Medic
//   Deleted class Scout
// origins[i] names the saved class that now[i] came from, -1 for a new one.
// Without origins, classes are matched by position.
std::vector<std::string> classChanges(std::span<const ClassRecord> saved, std::span<const ClassRecord> now,
                                      std::span<const int> origins = {}, ChangeNames names = ChangeNames::Table);

// The lines of classChanges, each ended by a line feed, or a line that says
// there are none.
std::string changeReview(std::span<const ClassRecord> saved, std::span<const ClassRecord> now,
                         std::span<const int> origins = {});

// A conflict of a merge as one line for a question:
//   Sniper: Health 120 in the file, 95 here
//   Medic: deleted here, changed in the file (Class Speed 1.000000 -> 2.000000)
std::string conflictText(const MergeConflict &conflict);
// A class the disk removed, as one line: "Scout", or "Scout (changed here:
// Health 100 -> 95)"; and the names of all of them: "Scout, Medic".
std::string removedText(const ClassFileMerge::Removed &removed);
std::string removedNames(const ClassFileMerge &merge);

// The lines, each indented by two spaces and ended by a line feed, or none
// so when there are none.
std::string listedLines(const std::vector<std::string> &lines, std::string_view none);

// What replacing a file that holds disk with now changes, classes matched by
// name (matchClasses), so that a class that only moved is no change.
std::vector<std::string> replacementChanges(std::span<const ClassRecord> disk, std::span<const ClassRecord> now);

// What writing a merge does to the file on disk: the conflicts and the side
// its choice took, the classes the disk removed and what became of them,
// then the changes class by class.
std::string mergeSummary(const ClassFileMerge &merge);
// The summary, then the file's differences from diskBytes as a unified diff,
// notes and lines of others included.
std::string mergeReview(const ClassFileMerge &merge, std::string_view diskBytes, std::string_view fileName);

} // namespace tolvane
