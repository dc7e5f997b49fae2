#pragma once

#include "changetracker.h"
#include "classesondisk.h"
#include "fileblocks.h"
#include "formvalues.h"
#include "tableedit.h"

#include "classdata/compare/classfilemerge.h"
#include "classdata/files/fileio.h"
#include "classdata/format/team.h"
#include "model/review/problemlist.h"
#include "model/rules/ruleswatch.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tolvane {

// The classes of one class file in memory, and what belongs to them alone:
// where the form stands among them, what this run last loaded or wrote (for
// the mark of unsaved changes, Review Changes and the merge with changes made
// on disk), the block of the file each class came from, the problems the
// reader found, the game folder's rules they are checked against and the
// baseline they are compared with. Writing them is the
// WriteFlow's; the editing session holds the document the form edits.
class TeamDocument
{
public:
    TeamDocument();

    EditorState &state() { return editorState; }
    const EditorState &state() const { return editorState; }
    ChangeTracker &changes() { return tracker; }
    const ChangeTracker &changes() const { return tracker; }
    ProblemList &fileProblems() { return problems; }
    const ProblemList &fileProblems() const { return problems; }
    // The game folder's rules file as last read (see standingproblems.h).
    RulesWatch &rules() { return rulesRead; }
    const RulesWatch &rules() const { return rulesRead; }
    // The table and the ids of its classes, for a step that changes them.
    EditedClasses classes() { return {editorState, ids}; }

    // The team whose file the classes were last loaded from or written to;
    // before either, the active team's.
    Team team() const;

    // For each class, the block of the class file on disk it came from; -1
    // for a class the file does not hold. Writing keeps each block's layout.
    std::vector<int> origins() const { return blocks.origins(ids, editorState.table.classCount); }
    // The class that storing form into the current class would give.
    ClassRecord formRecord(const FormValues &form) const;
    // The classes Write Out would write: with the form stored into the
    // current one, or as the table holds them (form nullptr).
    std::vector<ClassRecord> classesWith(const FormValues *form) const;
    // Whether the classes, or the form, differ from what was last loaded or
    // written.
    bool unsaved(const FormValues &form) const { return tracker.unsaved(editorState, formRecord(form)); }

    // As at the start in a folder: the empty table, nothing loaded, no
    // problems; the baseline stays.
    void startAfresh();
    // The classes in memory are what the file holds: after a load or the
    // start in a folder (each class is the block of its place), and after
    // a write (classes without a block get the one they were written to).
    void classesLoaded();
    void classesWritten();
    // Back to what was last loaded or written, the form at the same place or
    // the new last class.
    void discardChanges();
    // The classes of the file as a merge with the changes on disk made it,
    // as one step that Undo takes back; the form stays on the class it
    // showed where the file still has it. A class from memory keeps its id,
    // which is the block of its place in the file once it is written; the
    // disk's own classes get new ones.
    TableEdit takeMerged(const ClassFileMerge &merge);
    // The classes the file just written holds beyond those in memory
    // (blocks after the 64th that are read now) join them; false when there
    // were none.
    bool takeClassesNowRead(const ClassTable &written);
    // The classes of a recovery: loaded as loadedClasses were, changed to state.
    void restore(const EditorState &state, std::span<const ClassRecord> loadedClasses, std::span<const int> origins);

    // What Write Out puts in place of old, the file at path, for classes, by
    // the default answer of each question it may ask.
    std::string bytesToWrite(const std::filesystem::path &path, const FileBytes &old,
                             std::span<const ClassRecord> classes) const;
    // What a write replaces quietly: the file as this run knows it with each
    // class's own lines, or one deleted since, written anew (anew set).
    std::string quietBytes(const std::filesystem::path &path, const FileBytes &old,
                           std::span<const ClassRecord> classes, bool *anew = nullptr) const;
    // The merge of classes into old, a file changed on disk since this run
    // loaded or wrote it.
    ClassFileMerge merged(const std::filesystem::path &path, const FileBytes &old, std::span<const ClassRecord> classes,
                          MergeChoice choice = MergeChoice::KeepFile, DiskRemovals removals = DiskRemovals::Keep) const;

    // What Write Out would change in the file at path, and the file on disk
    // against what it would write, as a unified diff.
    std::string reviewChanges(const std::filesystem::path &path, std::span<const ClassRecord> classes) const;
    std::string fileDifferences(const std::filesystem::path &path, std::span<const ClassRecord> classes) const;

    // The baseline file chosen last (Compare with File) for the classes of
    // a team, by default those in memory; nullopt before one was. Each team
    // has its own: one team's classes are never matched against another's.
    const std::optional<ClassesOnDisk> &baseline() const { return baseline(team()); }
    const std::optional<ClassesOnDisk> &baseline(Team whose) const { return baselineFiles[int(whose)]; }
    void setBaseline(Team whose, ClassesOnDisk file) { baselineFiles[int(whose)] = std::move(file); }

private:
    EditorState editorState;
    ChangeTracker tracker{editorState};
    FileBlocks blocks;
    ClassIds ids = blocks.loaded(0);
    ClassIds savedIds = ids;
    ProblemList problems;
    RulesWatch rulesRead;
    std::optional<ClassesOnDisk> baselineFiles[2];
};

} // namespace tolvane
