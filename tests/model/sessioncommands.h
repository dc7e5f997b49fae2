#pragma once

// The session commands that test rows spell as one letter, shared by the
// session tests; a row's own letters (files, folders, edits) stay with it.

#include "editorsession.h"
#include "fakeview.h"

#include <string>

// Runs the command of letter with argument; false when the letter is not one.
inline bool runSessionCommand(EditorSession &session, FakeView &view, char letter, const std::string &argument)
{
    switch (letter) {
    case 'L': session.loadConfig(); break;
    case 'W': session.writeOut(); break;
    case 'S': session.saveToMemory(); break;
    case 'n': session.nextClass(); break;
    case 'p': session.previousClass(); break;
    case 'f': session.firstClass(); break;
    case 'l': session.lastClass(); break;
    case 'a': session.addClass(); break;
    case 'x': session.deleteClass(); break;
    case 'd': session.duplicateClass(); break;
    case 'u': session.moveClassUp(); break;
    case 'w': session.moveClassDown(); break;
    case 'g':
        view.pickedClass = std::stoi(argument);
        session.goToClass();
        break;
    case 'T': session.changeActiveConfig(); break;
    case 'z': session.undo(); break;
    case 'y': session.redo(); break;
    default: return false;
    }
    return true;
}
