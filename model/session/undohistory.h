#pragma once

#include "tableedit.h"

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tolvane {

// The steps of editing the classes, to take back and do again in order, and
// the point where the classes were last loaded or written, so that the mark
// of unsaved changes can follow the steps past that point and back. It keeps
// the last `limit` steps; older ones can no longer be taken back.
//
// The session edits the classes of a document per team file (0: those of
// the active team's file, 1: the other team's); each step knows the
// document or documents it changed.
class UndoHistory
{
public:
    static constexpr std::size_t defaultLimit = 100;

    explicit UndoHistory(std::size_t limit = defaultLimit);

    // A step just done, in the document the form edits (formDocument). It
    // replaces the steps that Redo would have done again; a step that changed
    // nothing is not kept.
    void add(TableEdit step) { add(std::move(step), formDocument); }
    // A step done in document; its name takes the document's note.
    void add(TableEdit step, int document);
    // One step of changes in both documents, named name (no note added).
    void addJoint(std::string name, std::vector<std::pair<int, TableEdit>> edits);
    // The same for a command that may have changed nothing (nullopt).
    void add(std::optional<TableEdit> step)
    {
        if (step)
            add(std::move(*step));
    }

    bool canUndo() const { return done > 0; }
    bool canRedo() const { return done < steps.size(); }
    // The names of the steps Undo and Redo would take; empty when none.
    std::string_view undoName() const;
    std::string_view redoName() const;

    // Take back the last step done, or do the next one again; false when
    // there is none.
    bool undo(EditedClasses classes)
    {
        return undo([&](int) { return classes; });
    }
    bool redo(EditedClasses classes)
    {
        return redo([&](int) { return classes; });
    }
    // The same, with the classes of each document a step changed.
    using ClassesOf = std::function<EditedClasses(int document)>;
    bool undo(const ClassesOf &classesOf);
    bool redo(const ClassesOf &classesOf);
    // The documents the step Undo would take back changed; empty when none.
    std::vector<int> undoDocuments() const;
    std::vector<int> redoDocuments() const;

    // The document steps without one are done in, and the notes the names
    // of single steps take per document (" (Tangos)" with both teams shown).
    void setFormDocument(int document) { formDocument = document; }
    void setNotes(std::array<std::string, 2> notes) { documentNotes = std::move(notes); }

    // The classes were just written or given up: the steps done so far are saved.
    void markSaved() { saved = done; }
    // Whether exactly the steps done at the last markSaved are done now.
    bool atSaved() const { return saved == done; }

    // Forgets every step, after a load or a switch of folder; what the table
    // holds now counts as saved.
    void clear();

private:
    struct Step
    {
        std::string name;
        std::vector<std::pair<int, TableEdit>> edits;
    };
    void push(Step step);

    std::size_t limit;
    std::deque<Step> steps;
    int formDocument = 0;
    std::array<std::string, 2> documentNotes;
    std::size_t done = 0;
    // Unset when the saved point was dropped or replaced.
    std::optional<std::size_t> saved = 0;
};

} // namespace tolvane
