#pragma once

#include "classdata/format/classrecord.h"
#include "classdata/files/fileio.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace tolvane {

// Remembers what this run last loaded or wrote, to tell whether the classes
// in memory or the form hold changes that are not in a file, and whether a
// class file changed on disk since. Classes are compared value by value as
// the class file would hold them (sameWrittenClass), so typing a value back
// undoes a change, and "100" and "100.000000" are the same speed.
class ChangeTracker
{
public:
    // Nothing changed: the start of a run, with its empty table.
    explicit ChangeTracker(const EditorState &state);

    // The classes in memory are what was just loaded or written, or what the
    // user decided to keep without writing.
    void classesSaved(const EditorState &state);
    // The classes and range as they were last saved.
    const EditorState &lastSaved() const { return saved; }
    // The form has just been filled; formValues is what storing it gives.
    void formShown(const ClassRecord &formValues);
    // Whether the form with formValues differs from what it showed.
    bool formChanged(const ClassRecord &formValues) const;
    // Whether the classes in memory, or the form with formValues, differ from
    // what was last saved or shown.
    bool unsaved(const EditorState &state, const ClassRecord &formValues) const;
    // Whether the classes in memory differ from what was last saved: of a
    // document the form does not edit.
    bool classesUnsaved(const EditorState &state) const;

    // What a class file held when this run read it; a missing file is
    // remembered as missing.
    // Either makes path the file the classes in memory belong to.
    void fileRead(const std::filesystem::path &path, const FileBytes &file);
    void fileWritten(const std::filesystem::path &path, const std::string &bytes);
    // The classes in memory belong to path, which this run has not read: the
    // classes of an earlier run, restored after a crash.
    void classesBelongTo(const std::filesystem::path &path) { fromFile = path; }
    // The class file the classes in memory were last read from or written
    // to; empty before either.
    const std::filesystem::path &classesFile() const { return fromFile; }
    // What path held when this run last read or wrote it; null when it has
    // done neither, or the file was missing then.
    const std::string *knownBytes(const std::filesystem::path &path) const;

    enum class Replacing {
        Quietly,       // missing, or just as this run last read or wrote it
        NotLoaded,     // this run has neither read nor written it
        OtherFile,     // the classes in memory belong to another file (the other team's)
        ChangedOnDisk, // it differs from what this run last read or wrote
    };
    // Whether replacing the file with current contents needs the user's word.
    Replacing replacing(const std::filesystem::path &path, const FileBytes &current) const;

private:
    EditorState saved;
    ClassRecord shownForm;
    std::map<std::filesystem::path, std::optional<std::string>> knownFiles;
    std::filesystem::path fromFile;
};

} // namespace tolvane
