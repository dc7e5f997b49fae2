#pragma once

#include "tableedit.h"

#include <map>
#include <vector>

namespace tolvane {

// Which block of the class file, as this run last loaded or wrote it, holds
// each class of the table, so that writing can keep each class's own lines
// and comments. Classes are known by their ids, which deleting, moving and
// undoing carry along with them; a class written and then deleted, or one
// brought back by Undo after the write, is found or not found as the file
// on disk now has it.
class FileBlocks
{
public:
    // A file of count classes was just read into slots 0 to count - 1: the
    // ids for the table, and slot i's class is block i.
    ClassIds loaded(int count);
    // The classes of slots 0 to count - 1 were just written in that order;
    // classes without an id get one.
    void written(ClassIds &ids, int count);
    // The block of each class of slots 0 to count - 1 in the file; -1 for a
    // class the file does not hold.
    std::vector<int> origins(const ClassIds &ids, int count) const;

private:
    std::map<int, int> blockOfId;
    int nextId = 0;
};

} // namespace tolvane
