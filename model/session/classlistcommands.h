#pragma once

#include "editorsession.h"

#include <optional>
#include <string>
#include <vector>

namespace tolvane {

// Where the user picks a class from a list (Go to Class).
class ClassPicker
{
public:
    virtual ~ClassPicker() = default;
    // Modal: the slot of the class the user picks from names, which are in
    // slot order; nullopt when cancelled.
    virtual std::optional<int> chooseClass(const std::vector<std::string> &names, int current) = 0;
};

// The commands on whole classes of the Class menu: add, delete, duplicate,
// move and go to a class; each change is a step Undo takes back.
class ClassListCommands
{
public:
    ClassListCommands(EditorSession &session, ClassPicker &picker) : session(session), picker(picker) {}

    void addClass();
    void deleteClass();
    void duplicateClass();
    void moveClassUp();
    void moveClassDown();
    // Stores the form and moves to the class the user picks from the list.
    void goToClass();

private:
    void moveClass(std::optional<TableEdit> (*move)(EditedClasses));

    EditorSession &session;
    ClassPicker &picker;
};

} // namespace tolvane
