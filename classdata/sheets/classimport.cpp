#include "classimport.h"

#include "classdata/format/itemcatalogue.h"
#include "classdata/text/asciitext.h"
#include "classdata/text/readabletext.h"
#include "classdata/text/windows1252.h"
#include "classexport.h"

#include <algorithm>
#include <map>

namespace tolvane {

namespace {

constexpr std::size_t mostProblems = 100;

// A class name as the game compares names: without regard to ASCII case.
std::string nameKey(std::string_view name)
{
    std::string key(name);
    std::ranges::transform(key, key.begin(), foldCase);
    return key;
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
    bool forTheFile(const SheetRow &row);
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
    std::map<std::string, std::size_t> rowsOfName;
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
        added.message = (added.column.empty() ? "" : "key " + quotedCell(added.column) + ": ") + reason;
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
    if (std::string reason = readTextCell(textOf(nameCell), decltype(ClassRecord::classname)::capacity, name);
        !reason.empty()) {
        problem(ImportProblem::Kind::Cell, &row, nameColumn, reason);
        return -1;
    }
    // The n-th row of a name changes the n-th class of that name, as an
    // export lists them; rows beyond those classes are new ones.
    const std::size_t nth = rowsOfName[nameKey(name)]++;
    const std::vector<int> &named = classesNamed[nameKey(name)];
    if (nth < named.size())
        return named[nth];
    if (!options.addNew && !named.empty()) {
        problem(ImportProblem::Kind::UnknownClass, &row, nameColumn,
                quotedCell(textOf(nameCell)) + " in more rows than classes are named so ("
                    + std::to_string(named.size()) + "); new classes are added only when asked for");
        return -1;
    }
    if (!options.addNew) {
        problem(ImportProblem::Kind::UnknownClass, &row, nameColumn,
                "no class is named " + quotedCell(textOf(nameCell)) + "; new classes are added only when asked for");
        return -1;
    }
    if (result.classes.size() >= std::size_t(tableSlotCount)) {
        problem(ImportProblem::Kind::Cell, &row, nameColumn,
                "a new class " + quotedCell(textOf(nameCell)) + " would be the 65th; a class file holds 64 at most");
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
                quotedCell(name) + " is not the name of starting_weapon "
                    + quotedCell(utf8FromWindows1252(record.starting_weapon.view()))
                    + (shown.empty() ? "" : ", which is shown as " + quotedCell(shown)));
        return;
    }
    const std::optional<int> slot = slotForDisplayName(name);
    if (!slot || !itemCatalogue[std::size_t(*slot)].inStartList) {
        problem(ImportProblem::Kind::Cell, &row, column, quotedCell(name) + " is not in the starting-weapon list");
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

// Whether the row's file is the class file: of its name, and where it
// names a folder, of its folder.
bool Importer::forTheFile(const SheetRow &row)
{
    const SheetCell *file = cellIn(row, fileColumn);
    const std::string name = file ? textOf(*file) : std::string();
    if (!equalsIgnoreCase(lastPart(name), lastPart(options.fileName)))
        return false;
    if (lastPart(name).size() == name.size() || (options.isFile && options.isFile(name)))
        return true;
    if (result.otherFolderRows++ == 0)
        result.otherFolderFile = name;
    return false;
}

void Importer::run()
{
    if (!readColumns())
        return;
    for (std::size_t i = 0; i < result.classes.size(); ++i)
        classesNamed[nameKey(result.classes[i].classname.view())].push_back(int(i));
    bool anyTaken = false;
    for (const SheetRow &row : sheet.rows) {
        if (fileColumn != std::string::npos && !forTheFile(row))
            continue;
        anyTaken = true;
        importRow(row);
    }
    if (!anyTaken && fileColumn != std::string::npos) {
        const std::string note = otherFolderNote(result);
        problem(ImportProblem::Kind::Text, nullptr, fileColumn,
                "no row is for the file " + quotedCell(lastPart(options.fileName)) + (note.empty() ? "" : "; " + note));
    }
}

} // namespace

std::string otherFolderNote(const ImportResult &result)
{
    if (result.otherFolderRows == 0)
        return {};
    const bool one = result.otherFolderRows == 1;
    // The whole name, a path of at most a cell's length: its folder tells.
    return std::to_string(result.otherFolderRows) + (one ? " row" : " rows") + " for \""
           + readableFileName(result.otherFolderFile) + "\", another folder's file of the same name, "
           + (one ? "is" : "are") + " left out";
}

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

} // namespace tolvane
