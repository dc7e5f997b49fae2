#pragma once

#include "classrecord.h"

#include <span>
#include <string>
#include <vector>

// What Write Out would change, class by class and value by value, compared
// with the classes as this run last loaded or wrote them. Values read as the
// class file would hold them ("speed 1.000000 -> 1.500000"), inventory items
// by their display names. Class names and texts are Windows-1252 bytes.
class ChangeReview
{
public:
    // The classes as just loaded or written: what Write Out is compared with.
    void classesSaved(std::span<const ClassRecord> records);

    // One line per class that differs, in table order, then the deleted ones:
    //   Sniper: health 100 -> 95; inventory Flash Grenades 0 -> 2
    //   New class Medic
    //   Deleted class Scout
    // records are the classes Write Out would write; origins[i] names the
    // saved class that records[i] came from, -1 for a new one. Without
    // origins, classes are matched by position.
    std::vector<std::string> changes(std::span<const ClassRecord> records, std::span<const int> origins = {}) const;

    // The lines of changes(), each ended by a line feed, or a line that says
    // there are none.
    std::string text(std::span<const ClassRecord> records, std::span<const int> origins = {}) const;

private:
    std::vector<ClassRecord> saved;
};
