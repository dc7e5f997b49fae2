#include "fileblocks.h"

namespace tolvane {

ClassIds FileBlocks::loaded(int count)
{
    ClassIds ids;
    ids.fill(-1);
    for (int slot = 0; slot < count; ++slot)
        ids[slot] = nextId++;
    written(ids, count);
    return ids;
}

void FileBlocks::written(ClassIds &ids, int count)
{
    blockOfId.clear();
    for (int slot = 0; slot < count; ++slot) {
        if (ids[slot] < 0)
            ids[slot] = nextId++;
        blockOfId[ids[slot]] = slot;
    }
}

std::vector<int> FileBlocks::origins(const ClassIds &ids, int count) const
{
    std::vector<int> blocks;
    for (int slot = 0; slot < count; ++slot) {
        const auto block = blockOfId.find(ids[slot]);
        blocks.push_back(block == blockOfId.end() ? -1 : block->second);
    }
    return blocks;
}

} // namespace tolvane
