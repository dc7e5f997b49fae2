#pragma once

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

    // "&Save to Memory", and the store that Next, Prev. and Write Out begin with.
    void store(const StoreForm &storeForm);

    // After the reader has refilled the table; without a file it holds the
    // default class alone.
    Result loaded(bool fileFound);

    Result next(const StoreForm &storeForm);
    Result previous(const StoreForm &storeForm);
    Result first();
    Result last();
    // Widens the range by one class without moving.
    Result addClass();

private:
    void countTheEditedSlot();
    Result position() const;

    EditorState editorState;
};
