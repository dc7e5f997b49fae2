#include "changetracker.h"

#include "classfilewriter.h"

#include <algorithm>

namespace {

// The classes that Write Out would write: before the first load the form's
// slot counts even while the class count is still 0.
std::string classesAsWritten(const EditorState &state)
{
    const int count = std::clamp(std::max(state.table.classCount, state.lastIndex + 1), 0, tableSlotCount);
    return ClassFileBytes(std::span(state.table.records.data(), std::size_t(count)), "\n");
}

std::string recordAsWritten(const ClassRecord &record)
{
    return ClassFileBytes(std::span(&record, 1), "\n");
}

} // namespace

ChangeTracker::ChangeTracker(const EditorState &state)
    : saved(state), savedClasses(classesAsWritten(state)), shownForm(recordAsWritten(state.current()))
{
}

void ChangeTracker::classesSaved(const EditorState &state)
{
    saved = state;
    savedClasses = classesAsWritten(state);
}

void ChangeTracker::formShown(const ClassRecord &formValues)
{
    shownForm = recordAsWritten(formValues);
}

bool ChangeTracker::formChanged(const ClassRecord &formValues) const
{
    return recordAsWritten(formValues) != shownForm;
}

bool ChangeTracker::unsaved(const EditorState &state, const ClassRecord &formValues) const
{
    return formChanged(formValues) || classesAsWritten(state) != savedClasses;
}

void ChangeTracker::fileRead(const std::filesystem::path &path, const FileBytes &file)
{
    knownFiles[path] = file.status == FileStatus::Read ? std::optional<std::string>(file.bytes) : std::nullopt;
    fromFile = path;
}

void ChangeTracker::fileWritten(const std::filesystem::path &path, const std::string &bytes)
{
    knownFiles[path] = bytes;
    fromFile = path;
}

const std::string *ChangeTracker::knownBytes(const std::filesystem::path &path) const
{
    const auto known = knownFiles.find(path);
    return known == knownFiles.end() || !known->second ? nullptr : &*known->second;
}

ChangeTracker::Replacing ChangeTracker::replacing(const std::filesystem::path &path, const FileBytes &current) const
{
    if (current.status == FileStatus::Missing)
        return Replacing::Quietly;
    if (!fromFile.empty() && fromFile != path)
        return Replacing::OtherFile;
    const auto known = knownFiles.find(path);
    if (known == knownFiles.end())
        return Replacing::NotLoaded;
    return current.status == FileStatus::Read && known->second == current.bytes ? Replacing::Quietly
                                                                                 : Replacing::ChangedOnDisk;
}
