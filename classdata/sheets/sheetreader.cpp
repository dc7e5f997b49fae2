#include "sheetreader.h"

#include "classdata/text/asciitext.h"
#include "classdata/text/readabletext.h"
#include "classdata/text/windows1252.h"

#include <algorithm>
#include <unordered_map>

namespace tolvane {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// The most characters of a cell that a message quotes.
constexpr std::size_t quotedLength = 40;

// A cell's or a column's text for a message, control characters escaped:
// its first characters only, "…" after them, when it is long.
std::string shortText(std::string_view utf8)
{
    std::size_t end = 0;
    char32_t c = 0;
    for (std::size_t characters = 0; characters < quotedLength && end < utf8.size(); ++characters)
        end += std::max<std::size_t>(decodeUtf8(utf8.substr(end), c), 1);
    return end < utf8.size() ? readableFileName(utf8.substr(0, end)) + "\xE2\x80\xA6" : readableFileName(utf8);
}

// Why a cell of size bytes is refused; empty when it is not too long.
std::string tooLong(std::size_t size)
{
    if (size <= longestCell)
        return {};
    return "a cell of " + std::to_string(size) + " bytes; no value of a class is longer than "
           + std::to_string(longestCell) + " bytes";
}

// Text in Windows-1252 rather than UTF-8: bytes above 0x7F, none of them in
// a UTF-8 sequence. Text that mixes the two is taken for UTF-8, so that its
// stray bytes are told, rather than its letters read wrong.
bool isWindows1252(std::string_view text)
{
    bool stray = false;
    char32_t c = 0;
    while (!text.empty()) {
        const auto ascii = std::find_if(text.begin(), text.end(), [](char b) { return b & 0x80; });
        text.remove_prefix(std::size_t(ascii - text.begin()));
        if (text.empty())
            break;
        const std::size_t length = decodeUtf8(text, c);
        if (length > 1)
            return false;
        stray = true;
        text.remove_prefix(1);
    }
    return stray;
}

// CSV or TSV: rows of cells split at a separator, quoted cells with their
// quotes doubled, rows ended by LF, CR LF or CR.
class DelimitedReader
{
public:
    DelimitedReader(std::string_view text, char separator) : text(text), separator(separator) {}
    bool read(Sheet &sheet, ImportProblem &problem);
    bool readRows(std::vector<std::vector<std::string>> &rows, ImportProblem &problem);

private:
    // The next row's cells; false with the reason in failure.
    bool row(std::vector<std::string> &cells);
    bool quotedCell(std::string &cell);
    bool fail(std::string reason)
    {
        failure = std::move(reason);
        return false;
    }
    // Whether the byte at ends a cell: the separator, a line end, the end of the text.
    bool endsCell(std::size_t i) const
    {
        return i >= text.size() || text[i] == separator || text[i] == '\r' || text[i] == '\n';
    }

    std::string_view text;
    char separator;
    std::size_t at = 0;
    int line = 1;
    std::string failure;
};

bool DelimitedReader::quotedCell(std::string &cell)
{
    const int opened = line;
    for (++at;;) {
        const std::size_t quote = text.find('"', at);
        if (quote == std::string_view::npos)
            return fail("the quote that opens this cell on line " + std::to_string(opened) + " is never closed");
        const std::string_view part = text.substr(at, quote - at);
        line += int(std::count(part.begin(), part.end(), '\n'));
        cell.append(part);
        at = quote + 1;
        if (at >= text.size() || text[at] != '"')
            break;
        cell += '"';
        ++at;
    }
    if (!endsCell(at))
        return fail("text after the quote that closes this cell; a quote inside a quoted cell is written twice");
    return true;
}

bool DelimitedReader::row(std::vector<std::string> &cells)
{
    cells.clear();
    for (;;) {
        std::string &cell = cells.emplace_back();
        if (at < text.size() && text[at] == '"') {
            if (!quotedCell(cell))
                return false;
        } else {
            std::size_t end = at;
            bool quote = false;
            for (; !endsCell(end); ++end)
                quote = quote || text[end] == '"';
            cell.assign(text.substr(at, end - at));
            at = end;
            if (quote)
                return fail("a quote inside a cell that does not begin with one; quote the whole cell and write "
                            "each quote in it twice");
        }
        if (std::string reason = tooLong(cell.size()); !reason.empty())
            return fail(std::move(reason));
        if (at < text.size() && text[at] == separator) {
            ++at;
            continue;
        }
        if (at < text.size() && text[at] == '\r')
            ++at;
        if (at < text.size() && text[at] == '\n')
            ++at;
        ++line;
        return true;
    }
}

bool DelimitedReader::read(Sheet &sheet, ImportProblem &problem)
{
    std::vector<std::string> cells;
    for (int number = 1; at < text.size(); ++number) {
        const int rowLine = line;
        if (!row(cells)) {
            const SheetRow place{number, rowLine, {}};
            problem.row = number;
            problem.message = cellPlace(sheet, place, cells.size() - 1) + ": " + failure;
            return false;
        }
        if (number == 1) {
            for (const std::string &cell : cells)
                sheet.columns.emplace_back(trimBlanks(cell));
            continue;
        }
        if (std::all_of(cells.begin(), cells.end(), [](const std::string &cell) { return cell.empty(); }))
            continue;
        SheetRow &added = sheet.rows.emplace_back(SheetRow{number, rowLine, {}});
        if (cells.size() != sheet.columns.size()) {
            problem.row = number;
            problem.message = cellPlace(sheet, added, std::string::npos) + " has " + std::to_string(cells.size())
                              + (cells.size() == 1 ? " cell" : " cells") + "; the header row has "
                              + std::to_string(sheet.columns.size());
            return false;
        }
        added.cells.reserve(cells.size());
        for (std::size_t i = 0; i < cells.size(); ++i)
            added.cells.push_back({i, std::move(cells[i])});
    }
    if (sheet.columns.empty()) {
        problem.message = "no header row: the first row names the columns";
        return false;
    }
    return true;
}

bool DelimitedReader::readRows(std::vector<std::vector<std::string>> &rows, ImportProblem &problem)
{
    while (at < text.size()) {
        if (!row(rows.emplace_back())) {
            problem.row = int(rows.size());
            problem.message = "row " + std::to_string(rows.size()) + ", column " + columnLetters(rows.back().size() - 1)
                              + ": " + failure;
            return false;
        }
    }
    return true;
}

// An array of flat objects, their keys the columns.
class JsonReader
{
public:
    explicit JsonReader(std::string_view text) : text(text) {}
    bool read(Sheet &sheet, ImportProblem &problem);

private:
    bool object(Sheet &sheet);
    bool value(SheetCell &cell);
    bool string(std::string &out);
    bool number(std::string &out);
    bool hexQuad(char32_t &c);
    bool expect(char c, std::string_view what)
    {
        skipBlanks();
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return fail("expected " + std::string(what));
    }
    bool fail(std::string reason)
    {
        if (failure.empty())
            failure = std::move(reason);
        return false;
    }
    void skipBlanks()
    {
        for (; at < text.size() && std::string_view(" \t\r\n").find(text[at]) != std::string_view::npos; ++at)
            line += text[at] == '\n';
    }
    bool next(char c) const { return at < text.size() && text[at] == c; }

    std::string_view text;
    std::size_t at = 0;
    int line = 1;
    int objects = 0;
    std::string failure;
    std::unordered_map<std::string, std::size_t> columnOfKey;
};

bool JsonReader::read(Sheet &sheet, ImportProblem &problem)
{
    bool done = expect('[', "a JSON array [ of objects, one per class");
    skipBlanks();
    if (done && next(']')) {
        ++at;
    } else {
        while (done && object(sheet)) {
            skipBlanks();
            if (next(']')) {
                ++at;
                break;
            }
            done = expect(',', "\",\" or \"]\" after an object");
        }
    }
    skipBlanks();
    if (failure.empty() && at < text.size())
        fail("text after the array");
    if (failure.empty())
        return true;
    problem.row = objects;
    problem.message = "line " + std::to_string(line) + (objects ? " (object " + std::to_string(objects) + ")" : "")
                      + ": " + failure;
    return false;
}

bool JsonReader::object(Sheet &sheet)
{
    if (!expect('{', "an object { } for each class"))
        return false;
    SheetRow &row = sheet.rows.emplace_back(SheetRow{++objects, line, {}});
    skipBlanks();
    if (next('}')) {
        ++at;
        return true;
    }
    for (std::string key;;) {
        key.clear();
        skipBlanks();
        if (!next('"'))
            return fail("expected a key in quotes");
        if (!string(key) || !expect(':', "\":\" after the key"))
            return false;
        const auto [found, added] = columnOfKey.try_emplace(key, sheet.columns.size());
        if (added)
            sheet.columns.push_back(key);
        const std::size_t column = found->second;
        if (std::any_of(row.cells.begin(), row.cells.end(), [&](const SheetCell &c) { return c.column == column; }))
            return fail("the key " + quotedCell(key) + " twice in one object");
        SheetCell &cell = row.cells.emplace_back(SheetCell{column, {}, SheetCell::Type::Null});
        if (!value(cell))
            return false;
        skipBlanks();
        if (next('}')) {
            ++at;
            return true;
        }
        if (!expect(',', "\",\" or \"}\" after a value"))
            return false;
    }
}

bool JsonReader::value(SheetCell &cell)
{
    skipBlanks();
    const std::string_view rest = text.substr(at);
    for (auto [word, type] : {std::pair{std::string_view("true"), SheetCell::Type::Bool},
                              {"false", SheetCell::Type::Bool},
                              {"null", SheetCell::Type::Null}}) {
        if (rest.starts_with(word)) {
            at += word.size();
            cell.text = word;
            cell.type = type;
            return true;
        }
    }
    if (next('"')) {
        cell.type = SheetCell::Type::String;
        return string(cell.text);
    }
    if (next('{') || next('['))
        return fail("an object or array as a value; a class's values are numbers, texts, true or false");
    cell.type = SheetCell::Type::Number;
    return number(cell.text);
}

bool JsonReader::number(std::string &out)
{
    const std::size_t start = at;
    const auto digits = [&] {
        const std::size_t first = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            ++at;
        return at > first;
    };
    if (next('-'))
        ++at;
    if (next('0'))
        ++at;
    else if (!digits())
        return fail("not a JSON value");
    if (next('.')) {
        ++at;
        if (!digits())
            return fail("a number without digits after its point");
    }
    if (next('e') || next('E')) {
        ++at;
        if (next('+') || next('-'))
            ++at;
        if (!digits())
            return fail("a number without digits in its exponent");
    }
    if (at - start > longestCell)
        return fail(tooLong(at - start));
    out.assign(text.substr(start, at - start));
    return true;
}

bool JsonReader::hexQuad(char32_t &c)
{
    c = 0;
    for (int i = 0; i < 4; ++i, ++at) {
        const char h = at < text.size() ? text[at] : ' ';
        const int digit = h >= '0' && h <= '9'   ? h - '0'
                          : h >= 'a' && h <= 'f' ? h - 'a' + 10
                          : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return fail("\\u without four hexadecimal digits");
        c = c * 16 + char32_t(digit);
    }
    return true;
}

bool JsonReader::string(std::string &out)
{
    for (++at;;) {
        if (at >= text.size())
            return fail("a text whose closing quote is missing");
        const char c = text[at++];
        if (c == '"')
            return out.size() <= longestCell || fail(tooLong(out.size()));
        if (static_cast<unsigned char>(c) < 0x20)
            return fail("a control character inside a text; JSON writes it as an escape such as \\n");
        if (c != '\\') {
            out += c;
            continue;
        }
        const char escape = at < text.size() ? text[at++] : ' ';
        const std::string_view from = "\"\\/bfnrt", to = "\"\\/\b\f\n\r\t";
        if (const std::size_t i = from.find(escape); i != std::string_view::npos) {
            out += to[i];
            continue;
        }
        if (escape != 'u')
            return fail("an unknown escape \\" + readableFileName(std::string(1, escape)));
        char32_t unit = 0;
        if (!hexQuad(unit))
            return false;
        // A character beyond U+FFFF comes as two escapes, a high and a low surrogate.
        const bool high = unit >= 0xD800 && unit < 0xDC00;
        char32_t low = 0;
        if (high && text.substr(at).starts_with("\\u")) {
            at += 2;
            if (!hexQuad(low))
                return false;
        }
        if ((high && (low < 0xDC00 || low >= 0xE000)) || (unit >= 0xDC00 && unit < 0xE000))
            return fail("a \\u escape of half a character (a UTF-16 surrogate without its pair)");
        appendUtf8(out, high ? 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00) : unit);
    }
}

} // namespace

std::string quotedCell(std::string_view utf8)
{
    return '"' + shortText(utf8) + '"';
}

std::string cellPlace(const Sheet &sheet, const SheetRow &row, std::size_t column)
{
    const bool named = column < sheet.columns.size();
    const std::string name = named ? shortText(sheet.columns[column]) : std::string();
    if (sheet.format == SheetFormat::Json) {
        std::string place = "object " + std::to_string(row.number) + " (line " + std::to_string(row.line) + ")";
        return named ? place + ", \"" + name + '"' : place;
    }
    std::string place = "row " + std::to_string(row.number);
    if (column != std::string::npos)
        place += ", column " + columnLetters(column);
    return named ? place + " (" + name + ')' : place;
}

std::optional<Sheet> readSheet(std::string_view text, std::optional<SheetFormat> format, ImportProblem &problem)
{
    std::string converted;
    if (text.starts_with(byteOrderMark)) {
        text.remove_prefix(byteOrderMark.size());
    } else if (isWindows1252(text)) {
        converted = utf8FromWindows1252(text);
        text = converted;
    }
    const std::string_view firstLine = text.substr(0, text.find_first_of("\r\n"));
    if (!format) {
        const std::size_t first = text.find_first_not_of(" \t\r\n");
        format = first != std::string_view::npos && (text[first] == '[' || text[first] == '{') ? SheetFormat::Json
                 : firstLine.find('\t') != std::string_view::npos                              ? SheetFormat::Tsv
                                                                                               : SheetFormat::Csv;
    }
    problem = {};
    Sheet sheet;
    sheet.format = *format;
    bool read = false;
    if (*format == SheetFormat::Json) {
        read = JsonReader(text).read(sheet, problem);
    } else {
        const bool semicolons = firstLine.find(',') == std::string_view::npos
                                && firstLine.find(';') != std::string_view::npos;
        const char separator = *format == SheetFormat::Tsv ? '\t' : semicolons ? ';' : ',';
        read = DelimitedReader(text, separator).read(sheet, problem);
    }
    if (read && !sheet.columns.empty() && sheet.columns[0].starts_with("\xC3\xAF\xC2\xBB\xC2\xBF")) {
        problem.message = "the sheet begins with \"\xC3\xAF\xC2\xBB\xC2\xBF\", a byte order mark read in the wrong "
                          "character set: have the spreadsheet program open the CSV as UTF-8 (Unicode) and save it "
                          "again";
        read = false;
    }
    if (!read)
        return std::nullopt;
    return sheet;
}

std::optional<std::vector<std::vector<std::string>>> readSheetRows(std::string_view text, char separator,
                                                                   ImportProblem &problem)
{
    problem = {};
    std::vector<std::vector<std::string>> rows;
    if (!DelimitedReader(text, separator).readRows(rows, problem))
        return std::nullopt;
    return rows;
}

} // namespace tolvane
