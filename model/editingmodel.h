#pragma once

#include "changetracker.h"
#include "classrecord.h"

#include <functional>
#include <optional>
#include <string>

// The editing rules of the editor window without the window: which class the
// form edits, how far the table reaches, and what the status line says after
// each command. The window passes a callback that stores its form into a
// class wherever a command stores the form, and shows what the result names.
class EditingModel
{
public:
    // Fills the class the form edits from the form.
    using StoreForm = std::function<void(ClassRecord &)>;

    // What a command leaves for the window to show.
    struct Result
    {
        std::optional<std::string> status; // the new status line, Windows-1252; nullopt keeps it
        bool showClass = false;            // the form shows the current class again
    };

    EditorState &state() { return editorState; }
    const EditorState &state() const { return editorState; }
    // What differs from the files this run loaded or wrote.
    ChangeTracker &changes() { return tracker; }

    // "&Save to Memory", and the store that Next, Prev. and Write Out begin with.
    void store(const StoreForm &storeForm);

    // After the reader has refilled the table; without a file it holds the
    // default class alone. The classes loaded are the unchanged ones now.
    Result loaded(bool fileFound);

    // Every move stores the form first; Next and Prev. not at the ends.
    Result next(const StoreForm &storeForm);
    Result previous(const StoreForm &storeForm);
    Result first(const StoreForm &storeForm);
    Result last(const StoreForm &storeForm);
    // Widens the range by one class without moving.
    Result addClass(const StoreForm &storeForm);
    // Stores the form and moves to slot; a slot outside the range does nothing.
    Result goTo(int slot, const StoreForm &storeForm);

    // Where the form is, as a move reports it, with the class shown again.
    Result position() const;

private:
    void countTheEditedSlot();

    EditorState editorState;
    ChangeTracker tracker{editorState};
};
