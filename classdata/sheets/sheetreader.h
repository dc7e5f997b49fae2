#pragma once

#include "sheetcolumns.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// A sheet of CSV, TSV or JSON text as rows of cells, before the cells are
// understood: what the importer of classes reads.

struct SheetCell
{
    // Any: a CSV or TSV cell, whose text may be anything. The others are
    // JSON values: a string's contents, a number's or true's or false's token.
    enum class Type : std::uint8_t { Any, String, Number, Bool, Null };

    std::size_t column = 0; // in Sheet::columns
    std::string text;       // UTF-8
    Type type = Type::Any;
};

struct SheetRow
{
    int number = 0; // the spreadsheet's row (the header is row 1), or the JSON object from 1
    int line = 0;   // of the text, where the row or object begins
    std::vector<SheetCell> cells;
};

struct Sheet
{
    SheetFormat format = SheetFormat::Csv;
    std::vector<std::string> columns; // the header row, or the JSON keys in the order first met
    std::vector<SheetRow> rows;       // rows with a cell that is not empty
};

// What cannot be read, where: one line that names the row and the column.
struct ImportProblem
{
    enum class Kind : std::uint8_t { Text, Cell, UnknownClass };
    Kind kind = Kind::Text;
    int row = 0;        // as SheetRow::number; 0 for the text as a whole
    std::string column; // the column's name as the sheet has it, if any
    std::string message;
};

// The longest cell a sheet or a block of pasted cells may hold, in bytes.
// No value of a class is longer (the longest texts keep 1023 characters, at
// most 3 bytes each in UTF-8), so a longer cell is refused as the text is
// read, before any message could quote it, however large it is.
inline constexpr std::size_t longestCell = 4096;

// A cell's text for a message: in quotes, control characters escaped, and
// only its first characters, "…" after them, when it is long.
std::string quotedCell(std::string_view utf8);

// "row 4, column F (speed)" or "object 3 (line 12), speed"; column is the
// index in sheet.columns, or npos for the row alone.
std::string cellPlace(const Sheet &sheet, const SheetRow &row, std::size_t column);

// Reads text as a sheet of format, or of the format its text shows when
// none is given: JSON when it begins with "[", TSV when its first line holds
// a tab, else CSV (separated by ";" when the first line holds that but no
// ","). Text is UTF-8, with or without a byte order mark, unless no byte
// of it above 0x7F is in a UTF-8 sequence: then it is Windows-1252, as a
// spreadsheet program saves its plain CSV.
// CSV and TSV cells may be quoted, with quotes doubled inside; rows end at
// LF, CR LF or CR. Every row must have as many cells as the header. JSON is
// an array of flat objects. nullopt, with the first problem, otherwise.
std::optional<Sheet> readSheet(std::string_view text, std::optional<SheetFormat> format, ImportProblem &problem);

// Rows of cells split at separator, as readSheet reads CSV and TSV but
// without a header or a character set: a block of cells as a spreadsheet
// program copies it (UTF-8, a row per line, a last line end or none).
// nullopt, with the reason, when a quote is not closed or stands inside an
// unquoted cell.
std::optional<std::vector<std::vector<std::string>>> readSheetRows(std::string_view text, char separator,
                                                                   ImportProblem &problem);

} // namespace tolvane
