#pragma once

#include "classdata/format/classrecord.h"
#include "sheetreader.h"

#include <string>
#include <string_view>

namespace tolvane {

// One cell of a class sheet read into a class, strictly: see classimport.h.
// Each gives the reason a cell cannot be read, or nothing.

// Sets record's value in column from cell. The file column and the shown
// starting-weapon name, which depend on other cells, are not set.
std::string setCell(const SheetColumn &column, const SheetCell &cell, ClassRecord &record);

// Why a JSON value of type does not suit column ("takes a number"); a CSV
// cell, of any type, always does.
std::string typeProblem(const SheetColumn &column, SheetCell::Type type);

// Sets record's value in column from text as a CSV cell holds it ("\"1,5\"
// has ',' as its decimal mark; write 1.5").
std::string setCellText(const SheetColumn &column, std::string_view text, ClassRecord &record);

// The Windows-1252 bytes of a UTF-8 cell for a text of at most capacity
// bytes on one line of the class file (a character Windows-1252 lacks, a
// line break, too long).
std::string readTextCell(std::string_view utf8, std::size_t capacity, std::string &bytes);

} // namespace tolvane
