#include "changereview.h"

#include "classfields.h"
#include "itemcatalogue.h"
#include "movedclasses.h"
#include "textnumbers.h"
#include "unifieddiff.h"
#include "writtenvalue.h"

namespace {

// The class's name, or where it has none, its position.
std::string label(const ClassRecord &record, std::size_t index)
{
    if (!record.classname.empty())
        return std::string(record.classname.view());
    return "(no name) at " + std::to_string(index);
}

// A starting weapon by the name the form shows for it ("PKM"); a text the
// catalogue does not know, quoted.
std::string weaponShown(const std::string &internalName)
{
    const std::optional<int> slot = SlotForInternalName(internalName);
    return slot ? std::string(itemCatalogue[std::size_t(*slot)].displayName) : '"' + internalName + '"';
}

// A field's values in two classes as a reader takes them: texts quoted,
// starting weapons by name unless both names would look the same.
std::pair<std::string, std::string> shownValues(const ClassField &field, const ClassRecord &a, const ClassRecord &b)
{
    const std::optional<std::string> values[] = {writtenValue(field, a), writtenValue(field, b)};
    std::string shown[2];
    for (int i = 0; i < 2; ++i) {
        if (!values[i])
            shown[i] = "(no line)";
        else if (field.key == "starting_weapon")
            shown[i] = weaponShown(*values[i]);
        else
            shown[i] = field.kind == FieldKind::Text ? '"' + *values[i] + '"' : *values[i];
    }
    if (shown[0] == shown[1] && values[0] != values[1])
        return {'"' + *values[0] + '"', '"' + *values[1] + '"'};
    return {shown[0], shown[1]};
}

std::string itemShown(std::size_t slot)
{
    return "inventory " + std::string(itemCatalogue[slot].displayName);
}

std::string change(std::string_view what, const std::string &before, const std::string &now)
{
    return std::string(what) + ' ' + before + " -> " + now;
}

// "health 100 -> 95", "inventory Flash Grenades 0 -> 2": each value that
// would read differently from the file.
void appendValueChanges(std::vector<std::string> &parts, const ClassRecord &before, const ClassRecord &now)
{
    for (const ClassField &field : classFields()) {
        if (writtenValue(field, before) != writtenValue(field, now)) {
            const auto [old, value] = shownValues(field, before, now);
            parts.push_back(change(field.key, old, value));
        }
    }
    for (std::size_t slot = 0; slot < now.inventory.size(); ++slot) {
        if (before.inventory[slot] != now.inventory[slot])
            parts.push_back(change(itemShown(slot), formatInt(before.inventory[slot]), formatInt(now.inventory[slot])));
    }
}

std::string joined(const std::vector<std::string> &parts, std::string_view separator)
{
    std::string text;
    for (const std::string &part : parts)
        text.append(part).append(&part == &parts.back() ? "" : separator);
    return text;
}

} // namespace

std::vector<std::string> classChanges(std::span<const ClassRecord> saved, std::span<const ClassRecord> records,
                                      std::span<const int> origins)
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
            lines.push_back("New class " + label(records[i], i));
            continue;
        }
        const std::size_t origin = std::size_t(from[i]);
        kept[origin] = true;
        std::vector<std::string> parts;
        if (moved[i])
            parts.push_back("moved from class " + std::to_string(origin) + " to class " + std::to_string(i));
        appendValueChanges(parts, saved[origin], records[i]);
        if (parts.empty())
            continue;
        lines.push_back(label(records[i], i) + ": " + joined(parts, "; "));
    }
    for (std::size_t origin = 0; origin < saved.size(); ++origin) {
        if (!kept[origin])
            lines.push_back("Deleted class " + label(saved[origin], origin));
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
    const std::string name = conflict.before.classname.empty() ? "(no name)"
                                                               : std::string(conflict.before.classname.view());
    std::vector<std::string> parts;
    switch (conflict.kind) {
    case Kind::BothChanged:
        if (conflict.field >= 0) {
            const ClassField &field = classFields()[std::size_t(conflict.field)];
            const auto [onDisk, here] = shownValues(field, conflict.onDisk, conflict.here);
            return name + ": " + std::string(field.key) + ' ' + onDisk + " in the file, " + here + " here";
        }
        return name + ": " + itemShown(std::size_t(conflict.itemSlot)) + ' '
               + formatInt(conflict.onDisk.inventory[std::size_t(conflict.itemSlot)]) + " in the file, "
               + formatInt(conflict.here.inventory[std::size_t(conflict.itemSlot)]) + " here";
    case Kind::DeletedOnDisk:
        appendValueChanges(parts, conflict.before, conflict.here);
        return name + ": deleted in the file, changed here (" + joined(parts, "; ") + ")";
    case Kind::DeletedHere:
        appendValueChanges(parts, conflict.before, conflict.onDisk);
        return name + ": deleted here, changed in the file (" + joined(parts, "; ") + ")";
    }
    return name;
}

std::string mergeReview(const ClassFileMerge &merge, MergeChoice choice, std::string_view diskBytes,
                        std::string_view fileName)
{
    using Outcome = ClassFileMerge::Outcome;
    if (merge.outcome == Outcome::Refused)
        return "The file on disk cannot be merged with: " + merge.reason + ".\n";
    std::string text = merge.outcome == Outcome::WrittenAnew ? "The file is gone from disk; it is written anew.\n" : "";
    if (!merge.conflicts.empty()) {
        text += choice == MergeChoice::KeepFile ? "Changed in the file and here; the file's side is kept:\n"
                                                : "Changed in the file and here; this session's side is taken:\n";
        for (const MergeConflict &conflict : merge.conflicts)
            text += "  " + conflictText(conflict) + '\n';
    }
    text += "What the file on disk gets:\n";
    const std::vector<std::string> lines = classChanges(merge.diskClasses, merge.classes, merge.diskBlocks);
    for (const std::string &line : lines)
        text += "  " + line + '\n';
    if (lines.empty() && merge.outcome == Outcome::Merged)
        text += "  no class changes\n";
    const std::string name(fileName);
    return text + '\n' + unifiedDiff(diskBytes, merge.bytes, name + " (on disk)", name + " (merged)");
}
