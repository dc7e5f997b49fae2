#include "changetracker.h"

#include "classdata/format/writtenvalue.h"

namespace tolvane {

namespace {

// Whether the classes Write Out would write differ, in number or in a value.
// Before the first load the form's slot counts although classCount is 0.
bool classesDiffer(const EditorState &a, const EditorState &b)
{
    const std::int32_t count = a.classesCounted();
    if (count != b.classesCounted())
        return true;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!sameWrittenClass(a.table.records[std::size_t(i)], b.table.records[std::size_t(i)]))
            return true;
    }
    return false;
}

} // namespace

ChangeTracker::ChangeTracker(const EditorState &state) : saved(state), shownForm(state.current()) {}

void ChangeTracker::classesSaved(const EditorState &state)
{
    saved = state;
}

void ChangeTracker::formShown(const ClassRecord &formValues)
{
    shownForm = formValues;
}

bool ChangeTracker::formChanged(const ClassRecord &formValues) const
{
    return !sameWrittenClass(formValues, shownForm);
}

bool ChangeTracker::unsaved(const EditorState &state, const ClassRecord &formValues) const
{
    return formChanged(formValues) || classesDiffer(state, saved);
}

bool ChangeTracker::classesUnsaved(const EditorState &state) const
{
    return classesDiffer(state, saved);
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

} // namespace tolvane
