#pragma once

#include "classdata/format/classfields.h"
#include "classdata/format/classfilereader.h"
#include "classdata/format/itemcatalogue.h"

#include <array>
#include <span>
#include <string_view>
#include <vector>

namespace tolvane {

// Where the lines of one class stand in its file, counted from 1; 0 for a
// value the block has no line of. A key set twice has the line the game
// takes, the last.
struct ClassLines
{
    int open = 0; // the "{" line
    std::array<int, maxClassFields> fields{};
    std::array<int, inventorySlotCount> items{};

    // The line of field, or the "{" line when the block has none.
    int lineOf(const ClassField &field) const;
    int lineOfItem(int slot) const;
};

// The lines of each class block the game reads, in file order.
std::vector<ClassLines> classLinesOf(std::string_view bytes);

// What a class file may hold although the game reads it as it is, and is
// most likely a slip: health above max_health, and a class name an earlier
// class has too (without regard to ASCII case, as the game compares names).
// (A starting weapon the inventory lacks is no slip: the class starts with
// it all the same, as the default class of a file without classes does,
// weapon_mk23 and nothing in its inventory.) Each goes to observer as a finding of the class (block: its index); lines,
// when given, place it on the line of the value. The checks never change a
// class.
void checkClasses(std::span<const ClassRecord> classes, ReadObserver &observer, std::span<const ClassLines> lines = {});

} // namespace tolvane
