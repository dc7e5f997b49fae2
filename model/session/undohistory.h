#pragma once

#include "tableedit.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string_view>

namespace tolvane {

// The steps of editing the classes, to take back and do again in order, and
// the point where the classes were last loaded or written, so that the mark
// of unsaved changes can follow the steps past that point and back. It keeps
// the last `limit` steps; older ones can no longer be taken back.
class UndoHistory
{
public:
    static constexpr std::size_t defaultLimit = 100;

    explicit UndoHistory(std::size_t limit = defaultLimit);

    // A step just done. It replaces the steps that Redo would have done
    // again; a step that changed nothing is not kept.
    void add(TableEdit step);
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
    bool undo(EditedClasses classes);
    bool redo(EditedClasses classes);

    // The classes were just written or given up: the steps done so far are saved.
    void markSaved() { saved = done; }
    // Whether exactly the steps done at the last markSaved are done now.
    bool atSaved() const { return saved == done; }

    // Forgets every step, after a load or a switch of folder; what the table
    // holds now counts as saved.
    void clear();

private:
    std::size_t limit;
    std::deque<TableEdit> steps;
    std::size_t done = 0;
    // Unset when the saved point was dropped or replaced.
    std::optional<std::size_t> saved = 0;
};

} // namespace tolvane
