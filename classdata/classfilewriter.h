#pragma once

#include "classrecord.h"

#include <string>
#include <string_view>

// The class file for slots 0 to classCount - 1 in the fixed layout the reader
// reads back, every line ended by lineEnd.
std::string ClassFileBytes(const ClassTable &table, std::string_view lineEnd);

// The line end to keep when replacing a file: the one its first line ends
// with, CR LF or LF; the platform's text-mode line end for a new file, or one
// without a line end.
std::string_view lineEndToKeep(std::string_view oldBytes);
