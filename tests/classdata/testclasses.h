#pragma once

#include "classdata/format/classfilereader.h"
#include "classdata/format/classrecord.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

// The bytes of the file named in UTF-8, or an empty text when it cannot be read.
std::string fileBytes(const std::string &path);

// A path named in UTF-8, whatever the platform's narrow strings are.
std::filesystem::path utf8Path(std::string_view utf8);

// The bytes of a sample class file.
std::string sample(std::string_view name);

std::span<const tolvane::ClassRecord> classesOf(const tolvane::ClassTable &table);

// text with every LF made CR LF.
std::string withCrlf(std::string_view text);

// The sample files, and odd files the reader reads all the same: the last
// one a modder's, with notes, CR LF and Windows-1252 names.
std::vector<std::string> oddFiles();

// An empty folder of its own for the running test, named after it, with a
// space and a letter beyond ASCII in its name.
std::filesystem::path scratchFolder(const std::string &name);

// Sets a variable of the environment for this process and the programs it
// starts; an empty value removes it.
void setEnvironment(const char *name, const std::string &value);

// A class block holding lines.
std::string inBlock(const std::string &lines);

// count blocks named c0, c1, ..., each followed by the blank line a block needs.
std::string blocks(int count);

// A fresh table on the heap: a table is too big to copy about on the stack.
std::unique_ptr<tolvane::ClassTable> readTable(std::string_view bytes, tolvane::ReadObserver *observer = nullptr);

// Fills table with 1 to 64 classes as the reader could leave them: values in
// the reader's ranges, every inventory slot used, negative amounts, names with
// spaces and bytes 0x80 to 0xFF.
void fillRandomTable(tolvane::ClassTable &table, std::mt19937 &random);

// One to eight random byte changes, inserts and cuts, biased to the bytes
// that tell the reader something: braces, line ends, NUL, spaces, digits.
void mutate(std::string &bytes, std::mt19937 &random);

// Runs target on the seeds, then on inputs mutated from them until seconds
// have passed, and records how many it ran. Each input is kept in the test
// folder under keptAs first: a failed check aborts.
void fuzzFromSeeds(const std::vector<std::string> &seeds, unsigned seed, int seconds, const std::string &keptAs,
                   int (*target)(const std::uint8_t *, std::size_t));

// Expects the same classes, floats compared to the six decimals a file keeps.
void expectSameClasses(const tolvane::ClassTable &expected, const tolvane::ClassTable &actual);

// Counts findings, except a CR inside a text value: the writer keeps one
// where it does not touch the line end, and it reads back as written.
class FindingCounter final : public tolvane::ReadObserver
{
public:
    void found(const tolvane::ReadFinding &finding) override
    {
        count += finding.kind != tolvane::ReadFindingKind::CarriageReturn;
    }
    int count = 0;
};
