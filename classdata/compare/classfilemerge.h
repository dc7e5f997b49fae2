#pragma once

#include "classdata/format/classrecord.h"
#include "classvalues.h"
#include "classdata/files/fileio.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// Write Out after the class file changed on disk: this session's own changes
// laid onto the file as it is now, with the writer that keeps a file's lines
// (updatedClassFile), so that the other program's edits and the modder's
// notes, layout and unknown lines stay.
//
// The session's changes are what differs from loadedClasses to the classes
// in memory, value by value, with new, deleted and moved classes; the disk's
// are what differs from the loaded file to the file on disk. A class of the
// loaded file is found on disk by the first of these that fits, each class
// on disk found once, in file order:
//   1. a class with all the same values;
//   2. a class of the same name (without regard to ASCII case);
//   3. the class at the same place, when only its name differs.
// One found by none was deleted on disk; one on disk that none finds was
// added there.
//
// The merged file holds the classes on disk in its order, each with the
// values this session changed, without those this session deleted; the
// classes this session added or moved follow the class before them in
// memory, where the disk has that one; those after the last class that
// stayed in its place go to the end.
//
// Conflicts: a value changed on both sides to different values; a class
// deleted here that the disk changed. KeepFile, the safe default, keeps the
// disk's side of each; TakeMemory takes this session's.
//
// A class the disk removed that memory still holds, changed here or not, is
// listed in removedOnDisk. By default the merge keeps it (after the class
// before it in memory), so that no class in memory goes without the user's
// word; DiskRemovals::Take drops it as the disk did.

struct MergeInput
{
    // The class file as the session last loaded or wrote it; empty when there was none.
    std::string_view loaded;
    // The classes as the session then kept them: block i of loaded is class i.
    std::span<const ClassRecord> loadedClasses;
    // The class file on disk now.
    const FileBytes &disk;
    // The classes in memory, to be written, and for each its class of
    // loadedClasses, -1 for a new one.
    std::span<const ClassRecord> classes;
    std::span<const int> origins;
};

enum class MergeChoice { KeepFile, TakeMemory };
enum class DiskRemovals { Keep, Take };

struct MergeConflict
{
    enum class Kind {
        BothChanged, // value: a field or an inventory amount
        DeletedHere, // before -> onDisk are the disk's changes
    };
    Kind kind;
    ClassValue value;
    ClassRecord before; // the class as loaded
    ClassRecord onDisk;
    ClassRecord here;
};

struct ClassFileMerge
{
    enum class Outcome {
        Merged,
        WrittenAnew, // no file on disk: the classes in memory in the fixed layout
        Refused,     // reason says why ("it holds no class block, so it is not a class file")
    };
    Outcome outcome = Outcome::Refused;
    std::string reason;
    std::string bytes; // what to write
    // The classes bytes hold, in order; for each, its block of the file on
    // disk (-1: written anew) and its class in memory (-1: only the disk's).
    std::vector<ClassRecord> classes;
    std::vector<int> diskBlocks;
    std::vector<int> fromMemory;
    std::vector<ClassRecord> diskClasses;
    std::vector<MergeConflict> conflicts;
    // The classes the file on disk no longer holds and memory still does, in
    // memory's order: as loaded, and as in memory.
    struct Removed
    {
        ClassRecord before;
        ClassRecord here;
    };
    std::vector<Removed> removedOnDisk;
    // What the merge was made with.
    MergeChoice choice = MergeChoice::KeepFile;
    DiskRemovals removals = DiskRemovals::Keep;
};

// The merge, its conflicts settled as choice says, the classes the disk
// removed kept or dropped as removals says.
ClassFileMerge mergeClassFile(const MergeInput &input, MergeChoice choice = MergeChoice::KeepFile,
                              DiskRemovals removals = DiskRemovals::Keep);

} // namespace tolvane
