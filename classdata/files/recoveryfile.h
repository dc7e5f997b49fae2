#pragma once

#include "classdata/format/classrecord.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// What an editing session needs to come back after a crash: the classes in
// memory with the editing position and the team, the form, and what the
// classes were loaded from, so that a restore can show and merge what
// differs from the class file on disk.
struct SessionRecovery
{
    std::filesystem::path gameFolder; // absolute
    // The table's slots up to max(classCount, lastIndex + 1) are kept; later slots come back empty.
    EditorState state;
    ClassRecord form; // what storing the form would give
    // The class file as the classes were last loaded or written; nullopt when there was none.
    std::optional<std::string> loadedFile;
    // The classes as then, which the session's changes are measured from.
    std::vector<ClassRecord> loadedClasses;
    // For each class of the table, its class of loadedClasses; -1 for a new one.
    std::vector<int> origins;
};

// The bytes of a recovery file: a header with the length and a checksum of
// what follows, then every value exactly (floats by their bits, texts with
// their lengths), so that a restore gives back what was saved, bit for bit.
std::string recoveryFileBytes(const SessionRecovery &recovery);
// The recovery in bytes; nullopt for anything cut short, changed, of
// another format, or out of range: such a file is never half used.
std::optional<SessionRecovery> readRecoveryFile(std::string_view bytes);

} // namespace tolvane
