#pragma once

#include "classdata/format/classrecord.h"
#include "sheetcolumns.h"

#include <span>
#include <string>
#include <string_view>

namespace tolvane {

// The classes as a sheet, UTF-8: a header row of column names, then a row
// per class (CSV and TSV), or a JSON array of one object per class, in the
// order of sheetColumns(). Numbers are what the game reads, with '.' as the
// decimal point in every locale: ints as "%i", floats in the fewest digits
// that read back as the same 32-bit float; abilities true or false; texts
// converted from Windows-1252.
//
// CSV starts with a UTF-8 byte order mark, so that spreadsheet programs do
// not take it for their locale's code page, and ends its rows with CR LF;
// TSV has neither. A cell holding the separator, a quote, a line end or
// blanks at an end is quoted, its quotes doubled. A text that begins with
// = + - @ or ' gets a ' before it, so that a spreadsheet takes it for text
// and never for a formula; reading it back drops that '.

// Appends text as one cell of CSV or TSV separated by separator, quoted
// where it must be.
void appendSheetCell(std::string &out, std::string_view text, char separator);

// A class's value in a column as the sheet shows it, before quoting.
std::string cellText(const SheetColumn &column, const ClassRecord &record);
// The same, appended to text.
void appendCellText(std::string &text, const SheetColumn &column, const ClassRecord &record);

// The name the starting-weapon list shows for the class's starting weapon,
// when the catalogue knows it; empty for any other, where the form would
// show "Army Knife".
std::string_view startingWeaponName(const ClassRecord &record);

std::string classesAsSheet(std::span<const ClassRecord> classes, SheetFormat format);

// The classes of several files in one sheet: a first column "file" names
// each row's file as given.
struct ClassesOfFile
{
    std::string_view fileName; // UTF-8
    std::span<const ClassRecord> classes;
};
std::string classesAsSheet(std::span<const ClassesOfFile> files, SheetFormat format);

} // namespace tolvane
