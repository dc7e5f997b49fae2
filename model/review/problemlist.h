#pragma once

#include "classdata/format/classrecord.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// One thing the class file reader changed or left out, with the code and the
// message `tolvane-classfile check` gives, in the class table's words and in
// the file's, and where the form shows it.
struct Problem
{
    // In the file, counted from 1; 0: in what Write Out would write; -1: of
    // the classes as they stand, which no line places (a slip, a broken rule).
    int line = 0;
    std::string_view code;          // "TCC003"; empty for a rules file that cannot be read
    std::string message;            // readable UTF-8, values by the class table's titles ("Class Speed")
    int classIndex = -1;            // the class in the table; -1: the file as a whole
    std::string field;              // the key whose box it concerns ("speed", "inventory"); empty: none
    int item = -1;                  // for an inventory amount, the item's catalogue slot
    std::string place = {};         // where it is, when not in the class file: "tvcc-rules.toml, line 3, column 1"
    std::vector<int> columns = {};  // the class table's columns it concerns, when the field does not say
    std::string messageByKeys = {}; // as `tolvane-classfile check` words it, values by their keys; empty: message

    // "line 12: TCC003 Class Speed 10.5 is outside 0 to 10; read as
    // 1.000000", "when written: TCC003 ..." for a value stored since the file
    // was read, "TCC024 ..." for one of the classes as they stand.
    std::string text() const;
    // The same as check words it: "line 12: TCC003 speed 10.5 is outside ...".
    std::string textByKeys() const;

private:
    std::string textOf(const std::string &words) const;
};

// The problems of the class file this run last loaded or wrote, as they
// stand while the classes are edited: a problem about a value goes away once
// that value of that class changes (a new value is the user's word on it),
// and the problems of a deleted class go with it. The others stay until the
// next read or write. A value stored since that the game would not read as
// it is once written (a speed of 12) is a problem too, before it is written.
class ProblemList
{
public:
    // Reads bytes, the class file just loaded or written, for its findings
    // and for the values its classes had.
    void fileRead(std::string_view bytes);
    // The same after Write Out wrote records as bytes: the values are the
    // ones in memory, not the ones the game reads instead.
    void fileWritten(std::string_view bytes, std::span<const ClassRecord> records);
    // No file: a missing one, or none read yet.
    void clear();

    // The problems that still stand for records, the classes now: those of
    // the file in line order, then those of values stored since. origins[i] names the file block that records[i] came
    // from, -1 for a new class; without origins, classes are matched by position.
    std::vector<Problem> current(std::span<const ClassRecord> records, std::span<const int> origins = {}) const;

private:
    std::vector<Problem> found; // classIndex: the file's block
    std::vector<ClassRecord> classesRead;
};

// The slips of the classes as they stand (see classchecks.h): health above
// max_health, a name an earlier class has; no line places them.
std::vector<Problem> slipsOf(std::span<const ClassRecord> classes);

// status with "; 3 problems" (or "; 1 problem") added; status alone for none.
std::string withProblemCount(std::string status, std::size_t count);

} // namespace tolvane
