// The class table's work in the editing session for a full file of 64
// classes, short of drawing: building its rows and cells, a sort, a filter
// and a change to one column of every class; and a cell of 50 MB pasted or
// imported, which is refused as it is read, in a time bounded by reading it.

#include "model/session/editorsession.h"
#include "model/table/classtableediting.h"
#include "model/table/tablecolumns.h"

#include "classdata/sheets/classimport.h"

#include "classdata/format/classfilereader.h"
#include "classdata/format/classfilewriter.h"
#include "classdata/files/safesave.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

using namespace tolvane;

namespace {

// A window that shows nothing and answers every question with yes.
class NoWindow : public FormView, public Questions, public TableView
{
public:
    void showForm(const FormValues &values) override { boxes = values; }
    FormValues form() const override { return boxes; }
    void showPosition(int, int, int) override {}
    void setStatus(const std::string &) override {}
    void setTitle(const std::string &) override {}
    void setUnsavedMark(bool) override {}
    void setTeamText(const std::string &) override {}
    void showFolders(const std::filesystem::path &, const std::vector<std::filesystem::path> &) override {}
    Answer ask(const Question &) override { return Answer::Yes; }
    void tell(const Notice &) override {}
    void focusField(const std::string &, int) override {}
    std::optional<std::filesystem::path> chooseFolder(const std::filesystem::path &, const std::string &) override
    {
        return {};
    }
    void showClassCommands(const ClassCommands &) override {}
    void showPlace(const std::string &) override {}
    std::optional<std::filesystem::path> chooseFile(const FileChoice &) override { return {}; }
    void showClassTable(const std::string &status) override { benchmark::DoNotOptimize(status.data()); }

private:
    FormValues boxes;
};

// A session that has loaded a file of 64 classes with varied values, in a
// folder of its own.
class FullSession
{
public:
    FullSession()
    {
        std::filesystem::create_directories(folder);
        auto table = std::make_unique<ClassTable>();
        for (int i = 0; i < tableSlotCount; ++i) {
            ClassRecord &record = table->records[std::size_t(i)];
            applyBlockStartDefaults(record);
            record.classname.assign("Class " + std::to_string(i));
            record.health = 50 + i * 7 % 100;
            record.speed = 0.5f + float(i % 10) / 10;
            record.inventory[std::size_t(29 + i % 5)] = i % 4;
            record.classabilities = i * 0x1111 & definedAbilityMask;
        }
        table->classCount = tableSlotCount;
        saveFileAtomically(folder / "tvclass_seals.cfg", classFileBytes(*table, "\n"));
        session.start();
        session.loadConfig();
    }
    ~FullSession() { std::filesystem::remove_all(folder, ignored); }

    ClassTableEditing &operator*() { return table; }
    ClassTableEditing *operator->() { return &table; }

private:
    std::filesystem::path folder = std::filesystem::temp_directory_path()
                                   / ("tolvane-table-bench-"
                                      + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::error_code ignored;
    NoWindow view;
    EditorSession session{view,
                          view,
                          GameFolder::at(folder),
                          {[](std::string_view) {}, [] { return std::vector<std::filesystem::path>(); },
                           [](const std::vector<std::filesystem::path> &) {}}};
    ClassTableEditing table{session, view};
};

// Every cell's text and number of the rows shown, and the problems' cells.
std::size_t buildTable(const ClassTableEditing &table)
{
    std::size_t characters = 0;
    const EditorState &state = *table.rows().state;
    for (int slot : table.shownRows()) {
        for (const TableColumn &column : tableColumns()) {
            characters += cellText(column, state.table.records[std::size_t(slot)]).size();
            benchmark::DoNotOptimize(cellNumber(column, state.table.records[std::size_t(slot)]));
        }
    }
    return characters + table.cellProblems().size();
}

void buildTableRows(benchmark::State &state)
{
    FullSession session;
    for (auto _ : state)
        benchmark::DoNotOptimize(buildTable(*session));
}

void sortTable(benchmark::State &state)
{
    FullSession session;
    const int health = columnNamed("Health");
    for (auto _ : state) {
        session->sort(health, SortOrder::Descending);
        benchmark::DoNotOptimize(session->shownRows().data());
    }
}

void filterTable(benchmark::State &state)
{
    FullSession session;
    for (auto _ : state) {
        session->filter("health < 100 and carries Grenades and not ability Scanner");
        benchmark::DoNotOptimize(session->shownRows().data());
    }
}

// Alternately up and down, so that every class changes each time.
void changeAllClasses(benchmark::State &state)
{
    FullSession session;
    session->selectAllClasses();
    const int speed = columnNamed("Class Speed");
    bool up = true;
    for (auto _ : state) {
        session->changeSelectedClasses(speed, up ? "+0.5" : "-0.5");
        up = !up;
    }
}

const std::string &largeCell()
{
    static const std::string cell(50 << 20, 'k');
    return cell;
}

void pasteLargeCell(benchmark::State &state)
{
    FullSession session;
    TableGrid grid;
    grid.rows = session->shownRows();
    grid.columns = {columnNamed("Config File")};
    grid.current = {0, 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(session->paste(grid, largeCell()));
}

void importLargeCell(benchmark::State &state)
{
    FullSession session;
    const std::string sheet = "classname,keys\nClass 1," + largeCell() + "\n";
    const ClassTable &table = session->rows().state->table;
    const std::vector<ClassRecord> classes(table.records.begin(), table.records.begin() + table.classCount);
    for (auto _ : state)
        benchmark::DoNotOptimize(classesFromSheet(classes, sheet).problems.size());
}

} // namespace

BENCHMARK(buildTableRows)->Name("ClassTable/Build/64classes")->Unit(benchmark::kMicrosecond);
BENCHMARK(sortTable)->Name("ClassTable/Sort/64classes")->Unit(benchmark::kMicrosecond);
BENCHMARK(filterTable)->Name("ClassTable/Filter/64classes")->Unit(benchmark::kMicrosecond);
BENCHMARK(changeAllClasses)->Name("ClassTable/ChangeOneColumn/64classes")->Unit(benchmark::kMicrosecond);
BENCHMARK(pasteLargeCell)->Name("ClassTable/Paste/50MBcell")->Unit(benchmark::kMillisecond);
BENCHMARK(importLargeCell)->Name("ClassTable/Import/50MBcell")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
