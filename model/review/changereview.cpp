#include "changereview.h"

#include "classdata/compare/classmatch.h"
#include "classdata/compare/classvalues.h"
#include "classdata/compare/movedclasses.h"
#include "classdata/compare/unifieddiff.h"
#include "valuewords.h"

namespace tolvane {

namespace {

std::string joined(const std::vector<std::string> &parts, std::string_view separator)
{
    std::string text;
    for (const std::string &part : parts)
        text.append(part).append(&part == &parts.back() ? "" : separator);
    return text;
}

// "Health 100 -> 95; Scanner no -> yes": what differs from before to after.
std::string changesOf(const ClassRecord &before, const ClassRecord &after, ChangeNames names = ChangeNames::Table)
{
    std::vector<std::string> parts;
    for (const ValueChange &change : valueChanges(before, after, ValueNaming::AsForm))
        parts.push_back(names == ChangeNames::Table ? changeWords(change) : describeChange(change));
    return joined(parts, "; ");
}

// A class's name for a line about it.
std::string nameOf(const ClassRecord &record)
{
    return record.classname.empty() ? "(no name)" : std::string(record.classname.view());
}

} // namespace

std::vector<std::string> classChanges(std::span<const ClassRecord> saved, std::span<const ClassRecord> records,
                                      std::span<const int> origins, ChangeNames names)
{
    // The saved class each class came from; anything that names none is new.
    std::vector<int> from(records.size(), -1);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int origin = origins.empty() ? int(i) : i < origins.size() ? origins[i] : -1;
        if (origin >= 0 && std::size_t(origin) < saved.size())
            from[i] = origin;
    }
    const std::vector<bool> moved = movedClasses(from);
    std::vector<bool> kept(saved.size());
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (from[i] < 0) {
            lines.push_back("New class " + classLabel(records[i], i));
            continue;
        }
        const std::size_t origin = std::size_t(from[i]);
        kept[origin] = true;
        std::vector<std::string> parts;
        if (moved[i])
            parts.push_back("moved from class " + std::to_string(origin) + " to class " + std::to_string(i));
        if (const std::string changes = changesOf(saved[origin], records[i], names); !changes.empty())
            parts.push_back(changes);
        if (!parts.empty())
            lines.push_back(classLabel(records[i], i) + ": " + joined(parts, "; "));
    }
    for (std::size_t origin = 0; origin < saved.size(); ++origin) {
        if (!kept[origin])
            lines.push_back("Deleted class " + classLabel(saved[origin], origin));
    }
    return lines;
}

std::string changeReview(std::span<const ClassRecord> saved, std::span<const ClassRecord> now,
                         std::span<const int> origins)
{
    const std::vector<std::string> lines = classChanges(saved, now, origins);
    if (lines.empty())
        return "No class has changed since the file was last loaded or written.\n";
    std::string out;
    for (const std::string &line : lines)
        out.append(line).append(1, '\n');
    return out;
}

std::string conflictText(const MergeConflict &conflict)
{
    using Kind = MergeConflict::Kind;
    const std::string name = nameOf(conflict.before);
    switch (conflict.kind) {
    case Kind::BothChanged: {
        const ClassValue &value = conflict.value;
        // Two weapons the list shows by one name: their own names tell them apart.
        ValueNaming naming = ValueNaming::AsForm;
        if (shownValue(value, conflict.onDisk, naming) == shownValue(value, conflict.here, naming))
            naming = ValueNaming::AsFile;
        return name + ": " + columnTitle(value) + ' ' + sideWords(value, shownValue(value, conflict.onDisk, naming))
               + " in the file, " + sideWords(value, shownValue(value, conflict.here, naming)) + " here";
    }
    case Kind::DeletedHere:
        return name + ": deleted here, changed in the file (" + changesOf(conflict.before, conflict.onDisk) + ")";
    }
    return name;
}

std::string removedText(const ClassFileMerge::Removed &removed)
{
    const std::string name = nameOf(removed.before);
    const std::string changes = changesOf(removed.before, removed.here);
    return changes.empty() ? name : name + " (changed here: " + changes + ")";
}

std::string removedNames(const ClassFileMerge &merge)
{
    std::vector<std::string> names;
    for (const ClassFileMerge::Removed &removed : merge.removedOnDisk)
        names.push_back(nameOf(removed.before));
    return joined(names, ", ");
}

std::string listedLines(const std::vector<std::string> &lines, std::string_view none)
{
    std::string text;
    for (const std::string &line : lines)
        text.append("  ").append(line).append(1, '\n');
    return lines.empty() && !none.empty() ? "  " + std::string(none) + '\n' : text;
}

std::vector<std::string> replacementChanges(std::span<const ClassRecord> disk, std::span<const ClassRecord> now)
{
    std::vector<int> origins(now.size(), -1);
    for (const ClassPair &pair : matchClasses(disk, now).pairs) {
        if (pair.second >= 0)
            origins[std::size_t(pair.second)] = pair.first;
    }
    return classChanges(disk, now, origins);
}

std::string mergeSummary(const ClassFileMerge &merge)
{
    using Outcome = ClassFileMerge::Outcome;
    if (merge.outcome == Outcome::Refused)
        return "The file on disk cannot be merged with: " + merge.reason + ".\n";
    std::string text = merge.outcome == Outcome::WrittenAnew ? "The file is gone from disk; it is written anew.\n" : "";
    if (!merge.conflicts.empty()) {
        text += merge.choice == MergeChoice::KeepFile ? "Changed in the file and here; the file's side is kept:\n"
                                                      : "Changed in the file and here; this session's side is taken:\n";
        for (const MergeConflict &conflict : merge.conflicts)
            text += "  " + conflictText(conflict) + '\n';
    }
    if (!merge.removedOnDisk.empty()) {
        text += merge.removals == DiskRemovals::Keep ? "Removed from the file on disk; kept here and written back:\n"
                                                     : "Removed from the file on disk; removed here too:\n";
        for (const ClassFileMerge::Removed &removed : merge.removedOnDisk)
            text += "  " + removedText(removed) + '\n';
    }
    return text + "What the file on disk gets:\n"
           + listedLines(classChanges(merge.diskClasses, merge.classes, merge.diskBlocks),
                         merge.outcome == Outcome::Merged ? "no class changes" : "");
}

std::string mergeReview(const ClassFileMerge &merge, std::string_view diskBytes, std::string_view fileName)
{
    if (merge.outcome == ClassFileMerge::Outcome::Refused)
        return mergeSummary(merge);
    const std::string name(fileName);
    return mergeSummary(merge) + '\n' + unifiedDiff(diskBytes, merge.bytes, name + " (on disk)", name + " (merged)");
}

} // namespace tolvane
