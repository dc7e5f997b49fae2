#include "classfilemerge.h"

#include "classdata/text/asciitext.h"
#include "classdata/format/classfields.h"
#include "classdata/format/classfilereader.h"
#include "classdata/format/classfileupdate.h"
#include "classdata/format/classfilewriter.h"
#include "movedclasses.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace tolvane {

namespace {

// All of a class's values as the file would hold them, to compare classes.
std::string contentOf(const ClassRecord &record)
{
    std::string content;
    appendClassBlock(content, record, "\n");
    return content;
}

// Sets value of to as from has it.
void copyValue(const ClassValue &value, const ClassRecord &from, ClassRecord &to)
{
    if (value.kind == ClassValue::Kind::Item) {
        to.inventory[std::size_t(value.slot)] = from.inventory[std::size_t(value.slot)];
        return;
    }
    const ClassField &field = *value.field;
    switch (field.kind) {
    case FieldKind::Int:
    case FieldKind::Abilities:
        to.*field.intMember = from.*field.intMember;
        break;
    case FieldKind::Float:
    case FieldKind::Resistance:
        to.*field.floatMember = from.*field.floatMember;
        break;
    case FieldKind::Text:
        field.text.set(to, field.text.get(from));
        break;
    }
}

// The classes a file's blocks hold; none for a file without blocks, which
// reads as the default class.
std::vector<ClassRecord> classesIn(std::string_view bytes)
{
    if (classFileKind({}, bytes) != ClassFileKind::ClassFile)
        return {};
    const auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, bytes);
    return {table->records.begin(), table->records.begin() + table->classCount};
}

// For each loaded class, the class on disk that is the same class, or -1.
std::vector<int> findOnDisk(std::span<const ClassRecord> loaded, std::span<const ClassRecord> disk)
{
    std::vector<std::string> loadedContent, diskContent;
    for (const ClassRecord &record : loaded)
        loadedContent.push_back(contentOf(record));
    for (const ClassRecord &record : disk)
        diskContent.push_back(contentOf(record));
    std::vector<int> found(loaded.size(), -1);
    std::vector<bool> taken(disk.size());
    const auto pass = [&](auto same) {
        for (std::size_t k = 0; k < loaded.size(); ++k) {
            for (std::size_t j = 0; j < disk.size() && found[k] < 0; ++j) {
                if (!taken[j] && same(k, j)) {
                    found[k] = int(j);
                    taken[j] = true;
                }
            }
        }
    };
    pass([&](std::size_t k, std::size_t j) { return loadedContent[k] == diskContent[j]; });
    pass([&](std::size_t k, std::size_t j) {
        return equalsIgnoreCase(loaded[k].classname.view(), disk[j].classname.view());
    });
    pass([&](std::size_t k, std::size_t j) {
        if (k != j)
            return false;
        ClassRecord renamed = disk[j];
        renamed.classname = loaded[k].classname;
        return contentOf(renamed) == loadedContent[k];
    });
    return found;
}

// Lays one class's changes onto the disk's class.
class ClassMerge
{
public:
    ClassMerge(const ClassRecord &loaded, const ClassRecord &here, const ClassRecord &fileBefore,
               const ClassRecord &onDisk, MergeChoice choice, std::vector<MergeConflict> &conflicts)
        : loaded(loaded), here(here), fileBefore(fileBefore), onDisk(onDisk), choice(choice), conflicts(conflicts)
    {
    }

    ClassRecord merged() const
    {
        ClassRecord out = onDisk;
        for (const ClassField &field : classFields())
            take({.field = &field}, out);
        for (int slot = 0; slot < inventorySlotCount; ++slot)
            take({.kind = ClassValue::Kind::Item, .slot = slot}, out);
        return out;
    }

private:
    // This session's value goes into out when it changed it, to a value the
    // disk does not hold, and the disk did not change it too, or the choice
    // takes this session's side.
    void take(const ClassValue &value, ClassRecord &out) const
    {
        const auto same = [&](const ClassRecord &a, const ClassRecord &b) {
            return sameValue(value, a, b, ValueNaming::AsFile);
        };
        if (same(loaded, here) || same(onDisk, here))
            return;
        if (!same(fileBefore, onDisk)) {
            conflicts.push_back({MergeConflict::Kind::BothChanged, value, fileBefore, onDisk, here});
            if (choice == MergeChoice::KeepFile)
                return;
        }
        copyValue(value, here, out);
    }

    const ClassRecord &loaded, &here, &fileBefore, &onDisk;
    MergeChoice choice;
    std::vector<MergeConflict> &conflicts;
};

struct Entry
{
    ClassRecord record;
    int diskBlock = -1;
    int here = -1;
};

// Puts the classes this session placed (added, moved, or brought back) in
// out: each after the class before it in memory; those after the last class
// of out to the end.
void place(std::vector<Entry> &out, std::vector<std::optional<Entry>> &placed)
{
    const auto positionOf = [&](std::size_t i) {
        return std::ranges::find_if(out, [&](const Entry &e) { return e.here == int(i); });
    };
    std::size_t lastInOut = 0;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (positionOf(i) != out.end())
            lastInOut = i + 1;
    }
    std::size_t anchor = 0;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (const auto at = positionOf(i); at != out.end()) {
            anchor = std::size_t(at - out.begin()) + 1;
        } else if (placed[i] && i >= lastInOut) {
            out.push_back(std::move(*placed[i]));
        } else if (placed[i]) {
            out.insert(out.begin() + std::ptrdiff_t(anchor++), std::move(*placed[i]));
        }
    }
}

ClassFileMerge refused(ClassFileMerge merge, std::string reason)
{
    merge.outcome = ClassFileMerge::Outcome::Refused;
    merge.reason = std::move(reason);
    return merge;
}

} // namespace

ClassFileMerge mergeClassFile(const MergeInput &input, MergeChoice choice, DiskRemovals removals)
{
    const std::span<const ClassRecord> classes = input.classes;
    ClassFileMerge merge;
    merge.choice = choice;
    merge.removals = removals;
    if (input.disk.status == FileStatus::Unreadable)
        return refused(std::move(merge), "it could not be read: " + input.disk.error);
    if (input.disk.status == FileStatus::Missing) {
        merge.outcome = ClassFileMerge::Outcome::WrittenAnew;
        merge.bytes = classFileBytes(classes, lineEndToKeep(input.loaded));
        merge.classes.assign(classes.begin(), classes.end());
        merge.diskBlocks.assign(classes.size(), -1);
        for (std::size_t i = 0; i < classes.size(); ++i)
            merge.fromMemory.push_back(int(i));
        return merge;
    }
    if (const ClassFileKind kind = classFileKind({}, input.disk.bytes); kind != ClassFileKind::ClassFile)
        return refused(std::move(merge), "it " + std::string(whyNotAClassFile(kind)));

    merge.outcome = ClassFileMerge::Outcome::Merged;
    merge.diskClasses = classesIn(input.disk.bytes);
    const std::vector<ClassRecord> &disk = merge.diskClasses;
    std::vector<ClassRecord> fileBefore = classesIn(input.loaded);
    fileBefore.resize(std::min(fileBefore.size(), input.loadedClasses.size()));
    const std::span<const ClassRecord> loaded = input.loadedClasses.first(fileBefore.size());

    // Which loaded class each class in memory is; a second claim is a new class.
    std::vector<int> from(classes.size(), -1), hereOf(loaded.size(), -1);
    for (std::size_t i = 0; i < classes.size() && i < input.origins.size(); ++i) {
        const int k = input.origins[i];
        if (k >= 0 && std::size_t(k) < loaded.size() && hereOf[std::size_t(k)] < 0) {
            from[i] = k;
            hereOf[std::size_t(k)] = int(i);
        }
    }
    const std::vector<int> onDisk = findOnDisk(fileBefore, disk);
    std::vector<int> loadedOf(disk.size(), -1);
    for (std::size_t k = 0; k < onDisk.size(); ++k) {
        if (onDisk[k] >= 0)
            loadedOf[std::size_t(onDisk[k])] = int(k);
    }
    const std::vector<bool> moved = movedClasses(from);

    std::vector<Entry> out;
    std::vector<std::optional<Entry>> placed(classes.size());
    for (std::size_t j = 0; j < disk.size(); ++j) {
        const int k = loadedOf[j];
        const int i = k < 0 ? -1 : hereOf[std::size_t(k)];
        if (k >= 0 && i < 0) { // deleted here
            const ClassRecord &before = fileBefore[std::size_t(k)];
            if (contentOf(before) == contentOf(disk[j]))
                continue;
            merge.conflicts.push_back({MergeConflict::Kind::DeletedHere, {}, before, disk[j], {}});
            if (choice == MergeChoice::TakeMemory)
                continue;
        }
        Entry entry{disk[j], int(j), i};
        if (i >= 0)
            entry.record = ClassMerge(loaded[std::size_t(k)], classes[std::size_t(i)], fileBefore[std::size_t(k)],
                                      disk[j], choice, merge.conflicts)
                               .merged();
        if (i >= 0 && moved[std::size_t(i)])
            placed[std::size_t(i)] = std::move(entry);
        else
            out.push_back(std::move(entry));
    }
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const int k = from[i];
        if (k < 0) {
            placed[i] = Entry{classes[i], -1, int(i)};
        } else if (onDisk[std::size_t(k)] < 0) {
            merge.removedOnDisk.push_back({loaded[std::size_t(k)], classes[i]});
            if (removals == DiskRemovals::Keep)
                placed[i] = Entry{classes[i], -1, int(i)};
        }
    }
    place(out, placed);

    if (out.size() > std::size_t(tableSlotCount))
        return refused(std::move(merge), "the merged file would hold " + std::to_string(out.size())
                                             + " classes, more than the " + std::to_string(tableSlotCount)
                                             + " a class file holds");
    for (Entry &entry : out) {
        merge.classes.push_back(std::move(entry.record));
        merge.diskBlocks.push_back(entry.diskBlock);
        merge.fromMemory.push_back(entry.here);
    }
    const auto diskTable = std::make_unique<ClassTable>();
    readClassBytes(*diskTable, input.disk.bytes);
    merge.bytes = updatedClassFile(input.disk.bytes, *diskTable, merge.classes, merge.diskBlocks);
    return merge;
}

} // namespace tolvane
