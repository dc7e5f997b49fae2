#include "classexport.h"

#include "classdata/format/itemcatalogue.h"
#include "classdata/text/readabletext.h"
#include "classdata/text/textnumbers.h"
#include "classdata/text/windows1252.h"
#include "classdata/format/writtenvalue.h"

#include <algorithm>

namespace tolvane {

namespace {

// Whether a column holds text rather than a number or a truth value.
bool holdsText(const SheetColumn &column)
{
    return column.kind == SheetColumnKind::File || column.kind == SheetColumnKind::StartingWeaponName
           || (column.kind == SheetColumnKind::Field && column.field->kind == FieldKind::Text);
}

// A sheet's rows, written one cell at a time.
class SheetWriter
{
public:
    SheetWriter(SheetFormat format, bool withFile) : format(format), withFile(withFile)
    {
        separator = format == SheetFormat::Tsv ? '\t' : ',';
        rowEnd = format == SheetFormat::Csv ? "\r\n" : "\n";
        if (format == SheetFormat::Csv)
            out = "\xEF\xBB\xBF";
    }
    void header();
    void row(std::string_view fileName, const ClassRecord &record);
    std::string take()
    {
        if (format == SheetFormat::Json)
            out += rows == 0 ? "[]\n" : "\n]\n";
        return std::move(out);
    }

private:
    // The cell of column from text, a class's value or the file's name.
    void cell(const SheetColumn &column, std::string_view text);
    void plainCell(std::string_view text);

    SheetFormat format;
    bool withFile;
    char separator;
    std::string_view rowEnd;
    std::string out;
    std::size_t rows = 0;
    bool firstCell = true;
    std::string scratch; // a cell's text before it goes in, kept for its capacity
};

void SheetWriter::header()
{
    if (format == SheetFormat::Json)
        return;
    if (withFile)
        plainCell("file");
    for (const SheetColumn &column : sheetColumns())
        plainCell(column.name);
    out += rowEnd;
}

void SheetWriter::row(std::string_view fileName, const ClassRecord &record)
{
    firstCell = true;
    if (format == SheetFormat::Json)
        out += rows == 0 ? "[\n {" : ",\n {";
    if (withFile)
        cell(*sheetColumnNamed("file"), fileName);
    for (const SheetColumn &column : sheetColumns()) {
        scratch.clear();
        appendCellText(scratch, column, record);
        cell(column, scratch);
    }
    out += format == SheetFormat::Json ? "}" : rowEnd;
    ++rows;
}

void SheetWriter::cell(const SheetColumn &column, std::string_view text)
{
    if (format != SheetFormat::Json) {
        const bool formulaLike = holdsText(column) && !text.empty()
                                 && std::string_view("=+-@'").find(text[0]) != std::string_view::npos;
        return plainCell(formulaLike ? '\'' + std::string(text) : text);
    }
    out.append(firstCell ? "\"" : ", \"").append(column.name).append("\": ");
    firstCell = false;
    // Numbers and truth values go in bare; JSON has no infinity or NaN.
    const FieldKind kind = column.field ? column.field->kind : FieldKind::Text;
    const bool bare = column.kind == SheetColumnKind::Ability || column.kind == SheetColumnKind::Item
                      || (column.kind == SheetColumnKind::Field
                          && (kind == FieldKind::Int || kind == FieldKind::Abilities
                              || (kind == FieldKind::Float && text.find_first_of("ni") == std::string_view::npos)));
    if (bare)
        out.append(text);
    else
        out.append(1, '"').append(jsonEscaped(text)).append(1, '"');
}

void SheetWriter::plainCell(std::string_view text)
{
    if (!firstCell)
        out += separator;
    firstCell = false;
    appendSheetCell(out, text, separator);
}

} // namespace

void appendSheetCell(std::string &out, std::string_view text, char separator)
{
    const auto special = [&](char c) { return c == separator || c == '"' || c == '\r' || c == '\n'; };
    const bool quoted = std::any_of(text.begin(), text.end(), special)
                        || (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted) {
        out.append(text);
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void appendCellText(std::string &text, const SheetColumn &column, const ClassRecord &record)
{
    switch (column.kind) {
    case SheetColumnKind::File:
        return;
    case SheetColumnKind::Field:
        switch (column.field->kind) {
        case FieldKind::Float:
            return appendShortestFloat(text, record.*column.field->floatMember);
        case FieldKind::Text:
            for (unsigned char byte : column.field->text.get(record))
                appendUtf8(text, unicodeOfWindows1252(byte));
            return;
        default:
            // A resistance with no word has no line, and an empty cell.
            text.append(writtenValue(*column.field, record).value_or(std::string()));
            return;
        }
    case SheetColumnKind::StartingWeaponName:
        text.append(startingWeaponName(record));
        return;
    case SheetColumnKind::Ability:
        text.append((record.classabilities & column.bit) ? "true" : "false");
        return;
    case SheetColumnKind::Item:
        return appendInt(text, record.inventory[std::size_t(column.slot)]);
    }
}

std::string cellText(const SheetColumn &column, const ClassRecord &record)
{
    std::string text;
    appendCellText(text, column, record);
    return text;
}

std::string_view startingWeaponName(const ClassRecord &record)
{
    return knownDisplayName(record.starting_weapon.view()).value_or(std::string_view());
}

std::string classesAsSheet(std::span<const ClassRecord> classes, SheetFormat format)
{
    const ClassesOfFile file{{}, classes};
    return classesAsSheet(std::span(&file, 1), format);
}

std::string classesAsSheet(std::span<const ClassesOfFile> files, SheetFormat format)
{
    SheetWriter writer(format, files.size() > 1);
    writer.header();
    for (const ClassesOfFile &file : files) {
        for (const ClassRecord &record : file.classes)
            writer.row(file.fileName, record);
    }
    return writer.take();
}

} // namespace tolvane
