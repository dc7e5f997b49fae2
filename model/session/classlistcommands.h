#pragma once

#include "editorsession.h"
#include "tablecommands.h"

#include <optional>
#include <string>
#include <vector>

namespace tolvane {

// Where the user picks a class from a list (Go to Class).
class ClassPicker
{
public:
    virtual ~ClassPicker() = default;
    // Modal: the entry the user picks from names (in slot order, the other
    // team's after the form's team's when it is shown), each class listed
    // with its number in its team; nullopt when cancelled.
    virtual std::optional<int> chooseClass(const std::vector<std::string> &names, const std::vector<int> &numbers,
                                           int current) = 0;
};

// The commands on whole classes of the Class menu: add, delete, duplicate,
// move and go to a class, each change a step Undo takes back; and going
// from class to class, which stores the form first, as Save to Memory does.
class ClassListCommands
{
public:
    ClassListCommands(EditorSession &session, ClassPicker &picker) : session(session), picker(picker) {}

    // Save to Memory: stores the form and says so; the view changes only in its title.
    void saveToMemory();
    // Next Class, Prev. Class, First Class and Last Class.
    void move(Move move);
    void addClass();
    void deleteClass();
    void duplicateClass();
    void moveClassUp();
    void moveClassDown();
    // Stores the form and moves to the class the user picks from the list:
    // the form's team's classes, and with the other team shown its classes
    // too, each entry naming its team.
    void goToClass();

private:
    void moveClass(std::optional<TableEdit> (*move)(EditedClasses));

    EditorSession &session;
    ClassPicker &picker;
};

} // namespace tolvane
