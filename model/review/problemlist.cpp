#include "problemlist.h"

#include "classdata/checks/classchecks.h"
#include "classdata/format/classfields.h"
#include "classdata/format/classfilereader.h"
#include "classdata/format/classfilewriter.h"
#include "classdata/format/findingcodes.h"
#include "classdata/format/itemcatalogue.h"
#include "classdata/format/writtenvalue.h"
#include "valuewords.h"

#include <algorithm>
#include <memory>

namespace tolvane {

namespace {

constexpr std::string_view inventoryField = "inventory";

// The box a finding concerns: the field of its key, or the item list with
// the item of an inventory amount ("inventory NAME", as the line has it).
void locate(const ReadFinding &finding, Problem &problem)
{
    using Kind = ReadFindingKind;
    if (finding.kind == Kind::UnknownResistance) {
        problem.field = "resistance";
    } else if (finding.kind == Kind::UnknownItem || finding.kind == Kind::MissingAmount) {
        problem.field = inventoryField;
    } else if (const std::size_t space = finding.key.find(' '); space != std::string_view::npos) {
        problem.field = inventoryField;
        problem.item = slotForInternalName(finding.key.substr(space + 1)).value_or(-1);
    } else if (const ClassField *field = fieldOfKey(finding.key)) {
        problem.field = field->key;
    }
}

class Collector : public ReadObserver
{
public:
    explicit Collector(std::vector<Problem> &problems) : problems(problems) {}

    void found(const ReadFinding &finding) override
    {
        Problem problem{.line = finding.line,
                        .code = codeOf(finding.kind).code,
                        .message = describe(finding, keyTitle),
                        .classIndex = finding.block,
                        .field = {},
                        .item = -1,
                        .messageByKeys = describe(finding)};
        locate(finding, problem);
        problems.push_back(std::move(problem));
    }

private:
    std::vector<Problem> &problems;
};

// The class that records[i] was read as: the one of the file's block it
// came from; nullptr for a new class.
const ClassRecord *classRead(std::size_t i, std::span<const ClassRecord> read, std::span<const int> origins)
{
    const int block = origins.empty() ? int(i) : i < origins.size() ? origins[i] : -1;
    return block >= 0 && std::size_t(block) < read.size() ? &read[std::size_t(block)] : nullptr;
}

// The problems the reader finds in the line Write Out would write for
// field, about that field; "when written", in class classIndex.
std::vector<Problem> problemsWhenWritten(const ClassField &field, const ClassRecord &record, int classIndex)
{
    std::string line;
    std::vector<Problem> problems;
    if (!appendFieldLine(line, field, record))
        return problems;
    Collector collector(problems);
    ClassRecord readBack;
    readBlockLine(readBack, line, &collector);
    std::erase_if(problems, [](const Problem &p) { return p.field.empty(); });
    for (Problem &problem : problems) {
        problem.line = 0;
        problem.classIndex = classIndex;
    }
    return problems;
}

// Where the class of the file's block stands now; -1 when it is gone.
int classNow(int block, std::size_t count, std::span<const int> origins)
{
    if (origins.empty())
        return std::size_t(block) < count ? block : -1;
    const auto at = std::find(origins.begin(), origins.end(), block);
    return at == origins.end() ? -1 : int(at - origins.begin());
}

// Whether the value the problem is about differs from the one read.
bool valueChanged(const Problem &problem, const ClassRecord &read, const ClassRecord &now)
{
    if (problem.field == inventoryField)
        return problem.item >= 0
               && read.inventory[std::size_t(problem.item)] != now.inventory[std::size_t(problem.item)];
    const ClassField *field = fieldOfKey(problem.field);
    return field && !sameWrittenValue(*field, read, now);
}

bool sameSubject(const Problem &a, const Problem &b)
{
    return a.classIndex == b.classIndex && a.field == b.field && a.item == b.item && a.code == b.code;
}

// The problems the reader finds in bytes, in line order as it reports them;
// table gets the classes.
std::vector<Problem> problemsOf(std::string_view bytes, ClassTable &table)
{
    std::vector<Problem> problems;
    Collector collector(problems);
    readClassBytes(table, bytes, &collector);
    return problems;
}

} // namespace

std::string Problem::text() const
{
    return textOf(message);
}

std::string Problem::textByKeys() const
{
    return textOf(messageByKeys.empty() ? message : messageByKeys);
}

std::string Problem::textOf(const std::string &words) const
{
    const std::string what = code.empty() ? words : std::string(code) + ' ' + words;
    const std::string where = !place.empty() ? place
                              : line > 0     ? "line " + std::to_string(line)
                              : line == 0    ? std::string("when written")
                                             : std::string();
    return where.empty() ? what : where + ": " + what;
}

void ProblemList::fileRead(std::string_view bytes)
{
    const auto table = std::make_unique<ClassTable>();
    found = problemsOf(bytes, *table);
    classesRead.assign(table->records.begin(), table->records.begin() + table->classCount);
}

void ProblemList::fileWritten(std::string_view bytes, std::span<const ClassRecord> records)
{
    const auto table = std::make_unique<ClassTable>();
    found = problemsOf(bytes, *table);
    classesRead.assign(records.begin(), records.end());
}

void ProblemList::clear()
{
    found.clear();
    classesRead.clear();
}

std::vector<Problem> ProblemList::current(std::span<const ClassRecord> records, std::span<const int> origins) const
{
    std::vector<Problem> standing;
    for (const Problem &problem : found) {
        Problem shown = problem;
        if (problem.classIndex >= 0) {
            shown.classIndex = classNow(problem.classIndex, records.size(), origins);
            if (shown.classIndex < 0 || std::size_t(problem.classIndex) >= classesRead.size()
                || valueChanged(problem, classesRead[std::size_t(problem.classIndex)],
                                records[std::size_t(shown.classIndex)]))
                continue;
        }
        standing.push_back(std::move(shown));
    }
    // Values stored since, such as a speed of 12, that the game would not
    // read as they are once written. (The inventory lines always read as written.)
    const std::size_t fromFile = standing.size();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ClassRecord *read = classRead(i, classesRead, origins);
        for (const ClassField &field : classFields()) {
            if (read && sameWrittenValue(field, *read, records[i]))
                continue;
            for (Problem &problem : problemsWhenWritten(field, records[i], int(i))) {
                const auto end = standing.begin() + std::ptrdiff_t(fromFile);
                if (std::none_of(standing.begin(), end, [&](const Problem &p) { return sameSubject(p, problem); }))
                    standing.push_back(std::move(problem));
            }
        }
    }
    return standing;
}

std::vector<Problem> slipsOf(std::span<const ClassRecord> classes)
{
    std::vector<Problem> problems;
    Collector collector(problems);
    checkClasses(classes, collector);
    for (Problem &problem : problems)
        problem.line = -1;
    return problems;
}

std::string withProblemCount(std::string status, std::size_t count)
{
    if (count == 0)
        return status;
    return status + "; " + std::to_string(count) + (count == 1 ? " problem" : " problems");
}

} // namespace tolvane
