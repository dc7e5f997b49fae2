#pragma once

#include "classdata/format/classrecord.h"
#include "sheetreader.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// Changes to classes from a sheet of the shape classesAsSheet writes: each
// row changes the class it names in its classname cell, and only in the
// columns the sheet has. Classes no row names stay as they are; rows are
// matched by name, never by position, so a sorted or filtered sheet changes
// the right classes. A row naming a class that is not there is a new class
// (appended after the others, from the values a class block starts with)
// only when addNew is set.
//
// Cells are read strictly: whole numbers for ints, '.' as the decimal point,
// true or false (any case, or 1 and 0) for abilities, none, fire or
// explosive for resistance (empty: no resistance line), text that Windows-1252
// holds and that fits its field. The shown starting-weapon name is either
// the name of the row's starting_weapon, or, in a sheet without that column,
// a name of the starting-weapon list that sets it. Anything else is a
// problem at its row and column, and then nothing is changed.

struct ImportOptions
{
    std::optional<SheetFormat> format; // nullopt: as the text shows
    bool addNew = false;
    // The class file's name, UTF-8: in a sheet with a "file" column only the
    // rows whose file has this name (its last part, in any case) are taken.
    std::string fileName;
};

struct ImportResult
{
    // Every class after the import, the old ones in their order, the new
    // ones after them; empty when there are problems.
    std::vector<ClassRecord> classes;
    // The old class each one comes from, -1 for a new one: what
    // updatedClassFile and classChanges take.
    std::vector<int> origins;
    // Why the sheet cannot be applied, in row order; the first 100 at most.
    std::vector<ImportProblem> problems;
};

ImportResult classesFromSheet(std::span<const ClassRecord> classes, std::string_view text,
                              const ImportOptions &options = {});

// Sets record's value in column from text as a CSV cell holds it; empty,
// or the reason the text cannot be read ("\"1,5\" uses ',' as the decimal
// mark; write 1.5"). The file column and the shown starting-weapon name,
// which depend on other cells, are not set.
std::string setCellText(const SheetColumn &column, std::string_view text, ClassRecord &record);

// The Windows-1252 bytes of a UTF-8 cell for a text of at most capacity
// bytes on one line of the class file; empty, or the reason it cannot be
// (a character Windows-1252 lacks, a line break, too long).
std::string readTextCell(std::string_view utf8, std::size_t capacity, std::string &bytes);

} // namespace tolvane
