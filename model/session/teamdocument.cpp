#include "teamdocument.h"
#include "tablecommands.h"

#include "classdata/compare/unifieddiff.h"
#include "classdata/format/classfilereader.h"
#include "classdata/format/classfileupdate.h"
#include "classdata/format/classfilewriter.h"
#include "classdata/text/windows1252.h"
#include "model/review/changereview.h"

#include <algorithm>
#include <memory>

namespace tolvane {

namespace {

std::span<const ClassRecord> classesOf(const ClassTable &table)
{
    return std::span(table.records.data(), std::size_t(std::clamp(table.classCount, 0, tableSlotCount)));
}

} // namespace

TeamDocument::TeamDocument() = default;

Team TeamDocument::team() const
{
    const std::filesystem::path &from = tracker.classesFile();
    if (from.empty())
        return teamOf(editorState.sealsActive);
    return from.filename() == classFileName(1) ? Team::Seals : Team::Tangos;
}

ClassRecord TeamDocument::formRecord(const FormValues &form) const
{
    ClassRecord record = editorState.current();
    storeForm(form, record);
    return record;
}

std::vector<ClassRecord> TeamDocument::classesWith(const FormValues *form) const
{
    const auto count = std::size_t(editorState.classesCounted());
    std::vector<ClassRecord> classes(editorState.table.records.begin(),
                                     editorState.table.records.begin() + std::ptrdiff_t(count));
    if (form && std::size_t(editorState.currentIndex) < count)
        classes[std::size_t(editorState.currentIndex)] = formRecord(*form);
    return classes;
}

void TeamDocument::startAfresh()
{
    editorState.reset();
    tracker = ChangeTracker(editorState);
    problems.clear();
}

void TeamDocument::classesLoaded()
{
    ids = blocks.loaded(editorState.table.classCount);
    savedIds = ids;
}

void TeamDocument::classesWritten()
{
    blocks.written(ids, editorState.table.classCount);
    savedIds = ids;
}

void TeamDocument::takeFile(const std::filesystem::path &path, const FileBytes &file, const ClassTable &table)
{
    editorState.table = table;
    tracker.fileRead(path, file);
    if (file.status == FileStatus::Read)
        problems.fileRead(file.bytes);
    else
        problems.clear();
    fitRangeToClasses(editorState);
    tracker.classesSaved(editorState);
    classesLoaded();
}

void TeamDocument::discardChanges()
{
    const EditorState &saved = tracker.lastSaved();
    editorState.table = saved.table;
    editorState.lastIndex = saved.lastIndex;
    editorState.currentIndex = std::min(editorState.currentIndex, editorState.lastIndex);
    ids = savedIds;
}

TableEdit TeamDocument::takeMerged(const ClassFileMerge &merge)
{
    EditorState &s = editorState;
    const ClassIds before = ids;
    const int count = int(std::min(merge.classes.size(), std::size_t(tableSlotCount)));
    const int oldCount = s.table.classCount;
    const auto shown = std::ranges::find(merge.fromMemory, s.currentIndex);
    TableEdit step("Merge with " + std::string(classFileName(s.sealsActive)), s);
    for (int slot = 0; slot < std::max(count, oldCount); ++slot) {
        const int from = slot < count ? merge.fromMemory[std::size_t(slot)] : -1;
        step.replace(classes(), slot,
                     slot < count ? merge.classes[std::size_t(slot)] : s.table.records[std::size_t(slot)],
                     from >= 0 ? before[std::size_t(from)] : -1);
    }
    s.table.classCount = count;
    s.lastIndex = std::max(count - 1, 0);
    s.currentIndex = shown != merge.fromMemory.end() && shown - merge.fromMemory.begin() < count
                         ? int(shown - merge.fromMemory.begin())
                         : std::min(s.currentIndex, s.lastIndex);
    step.finish(s);
    return step;
}

bool TeamDocument::takeClassesNowRead(const ClassTable &written)
{
    EditorState &now = editorState;
    if (written.classCount <= now.table.classCount)
        return false;
    for (int slot = now.table.classCount; slot < written.classCount; ++slot) {
        now.table.records[std::size_t(slot)] = written.records[std::size_t(slot)];
        ids[std::size_t(slot)] = -1;
    }
    now.table.classCount = written.classCount;
    now.lastIndex = written.classCount - 1;
    return true;
}

void TeamDocument::restore(const EditorState &state, std::span<const ClassRecord> loadedClasses,
                           std::span<const int> origins)
{
    const int loadedCount = int(std::min(loadedClasses.size(), std::size_t(tableSlotCount)));
    EditorState saved = editorState;
    std::copy_n(loadedClasses.begin(), loadedCount, saved.table.records.begin());
    saved.table.classCount = loadedCount;
    saved.lastIndex = std::max(loadedCount - 1, 0);
    tracker.classesSaved(saved);
    savedIds = blocks.loaded(loadedCount);
    const std::int32_t team = editorState.sealsActive;
    editorState = state;
    editorState.sealsActive = team;
    for (std::size_t slot = 0; slot < ids.size(); ++slot) {
        const int origin = slot < origins.size() ? origins[slot] : -1;
        ids[slot] = origin >= 0 && origin < loadedCount ? savedIds[std::size_t(origin)] : -1;
    }
}

std::string TeamDocument::quietBytes(const std::filesystem::path &path, const FileBytes &old,
                                     std::span<const ClassRecord> classes, bool *anew) const
{
    const std::string *known = tracker.knownBytes(path);
    const bool deleted = known && old.status == FileStatus::Missing;
    if (anew)
        *anew = deleted;
    if (deleted)
        return classFileBytes(classes, lineEndToKeep(*known));
    std::vector<int> blockOf = origins();
    blockOf.resize(classes.size(), -1);
    return updatedClassFile(old.bytes, classes, blockOf);
}

ClassFileMerge TeamDocument::merged(const std::filesystem::path &path, const FileBytes &old,
                                    std::span<const ClassRecord> classes, MergeChoice choice,
                                    DiskRemovals removals) const
{
    static const std::string none;
    const std::string *known = tracker.knownBytes(path);
    std::vector<int> blockOf = origins();
    blockOf.resize(classes.size(), -1);
    return mergeClassFile({known ? *known : none, classesOf(tracker.lastSaved().table), old, classes, blockOf}, choice,
                          removals);
}

std::string TeamDocument::bytesToWrite(const std::filesystem::path &path, const FileBytes &old,
                                       std::span<const ClassRecord> classes) const
{
    switch (tracker.replacing(path, old)) {
    case ChangeTracker::Replacing::Quietly:
        return quietBytes(path, old, classes);
    case ChangeTracker::Replacing::ChangedOnDisk: {
        const ClassFileMerge merge = merged(path, old, classes);
        return merge.outcome == ClassFileMerge::Outcome::Refused ? old.bytes : merge.bytes;
    }
    default:
        return classFileBytes(classes, lineEndToKeep(old.bytes));
    }
}

// The changes since the classes were loaded or written, or, for a file
// changed on disk, deleted, not loaded or the other team's, what the default
// answer does to the file as it is now.
std::string TeamDocument::reviewChanges(const std::filesystem::path &path, std::span<const ClassRecord> classes) const
{
    const FileBytes old = readWholeFile(path);
    const std::string shown = displayText(path.filename());
    if (old.status == FileStatus::Unreadable)
        return shown + " cannot be read: " + old.error + "\n";
    std::string text;
    switch (tracker.replacing(path, old)) {
    case ChangeTracker::Replacing::Quietly:
        if (old.status == FileStatus::Read)
            return utf8Of(changeReview(classesOf(tracker.lastSaved().table), classes, origins()));
        text = shown
               + (tracker.knownBytes(path) ? " was deleted on disk; Write Out writes it anew:\n"
                                           : " does not exist yet; Write Out writes it:\n");
        return text + utf8Of(changeReview({}, classes));
    case ChangeTracker::Replacing::ChangedOnDisk:
        return shown + " has changed on disk since it was loaded or written; Write Out asks first. Merging, its "
               + "default, does this:\n" + utf8Of(mergeSummary(merged(path, old, classes)));
    case ChangeTracker::Replacing::OtherFile:
        text = shown + " holds the other team's classes:";
        break;
    case ChangeTracker::Replacing::NotLoaded:
        text = shown + " was not loaded:";
        break;
    }
    const auto table = std::make_unique<ClassTable>();
    readClassBytes(*table, old.bytes);
    return text + " Write Out asks, then replaces it with the classes in memory; its notes and layout are lost.\n"
           + utf8Of(listedLines(replacementChanges(classesOf(*table), classes), "no class changes"));
}

std::string TeamDocument::fileDifferences(const std::filesystem::path &path, std::span<const ClassRecord> classes) const
{
    const FileBytes old = readWholeFile(path);
    const std::string name = displayText(path.filename());
    return utf8Of(unifiedDiff(old.bytes, bytesToWrite(path, old, classes), name + " (on disk)", name + " (Write Out)"));
}

} // namespace tolvane
