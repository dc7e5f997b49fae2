#include "checkreport.h"
#include "classdata/sheets/classexport.h"
#include "classdata/format/classfilereader.h"
#include "classdata/format/classfileupdate.h"
#include "classdata/format/classfilewriter.h"
#include "classdata/sheets/classimport.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

using namespace tolvane;

namespace {

// A full file: the classes of both samples, repeated into all 64 slots.
const std::string &fullFile()
{
    static const std::string bytes = [] {
        auto samples = std::make_unique<ClassTable>();
        auto full = std::make_unique<ClassTable>();
        std::size_t next = 0;
        for (const char *name : {"/tvclass_seals.cfg", "/tvclass_tangos.cfg"}) {
            const FileBytes file = readWholeFile(TOLVANE_EXAMPLES + std::string(name));
            readClassBytes(*samples, file.bytes);
            for (std::int32_t i = 0; i < samples->classCount && file.status == FileStatus::Read; ++i)
                full->records[next++] = samples->records[std::size_t(i)];
        }
        for (std::size_t i = next; next > 0 && i < full->records.size(); ++i)
            full->records[i] = full->records[i % next];
        full->classCount = next > 0 ? tableSlotCount : 0;
        return next > 0 ? classFileBytes(*full, "\n") : std::string();
    }();
    return bytes;
}

// Skips the run, with a reason, when the samples are missing.
bool haveFile(benchmark::State &state)
{
    if (fullFile().empty())
        state.SkipWithError("the sample class files cannot be read");
    return !fullFile().empty();
}

void memchrLineScan(benchmark::State &state)
{
    if (!haveFile(state))
        return;
    const std::string &bytes = fullFile();
    for (auto _ : state) {
        std::size_t lines = 0;
        const char *at = bytes.data();
        const char *end = at + bytes.size();
        while (const void *lf = std::memchr(at, '\n', std::size_t(end - at))) {
            at = static_cast<const char *>(lf) + 1;
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

void readClassFile(benchmark::State &state)
{
    if (!haveFile(state))
        return;
    const std::string &bytes = fullFile();
    auto table = std::make_unique<ClassTable>();
    for (auto _ : state) {
        readClassBytes(*table, bytes);
        benchmark::DoNotOptimize(table->classCount);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

void writeClassFile(benchmark::State &state)
{
    if (!haveFile(state))
        return;
    auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, fullFile());
    for (auto _ : state) {
        std::string out = classFileBytes(*table, "\n");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fullFile().size()));
}

// tolvane-classfile normalize for one file: read, then written in the fixed
// layout.
void normalizeClassFile(benchmark::State &state)
{
    if (!haveFile(state))
        return;
    for (auto _ : state) {
        std::string out = normalizedClassFile(fullFile());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fullFile().size()));
}

// Write Out into the full file: no change, or a new speed in every class.
void updateClassFile(benchmark::State &state)
{
    if (!haveFile(state))
        return;
    auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, fullFile());
    for (std::int32_t i = 0; i < table->classCount && state.range(0); ++i)
        table->records[std::size_t(i)].speed += 0.5f;
    const std::span<const ClassRecord> classes(table->records.data(), std::size_t(table->classCount));
    for (auto _ : state) {
        std::string out = updatedClassFile(fullFile(), classes);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fullFile().size()));
}

// The full file with one finding in every block: a speed out of range.
const std::string &fileWithFindings()
{
    static const std::string bytes = [] {
        std::string out;
        for (std::size_t at = 0, next; at < fullFile().size(); at = next) {
            next = fullFile().find("\nspeed ", at);
            next = next == std::string::npos ? fullFile().size() : next + 1;
            out.append(fullFile(), at, next - at);
            if (next < fullFile().size())
                out += "speed 10.5\n";
        }
        return out;
    }();
    return bytes;
}

void readWithFindings(benchmark::State &state)
{
    if (!haveFile(state))
        return;
    auto table = std::make_unique<ClassTable>();
    for (auto _ : state) {
        readClassBytes(*table, fileWithFindings());
        benchmark::DoNotOptimize(table->classCount);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fileWithFindings().size()));
}

// What tolvane-classfile check does for one file, short of printing.
void checkWithFindings(benchmark::State &state)
{
    if (!haveFile(state))
        return;
    auto table = std::make_unique<ClassTable>();
    std::string out;
    for (auto _ : state) {
        out.clear();
        CheckReport report(CheckReport::Format::Text, [&out](std::string_view text) { out.append(text); });
        report.beginFile("tvclass_seals.cfg", fileWithFindings());
        readClassBytes(*table, fileWithFindings(), &report);
        report.finish();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fileWithFindings().size()));
}

// tolvane-classfile export, short of printing: the full file as a sheet.
void exportSheet(benchmark::State &state)
{
    if (!haveFile(state))
        return;
    auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, fullFile());
    const std::span<const ClassRecord> classes(table->records.data(), std::size_t(table->classCount));
    const auto format = SheetFormat(state.range(0));
    for (auto _ : state) {
        std::string out = classesAsSheet(classes, format);
        benchmark::DoNotOptimize(out.data());
    }
}

// tolvane-classfile apply, short of reading and saving: a sheet of the full
// file, as exported or with a new speed in every class, read into its
// classes and written as Write Out writes.
void applySheet(benchmark::State &state)
{
    if (!haveFile(state))
        return;
    auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, fullFile());
    // The full file repeats its classes: a sheet names each class once.
    for (std::int32_t i = 0; i < table->classCount; ++i) {
        ClassRecord &record = table->records[std::size_t(i)];
        record.classname.assign(std::string(record.classname.view().substr(0, 28)) + std::to_string(i));
    }
    const std::string file = classFileBytes(*table, "\n");
    for (std::int32_t i = 0; i < table->classCount && state.range(0); ++i)
        table->records[std::size_t(i)].speed += 0.5f;
    const std::string sheet = classesAsSheet(std::span(table->records.data(), std::size_t(table->classCount)),
                                             SheetFormat::Csv);
    readClassBytes(*table, file);
    const std::span<const ClassRecord> classes(table->records.data(), std::size_t(table->classCount));
    for (auto _ : state) {
        const ImportResult result = classesFromSheet(classes, sheet);
        std::string out = updatedClassFile(file, *table, result.classes, result.origins);
        if (!result.problems.empty())
            state.SkipWithError(result.problems.front().message.c_str());
        benchmark::DoNotOptimize(out.data());
    }
}

} // namespace

BENCHMARK(memchrLineScan)->Name("MemchrLineScan/64classes");
BENCHMARK(readClassFile)->Name("readClassFile/64classes")->Unit(benchmark::kMicrosecond);
BENCHMARK(writeClassFile)->Name("WriteClassFile/64classes")->Unit(benchmark::kMicrosecond);
BENCHMARK(normalizeClassFile)->Name("Normalize/64classes")->Unit(benchmark::kMicrosecond);
BENCHMARK(updateClassFile)
    ->Name("UpdateClassFile/64classes")
    ->Arg(0)
    ->Arg(1)
    ->ArgName("edited")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(readWithFindings)->Name("readClassFile/64classesOneFindingEach")->Unit(benchmark::kMicrosecond);
BENCHMARK(checkWithFindings)->Name("Check/64classesOneFindingEach")->Unit(benchmark::kMicrosecond);
BENCHMARK(exportSheet)
    ->Name("ExportSheet/64classes")
    ->Arg(int(SheetFormat::Csv))
    ->Arg(int(SheetFormat::Json))
    ->ArgName("format")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(applySheet)->Name("ApplySheet/64classes")->Arg(0)->Arg(1)->ArgName("edited")->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
