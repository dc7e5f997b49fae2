#pragma once

#include "formvalues.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tolvane {

// The form of the editor window as the editing session sees it: its boxes,
// the position, the status line, the title and what stays in view around it.
// Texts are UTF-8, except the form's, which are the class file's
// Windows-1252 bytes.
class FormView
{
public:
    virtual ~FormView() = default;

    virtual void showForm(const FormValues &form) = 0;
    virtual FormValues form() const = 0;
    // The range of classes the form moves through, and where it is.
    virtual void showPosition(int first, int last, int current) = 0;
    virtual void setStatus(const std::string &text) = 0;
    // The title without the mark of unsaved changes, which the window adds.
    virtual void setTitle(const std::string &title) = 0;
    virtual void setUnsavedMark(bool unsaved) = 0;
    virtual void setTeamText(const std::string &text) = 0;
    // The active team and the game folder, always in view: "Seals · /path".
    virtual void showPlace(const std::string &text) = 0;
    // The game folder (its name when unresolved) and the recent folders.
    virtual void showFolders(const std::filesystem::path &folder, const std::vector<std::filesystem::path> &recent) = 0;
    // The focus goes to the box of the class file key ("speed"); for
    // "inventory", to the item list, or with the slot of an item, to that
    // item's amount.
    virtual void focusField(const std::string &key, int item) = 0;

    // The commands on whole classes that can run now, and the names of the
    // steps Undo and Redo would take (empty: none).
    struct ClassCommands
    {
        bool deleteClass = false;
        bool moveUp = false;
        bool moveDown = false;
        std::string undo;
        std::string redo;
    };
    virtual void showClassCommands(const ClassCommands &commands) = 0;
};

} // namespace tolvane
