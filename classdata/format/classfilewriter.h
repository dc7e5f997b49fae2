#pragma once

#include "classrecord.h"
#include "writtenvalue.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tolvane {

// The class file for slots 0 to classCount - 1 in the fixed layout the reader
// reads back, every line ended by lineEnd, "\n" or "\r\n".
std::string classFileBytes(const ClassTable &table, std::string_view lineEnd);
// The same for any run of records, as if they were a table's classes.
std::string classFileBytes(std::span<const ClassRecord> records, std::string_view lineEnd);

// Single lines of the fixed layout appended to out.
// "KEY VALUE" for field, the value as appendWrittenValue gives it, then
// lineEnd; false, with nothing appended, for a resistance other than 0, 1 or
// 2, which has no line.
bool appendFieldLine(std::string &out, const ClassField &field, const ClassRecord &record,
                     std::string_view lineEnd = {});
// "inventory NAME AMOUNT" with the catalogue's spelling of the slot's name.
void appendInventoryLine(std::string &out, int slot, std::int32_t amount);
// "// NAME", the comment line before a class's block.
void appendNameComment(std::string &out, const ClassRecord &record);

// A class's lines in the fixed layout, from the blank line before its name
// comment to the blank line after its "}", every line ended by lineEnd.
void appendClassBlock(std::string &out, const ClassRecord &record, std::string_view lineEnd);

// The line end to keep when replacing a file: the one its first line ends
// with; the platform's text-mode line end for a file without a line feed.
std::string_view lineEndToKeep(std::string_view oldBytes);

// bytes as the editor would write them after loading them: the classes the
// reader takes from them, in the fixed layout, with their own line ends.
// Applying it twice gives what applying it once does.
std::string normalizedClassFile(std::string_view bytes);

} // namespace tolvane
