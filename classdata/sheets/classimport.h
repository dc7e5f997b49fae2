#pragma once

#include "classdata/format/classrecord.h"
#include "sheetcells.h"
#include "sheetreader.h"

#include <functional>
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
// the right classes; names are compared without regard to ASCII case, as
// the game compares them, and a class keeps its name as the file has it. A
// row naming a class that is not there is a new class (appended after the
// others, from the values a class block starts with) only when addNew is set.
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
    // rows whose file has this name (its last part, in any case) are taken,
    // and of those that name a folder too ("mod/tvclass_seals.cfg") only the
    // ones isFile takes for the class file: the others are another folder's
    // file of the same name, left out and counted.
    std::string fileName;
    std::function<bool(std::string_view file)> isFile;
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
    // The rows left out as another folder's file of the class file's name,
    // and the first such file as the sheet names it.
    int otherFolderRows = 0;
    std::string otherFolderFile;
};

// "3 rows for \"mod/tvclass_seals.cfg\", another folder's file of the same
// name, are left out", for a result that left some out; else empty.
std::string otherFolderNote(const ImportResult &result);

ImportResult classesFromSheet(std::span<const ClassRecord> classes, std::string_view text,
                              const ImportOptions &options = {});

} // namespace tolvane
