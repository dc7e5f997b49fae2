#pragma once

#include <string>
#include <string_view>

namespace tolvane {

// The changes from oldBytes to newBytes as "diff -u" shows them: a "---" and
// a "+++" line with the two names, then hunks with three lines of context.
// Lines end at LF; a CR before it is part of the line, and a last line
// without LF is marked "\ No newline at end of file". Empty when the two are
// the same. The bytes are copied as they are.
std::string unifiedDiff(std::string_view oldBytes, std::string_view newBytes, std::string_view oldName,
                        std::string_view newName);

} // namespace tolvane
