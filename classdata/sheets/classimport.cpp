#include "classimport.h"

#include "classdata/text/asciitext.h"
#include "classexport.h"
#include "classdata/format/itemcatalogue.h"
#include "classdata/text/readabletext.h"
#include "classdata/text/textnumbers.h"
#include "classdata/text/windows1252.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cmath>
#include <limits>
#include <map>

namespace tolvane {

namespace {

constexpr std::size_t mostProblems = 100;

// A cell's text in a message: in quotes, control characters escaped.
std::string inQuotes(std::string_view utf8)
{
    return '"' + readableFileName(utf8) + '"';
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A decimal number as a spreadsheet writes it: a sign, digits with one
// '.', an exponent; or the infinity or NaN an export writes.
bool isDecimal(std::string_view text)
{
    if (text.starts_with('-') || text.starts_with('+'))
        text.remove_prefix(1);
    for (std::string_view word : {"inf", "infinity", "nan"}) {
        if (equalsIgnoreCase(text, word))
            return true;
    }
    const std::size_t exponent = text.find_first_of("eE");
    if (exponent != std::string_view::npos) {
        std::string_view power = text.substr(exponent + 1);
        if (power.starts_with('-') || power.starts_with('+'))
            power.remove_prefix(1);
        if (!allDigits(power))
            return false;
        text = text.substr(0, exponent);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    return (allDigits(whole) || whole.empty()) && (allDigits(fraction) || fraction.empty())
           && whole.size() + fraction.size() > 0;
}

std::string readInt(std::string_view cell, std::int32_t &value)
{
    const std::string_view text = trimBlanks(cell);
    if (text.empty())
        return "an empty cell; write a whole number (0 for none)";
    const std::string_view digits = text.substr(text.starts_with('-') || text.starts_with('+'));
    if (!allDigits(digits))
        return inQuotes(text) + " is not a whole number";
    std::int64_t wide = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), wide);
    if (text.starts_with('-'))
        wide = -wide;
    if (error != std::errc() || wide < std::numeric_limits<std::int32_t>::min()
        || wide > std::numeric_limits<std::int32_t>::max())
        return inQuotes(text) + " is beyond the 32-bit range";
    value = std::int32_t(wide);
    return {};
}

std::string readFloat(std::string_view cell, float &value)
{
    const std::string_view text = trimBlanks(cell);
    if (text.empty())
        return "an empty cell; write a number";
    if (!isDecimal(text)) {
        std::string point(text);
        if (const std::size_t comma = point.find(','); comma != std::string::npos) {
            point[comma] = '.';
            if (isDecimal(point))
                return inQuotes(text) + " has ',' as its decimal mark; write " + point;
        }
        return inQuotes(text) + " is not a number";
    }
    // Digits beyond a float's range are refused; "inf" reads as the reader reads it.
    const double number = parseDouble(text);
    const bool digits = (text.back() >= '0' && text.back() <= '9') || text.back() == '.';
    if (digits && !(std::fabs(number) <= std::numeric_limits<float>::max()))
        return inQuotes(text) + " is beyond the range of a 32-bit float";
    value = toFloat32(number);
    return {};
}

std::string readBool(std::string_view cell, bool &value)
{
    const std::string_view text = trimBlanks(cell);
    value = equalsIgnoreCase(text, "true") || text == "1";
    if (value || equalsIgnoreCase(text, "false") || text == "0")
        return {};
    return (text.empty() ? std::string("an empty cell") : inQuotes(text) + " is not true or false")
           + "; write true or false";
}

// The Windows-1252 bytes of a UTF-8 cell.
std::string toWindows1252(std::string_view utf8, std::string &bytes)
{
    bytes.clear();
    for (std::string_view rest = utf8; !rest.empty();) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(rest, c);
        if (length == 0)
            return inQuotes(utf8) + " is not UTF-8 text";
        const std::optional<char> byte = windows1252Of(c);
        if (!byte) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", unsigned(c));
            return inQuotes(utf8) + " holds \"" + readableFileName(rest.substr(0, length)) + "\" (" + code
                   + "), which is not in Windows-1252, the class file's character set";
        }
        bytes += *byte;
        rest.remove_prefix(length);
    }
    return {};
}

// Whether a line of the file can hold bytes in a field of capacity bytes.
std::string fitsLine(std::string_view utf8, std::string_view bytes, std::size_t capacity)
{
    if (bytes.find('\n') != std::string::npos)
        return inQuotes(utf8) + " holds a line break, which a line of the class file cannot";
    if (bytes.find('\0') != std::string::npos)
        return inQuotes(utf8) + " holds a NUL character, where the game would end the line";
    if (bytes.ends_with('\r'))
        return inQuotes(utf8) + " ends in a carriage return, which the file would take for its line end";
    if (bytes.size() > capacity)
        return inQuotes(utf8) + " is " + std::to_string(bytes.size()) + " characters long; at most "
               + std::to_string(capacity) + " fit";
    return {};
}

std::string readText(std::string_view utf8, std::size_t capacity, std::string &bytes)
{
    std::string reason = toWindows1252(utf8, bytes);
    return reason.empty() ? fitsLine(utf8, bytes, capacity) : reason;
}

std::string setField(const ClassField &field, std::string_view text, ClassRecord &record)
{
    switch (field.kind) {
    case FieldKind::Int:
        return readInt(text, record.*field.intMember);
    case FieldKind::Float:
        return readFloat(text, record.*field.floatMember);
    case FieldKind::Resistance: {
        // No word: no resistance line, as the form stores no choice.
        const std::string_view word = trimBlanks(text);
        const std::optional<float> resistance = word.empty() ? -1.0f : resistanceOfWord(word);
        if (!resistance)
            return inQuotes(word) + " is not none, fire or explosive";
        record.*field.floatMember = *resistance;
        return {};
    }
    case FieldKind::Text: {
        // A text the class holds already (a CR at its end too, as a file may have it) is no change.
        std::string bytes;
        std::string reason = toWindows1252(text, bytes);
        if (reason.empty() && bytes != field.text.get(record))
            reason = fitsLine(text, bytes, field.text.capacity);
        if (reason.empty())
            field.text.set(record, bytes);
        return reason;
    }
    case FieldKind::Abilities:
        break;
    }
    return {};
}

// Cells in JSON come typed; a CSV cell may be anything.
std::string typeProblem(const SheetColumn &column, SheetCell::Type type)
{
    using Type = SheetCell::Type;
    if (type == Type::Any)
        return {};
    if (type == Type::Null)
        return "null; leave the key out to keep the value";
    const FieldKind kind = column.field ? column.field->kind : FieldKind::Text;
    const bool number = column.kind == SheetColumnKind::Item
                        || (column.kind == SheetColumnKind::Field && kind == FieldKind::Int);
    const bool floating = column.kind == SheetColumnKind::Field && kind == FieldKind::Float;
    if (column.kind == SheetColumnKind::Ability)
        return type == Type::Bool ? "" : "takes true or false";
    if (number || floating)
        return type == Type::Number || (floating && type == Type::String) ? "" : "takes a number";
    return type == Type::String ? "" : "takes a text in quotes";
}

std::string setCell(const SheetColumn &column, const SheetCell &cell, ClassRecord &record)
{
    if (std::string problem = typeProblem(column, cell.type); !problem.empty())
        return problem;
    switch (column.kind) {
    case SheetColumnKind::Field:
        return setField(*column.field, cell.text, record);
    case SheetColumnKind::Ability: {
        bool set = false;
        std::string reason = readBool(cell.text, set);
        if (reason.empty())
            record.classabilities = set ? record.classabilities | column.bit : record.classabilities & ~column.bit;
        return reason;
    }
    case SheetColumnKind::Item:
        return readInt(cell.text, record.inventory[std::size_t(column.slot)]);
    case SheetColumnKind::File:
    case SheetColumnKind::StartingWeaponName:
        break;
    }
    return {};
}

// The last part of a file name, after any folder.
std::string_view lastPart(std::string_view name)
{
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

class Importer
{
public:
    Importer(const Sheet &sheet, const ImportOptions &options, ImportResult &result)
        : sheet(sheet), options(options), result(result)
    {
    }
    void run();

private:
    bool readColumns();
    void importRow(const SheetRow &row);
    // The class row names, or -1 when there is none.
    int classOf(const SheetRow &row, const SheetCell &nameCell);
    void setWeaponName(const SheetRow &row, const SheetCell &cell, ClassRecord &record, bool weaponInRow);
    const SheetCell *cellIn(const SheetRow &row, std::size_t column) const;
    std::string textOf(const SheetCell &cell) const;
    void problem(ImportProblem::Kind kind, const SheetRow *row, std::size_t column, const std::string &reason);

    const Sheet &sheet;
    const ImportOptions &options;
    ImportResult &result;
    std::vector<const SheetColumn *> columns;
    std::size_t nameColumn = std::string::npos, fileColumn = std::string::npos;
    std::map<std::string, std::vector<int>> classesNamed;
    std::map<std::string, int> rowOfName;
};

void Importer::problem(ImportProblem::Kind kind, const SheetRow *row, std::size_t column, const std::string &reason)
{
    if (result.problems.size() >= mostProblems)
        return;
    ImportProblem &added = result.problems.emplace_back();
    added.kind = kind;
    added.row = row ? row->number : 1;
    added.column = column < sheet.columns.size() ? sheet.columns[column] : "";
    if (row)
        added.message = cellPlace(sheet, *row, column) + ": " + reason;
    else if (sheet.format == SheetFormat::Json)
        added.message = (added.column.empty() ? "" : "key \"" + readableFileName(added.column) + "\": ") + reason;
    else
        added.message = cellPlace(sheet, SheetRow{1, 1, {}}, column) + ": " + reason;
}

bool Importer::readColumns()
{
    for (std::size_t i = 0; i < sheet.columns.size(); ++i) {
        const SheetColumn *column = sheetColumnNamed(sheet.columns[i]);
        columns.push_back(column);
        const auto same = std::find(columns.begin(), columns.end() - 1, column);
        if (sheet.columns[i].empty())
            problem(ImportProblem::Kind::Text, nullptr, i, "a column without a name");
        else if (!column)
            problem(ImportProblem::Kind::Text, nullptr, i, "not a column of a class sheet");
        else if (same != columns.end() - 1)
            problem(ImportProblem::Kind::Text, nullptr, i,
                    "the column " + std::string(column->name) + " a second time");
        else if (column->kind == SheetColumnKind::File)
            fileColumn = i;
        else if (column->name == "classname")
            nameColumn = i;
    }
    // An empty JSON array has no keys at all, and changes nothing.
    const bool empty = sheet.format == SheetFormat::Json && sheet.rows.empty();
    if (nameColumn == std::string::npos && result.problems.empty() && !empty)
        problem(ImportProblem::Kind::Text, nullptr, std::string::npos,
                sheet.format == SheetFormat::Json ? "no object has a classname; each names the class it changes"
                                                  : "no classname column; each row names the class it changes");
    return result.problems.empty();
}

const SheetCell *Importer::cellIn(const SheetRow &row, std::size_t column) const
{
    const auto found = std::find_if(row.cells.begin(), row.cells.end(),
                                    [&](const SheetCell &cell) { return cell.column == column; });
    return found == row.cells.end() ? nullptr : &*found;
}

// A text cell without the ' that an export puts before a text a spreadsheet
// could take for a formula.
std::string Importer::textOf(const SheetCell &cell) const
{
    const bool marked = sheet.format != SheetFormat::Json && cell.text.starts_with('\'');
    return cell.text.substr(marked ? 1 : 0);
}

int Importer::classOf(const SheetRow &row, const SheetCell &nameCell)
{
    std::string name;
    if (std::string reason = readText(textOf(nameCell), decltype(ClassRecord::classname)::capacity, name);
        !reason.empty()) {
        problem(ImportProblem::Kind::Cell, &row, nameColumn, reason);
        return -1;
    }
    const auto [earlier, first] = rowOfName.try_emplace(name, row.number);
    if (!first) {
        problem(ImportProblem::Kind::Cell, &row, nameColumn,
                inQuotes(textOf(nameCell)) + " again; row " + std::to_string(earlier->second) + " changes it already");
        return -1;
    }
    const std::vector<int> &named = classesNamed[name];
    if (named.size() > 1) {
        problem(ImportProblem::Kind::Cell, &row, nameColumn,
                std::to_string(named.size()) + " classes are named " + inQuotes(textOf(nameCell))
                    + "; give each its own name to change it from a sheet");
        return -1;
    }
    if (named.size() == 1)
        return named[0];
    if (!options.addNew) {
        problem(ImportProblem::Kind::UnknownClass, &row, nameColumn,
                "no class is named " + inQuotes(textOf(nameCell)) + "; new classes are added only when asked for");
        return -1;
    }
    if (result.classes.size() >= std::size_t(tableSlotCount)) {
        problem(ImportProblem::Kind::Cell, &row, nameColumn,
                "a new class " + inQuotes(textOf(nameCell)) + " would be the 65th; a class file holds 64 at most");
        return -1;
    }
    ClassRecord &added = result.classes.emplace_back();
    applyBlockStartDefaults(added);
    added.classname.assign(name);
    result.origins.push_back(-1);
    return int(result.classes.size() - 1);
}

void Importer::setWeaponName(const SheetRow &row, const SheetCell &cell, ClassRecord &record, bool weaponInRow)
{
    const std::size_t column = cell.column;
    if (std::string reason = typeProblem(*columns[column], cell.type); !reason.empty())
        return problem(ImportProblem::Kind::Cell, &row, column, reason);
    const std::string name(trimBlanks(textOf(cell)));
    if (name.empty() || equalsIgnoreCase(name, startingWeaponName(record)))
        return;
    if (weaponInRow) {
        const std::string_view shown = startingWeaponName(record);
        problem(ImportProblem::Kind::Cell, &row, column,
                inQuotes(name) + " is not the name of starting_weapon "
                    + inQuotes(utf8FromWindows1252(record.starting_weapon.view()))
                    + (shown.empty() ? "" : ", which is shown as " + inQuotes(shown)));
        return;
    }
    const std::optional<int> slot = slotForDisplayName(name);
    if (!slot || !itemCatalogue[std::size_t(*slot)].inStartList) {
        problem(ImportProblem::Kind::Cell, &row, column, inQuotes(name) + " is not in the starting-weapon list");
        return;
    }
    record.starting_weapon.assign(itemCatalogue[std::size_t(*slot)].internalName);
}

void Importer::importRow(const SheetRow &row)
{
    const SheetCell *nameCell = cellIn(row, nameColumn);
    if (!nameCell) {
        problem(ImportProblem::Kind::Cell, &row, std::string::npos,
                "no classname; each row names the class it changes");
        return;
    }
    const int target = classOf(row, *nameCell);
    if (target < 0)
        return;
    ClassRecord &record = result.classes[std::size_t(target)];
    const SheetCell *weaponName = nullptr;
    bool weaponInRow = false;
    for (const SheetCell &cell : row.cells) {
        const SheetColumn &column = *columns[cell.column];
        weaponInRow = weaponInRow || column.field == &fieldNamed("starting_weapon");
        if (column.kind == SheetColumnKind::StartingWeaponName)
            weaponName = &cell;
        if (cell.column == nameColumn || column.kind == SheetColumnKind::File)
            continue;
        const bool text = column.kind == SheetColumnKind::Field && column.field->kind == FieldKind::Text;
        const bool marked = text && cell.type != SheetCell::Type::Null;
        const SheetCell unmarked = marked ? SheetCell{cell.column, textOf(cell), cell.type} : SheetCell{};
        if (std::string reason = setCell(column, marked ? unmarked : cell, record); !reason.empty())
            problem(ImportProblem::Kind::Cell, &row, cell.column, reason);
    }
    if (weaponName)
        setWeaponName(row, *weaponName, record, weaponInRow);
}

void Importer::run()
{
    if (!readColumns())
        return;
    for (std::size_t i = 0; i < result.classes.size(); ++i)
        classesNamed[std::string(result.classes[i].classname.view())].push_back(int(i));
    bool anyTaken = false;
    for (const SheetRow &row : sheet.rows) {
        if (fileColumn != std::string::npos) {
            const SheetCell *file = cellIn(row, fileColumn);
            const std::string name = file ? textOf(*file) : std::string();
            if (!equalsIgnoreCase(lastPart(name), lastPart(options.fileName)))
                continue;
        }
        anyTaken = true;
        importRow(row);
    }
    if (!anyTaken && fileColumn != std::string::npos)
        problem(ImportProblem::Kind::Text, nullptr, fileColumn,
                "no row is for the file " + inQuotes(lastPart(options.fileName)));
}

} // namespace

ImportResult classesFromSheet(std::span<const ClassRecord> classes, std::string_view text, const ImportOptions &options)
{
    ImportResult result;
    ImportProblem problem;
    const std::optional<Sheet> sheet = readSheet(text, options.format, problem);
    if (!sheet) {
        result.problems.push_back(std::move(problem));
        return result;
    }
    result.classes.assign(classes.begin(), classes.end());
    for (std::size_t i = 0; i < classes.size(); ++i)
        result.origins.push_back(int(i));
    Importer(*sheet, options, result).run();
    if (!result.problems.empty()) {
        result.classes.clear();
        result.origins.clear();
    }
    return result;
}

std::string setCellText(const SheetColumn &column, std::string_view text, ClassRecord &record)
{
    return setCell(column, SheetCell{0, std::string(text), SheetCell::Type::Any}, record);
}

std::string readTextCell(std::string_view utf8, std::size_t capacity, std::string &bytes)
{
    return readText(utf8, capacity, bytes);
}

} // namespace tolvane
