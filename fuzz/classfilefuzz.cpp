#include "asanoptions.h"
#include "classdata/format/classfields.h"
#include "classdata/format/classfilereader.h"
#include "classdata/format/classfileupdate.h"
#include "classdata/format/classfilewriter.h"
#include "classdata/files/settings.h"
#include "classdata/text/textnumbers.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace tolvane;

namespace {

// Counts what a file the writer wrote should not hold. A CR inside a text
// value is kept by the writer and reads back as written.
class CountingObserver final : public ReadObserver
{
public:
    void found(const ReadFinding &finding) override { count += finding.kind != ReadFindingKind::CarriageReturn; }
    int count = 0;
};

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The number readers agree with strtoll (clamped to 32 bits) and strtod, in
// value and in length, so that a wrong sign, saturation or rounding cannot
// hide behind a round trip. The game reads decimal numbers alone: where
// strtod reads a hexadecimal number, an infinity or a NaN, the float reader
// takes the decimal number that begins it, which strtod reads alike.
void checkNumbers(std::string_view bytes)
{
    const std::string text(bytes.substr(0, 64));
    char *end = nullptr;
    const long long integer = std::clamp<long long>(std::strtoll(text.c_str(), &end, 10), INT32_MIN, INT32_MAX);
    std::size_t used = 0;
    require(parseInt(text, &used) == integer && used == std::size_t(end - text.c_str()));
    const double parsed = parseDouble(text, &used);
    std::strtod(text.c_str(), &end);
    const std::string_view taken(text.c_str(), std::size_t(end - text.c_str()));
    const bool decimal = taken.find_first_of("xXiInN") == std::string_view::npos;
    const std::string number = decimal ? text : text.substr(0, used);
    const double real = std::strtod(number.c_str(), &end);
    // Where strtod reads no number its value is only a zero: Windows' C
    // runtime gives -0 for "-H", glibc 0.
    const bool none = end == number.c_str();
    require(none ? parsed == 0.0 && used == 0
                 : std::bit_cast<std::uint64_t>(parsed) == std::bit_cast<std::uint64_t>(real)
                       && used == std::size_t(end - number.c_str()));
}

// Whether two classes hold the same values; a float as the same bits, so
// that a NaN read twice from one line is the same.
bool sameClass(ClassRecord a, ClassRecord b)
{
    for (const ClassField &field : classFields()) {
        if (field.floatMember
            && std::bit_cast<std::uint32_t>(a.*field.floatMember) == std::bit_cast<std::uint32_t>(b.*field.floatMember))
            a.*field.floatMember = b.*field.floatMember = 0;
    }
    return a == b;
}

// Values the file keeps exactly: numbers within the reader's ranges, floats
// in eighths, text without line ends.
void setCleanValue(ClassRecord &record, std::minstd_rand &random)
{
    const std::size_t key = random() % (classFields().size() + inventorySlotCount);
    if (key >= classFields().size()) {
        record.inventory[key - classFields().size()] = random() % 2 ? std::int32_t(random()) - 1000 : 0;
        return;
    }
    static constexpr std::string_view texts[] = {"", "Sniper", "a b ", "x\ry", "\xE4\xA9"};
    const ClassField &field = classFields()[key];
    switch (field.kind) {
    case FieldKind::Int:
        record.*field.intMember = std::int32_t(random() % 1000);
        break;
    case FieldKind::Abilities:
        record.*field.intMember = std::int32_t(random()) - 1000;
        break;
    case FieldKind::Float:
        record.*field.floatMember = float(random() % 81) / 8;
        break;
    case FieldKind::Resistance:
        record.*field.floatMember = float(random() % 3);
        break;
    case FieldKind::Text:
        field.text.set(record, texts[random() % std::size(texts)]);
        break;
    }
}

// The classes of table with a few edits, some dropped, swapped or added,
// and the block each comes from, all chosen by random.
void editClasses(const ClassTable &table, std::minstd_rand &random, std::vector<ClassRecord> &edited,
                 std::vector<int> &origins)
{
    edited.clear();
    origins.clear();
    for (int i = 0; i < table.classCount; ++i) {
        if (random() % 8 == 0)
            continue;
        // A new class holds clean values only, as the fixed layout writes
        // every value of it.
        edited.push_back(table.records[std::size_t(i)]);
        origins.push_back(i);
        if (random() % 8 == 0) {
            origins.back() = -1;
            applyEmptyTableDefault(edited.back());
        }
        for (unsigned edits = random() % 4; edits > 0; --edits)
            setCleanValue(edited.back(), random);
    }
    if (edited.size() > 1 && random() % 2) {
        std::swap(edited[0], edited[1]);
        std::swap(origins[0], origins[1]);
    }
}

// Whether the floats of a and b hold the same bits.
bool sameFloats(const ClassRecord &a, const ClassRecord &b)
{
    return std::ranges::all_of(classFields(), [&](const ClassField &field) {
        return !field.floatMember
               || std::bit_cast<std::uint32_t>(a.*field.floatMember)
                      == std::bit_cast<std::uint32_t>(b.*field.floatMember);
    });
}

// The game reads no infinity and no NaN: a file's floats are numbers a
// sheet takes back.
bool finiteFloats(const ClassRecord &record)
{
    return std::ranges::all_of(classFields(), [&](const ClassField &field) {
        return !field.floatMember || std::isfinite(record.*field.floatMember);
    });
}

bool hasBlock(std::string_view bytes)
{
    return bytes.starts_with('{') || bytes.find("\n{") != std::string_view::npos;
}

std::span<const ClassRecord> classesOf(const ClassTable &table)
{
    return {table.records.data(), std::size_t(table.classCount)};
}

// The updating writer, one check an input, chosen by its bytes: no edit
// gives the file back; edits read back as made; a file in the fixed layout
// stays in it. table holds what bytes read as, fixedTable what fixed does;
// reread may be overwritten.
void checkUpdate(std::string_view bytes, const ClassTable &table, const std::string &fixed, ClassTable &fixedTable,
                 std::string_view lineEnd)
{
    const std::size_t hash = std::hash<std::string_view>()(bytes);
    std::minstd_rand random(std::uint32_t(hash / 3));
    std::vector<ClassRecord> edited;
    std::vector<int> origins;
    if (hash % 3 == 0 && hasBlock(bytes)) {
        require(updatedClassFile(bytes, table, classesOf(table)) == bytes);
    } else if (hash % 3 == 1) {
        editClasses(fixedTable, random, edited, origins);
        require(updatedClassFile(fixed, fixedTable, edited, origins) == classFileBytes(edited, lineEnd));
    } else {
        editClasses(table, random, edited, origins);
        ClassTable &reread = fixedTable;
        readClassBytes(reread, updatedClassFile(bytes, table, edited, origins));
        // Blocks after the 64th stay in the file: with fewer classes before
        // them, the game reads some of them too.
        const bool readBeyond = table.classCount == tableSlotCount && std::size_t(reread.classCount) > edited.size();
        if (edited.empty() && !readBeyond) {
            edited.resize(1);
            applyEmptyTableDefault(edited[0]);
        }
        require(std::size_t(reread.classCount) == edited.size() || readBeyond);
        for (std::size_t i = 0; i < edited.size(); ++i)
            require(sameClass(reread.records[i], edited[i]));
    }
}

// Empties the classes of table, so that an input frees what it allocates:
// libFuzzer looks for a leak after every input that does not, at length.
void release(ClassTable &table)
{
    std::fill_n(table.records.begin(), table.classCount, ClassRecord{});
}

} // namespace

// Any bytes read as a class file: the reader never fails; the fixed layout
// reads back without findings to as many classes and is a fixed point of
// reading and writing, with either line end; the updating writer keeps the
// file, and so does normalizing that keeps notes, but for the values. The
// settings reader takes the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static auto table = std::make_unique<ClassTable>();
    static auto reread = std::make_unique<ClassTable>();
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    readClassBytes(*table, bytes);
    require(std::all_of(table->records.begin(), table->records.begin() + table->classCount, finiteFloats));
    const std::string_view lineEnd = size % 2 ? "\n" : "\r\n";
    const std::string written = classFileBytes(*table, lineEnd);
    CountingObserver findings;
    readClassBytes(*reread, written, &findings);
    require(findings.count == 0 && reread->classCount == table->classCount);
    require(classFileBytes(*reread, lineEnd) == written);
    checkUpdate(bytes, *table, written, *reread, lineEnd);
    // Normalizing that keeps notes reads as normalizing does, every float to
    // the bit, and holds still. (Its line ends may differ: a CR that ends the
    // last line of a file without LF stays part of that line, with a CR LF
    // after it.)
    const std::string keepingNotes = normalizedKeepingNotes(bytes);
    require(normalizedKeepingNotes(keepingNotes) == keepingNotes);
    readClassBytes(*reread, keepingNotes);
    require(classFileBytes(*reread, "\n") == classFileBytes(*table, "\n"));
    for (int i = 0; i < table->classCount; ++i)
        require(sameFloats(reread->records[std::size_t(i)], table->records[std::size_t(i)]));
    release(*table);
    release(*reread);
    checkNumbers(bytes);

    std::int32_t sealsActive = 1;
    readSettingsBytes(bytes, sealsActive);
    require(sealsActive == 0 || sealsActive == 1);
    return 0;
}
